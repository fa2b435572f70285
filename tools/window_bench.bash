# What the benchmarks in the real window share, sourced after they set
# NAMES (their figures) and BUILD: a skip line for each figure when the
# window cannot be had, an Xvfb of their own, the game started with its
# console answers, keys held long enough to be read, and a stop that keeps
# the shell's word on how the game ended (it may die of the signal) out of
# the figures.  PACE stretches every pause (a profiler slows the game).

skip() {
  for n in $NAMES; do echo "$n: skipped ($1)"; done
  exit 0
}
for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || skip "no $tool"
done
[ -x "$BUILD/grimhollow" ] || skip "no game at $BUILD/grimhollow"

WORK=$(mktemp -d)
GAME_PID="" XVFB_PID="" WINDOW=""
PACE=${PACE:-1}
stop_game() {
  [ -n "$GAME_PID" ] || return 0
  {
    kill "$GAME_PID"
    # A profiler writes its figures as the game ends; give it time.
    for _ in $(seq 1 600); do kill -0 "$GAME_PID" || break; sleep 0.1; done
    kill -9 "$GAME_PID"
    wait "$GAME_PID"
  } 2>/dev/null
  GAME_PID=""
}
cleanup() {
  stop_game
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 1 100); do
  [ -s "$WORK/display" ] && export DISPLAY=":$(head -n1 "$WORK/display")" &&
    xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || skip "Xvfb did not start"

pause() { sleep "$(awk -v s="$1" -v p="$PACE" 'BEGIN { print s * p }')"; }

# start_game RESOLUTION_ANSWER [WRAPPER...]: the game of seed SEED, with
# diagnostics yes, debug no, the resolution (1: 800x600, 3: 1280x720) and
# 32-bit colour; false when no window opened.
start_game() {
  local res=$1
  shift
  printf 'Y\nN\n%s\n3\n' "$res" | "$@" "$BUILD/grimhollow" --seed "$SEED" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  WINDOW=""
  for _ in $(seq 1 $((100 * PACE))); do
    WINDOW=$(xdotool search --onlyvisible --name . 2>/dev/null | head -n1)
    [ -n "$WINDOW" ] && return 0
    sleep 0.1
  done
  return 1
}

press() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  pause "${2:-0.5}"
}

# A new game of the seed named BENCH, through the backstory, then one step
# south-east: beside the fire of the starting room.
new_game_by_the_fire() {
  press 1
  xdotool type --delay 120 BENCH
  press Return
  press 1 1
  for _ in 1 2 3; do press space 1; done
  press Left
  press Up
}
