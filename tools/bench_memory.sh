#!/usr/bin/env bash
# Peak resident memory of the game in the real window under Xvfb: a new game
# at 1280x720 (and at 800x600), a few turns with the creatures of the first
# level moving, every party member in turn, the map of the level, both pages
# of the help and the message history opened and closed.  The figure is the
# kernel's high-water mark (VmHWM) of the game's process, in MB of 2^20
# bytes, read just before it is stopped.
#   bench_memory [BUILD]
# With BENCH_WRAP set, the game runs under that command (for instance
# "heaptrack -o /tmp/grim" or "valgrind --tool=massif") so the same scripted
# play can be profiled; the figures are then the wrapper's.
# With BENCH_SHOTS set to a folder, a screenshot after the turns, of the map
# and of the help is kept there, with the game's memory map (smaps) at the end.
# Without Xvfb or xdotool it prints a skip line for each figure.
set -u
BUILD=$(cd "${1:-$(dirname "$0")/..}" && pwd)
NAMES="peak_rss_mb_play_1280x720 peak_rss_mb_play_800x600"
SEED=46

skip() {
  for n in $NAMES; do echo "$n: skipped ($1)"; done
  exit 0
}
for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || skip "no $tool"
done
[ -x "$BUILD/grimhollow" ] || skip "no game at $BUILD/grimhollow"

WORK=$(mktemp -d)
GAME_PID="" XVFB_PID=""
# The shell's own word on how the game ended (it may die of the signal) is
# no figure: it goes nowhere.
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

# Slower under a profiler: every pause is stretched.
PACE=1
[ -n "${BENCH_WRAP:-}" ] && PACE=6
keep_shot() {
  [ -n "${BENCH_SHOTS:-}" ] && import -window root "$BENCH_SHOTS/$1.png" 2>/dev/null
  return 0
}
pause() { sleep "$(awk -v s="$1" -v p="$PACE" 'BEGIN { print s * p }')"; }
press() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  pause "${2:-0.5}"
}

# play NAME RESOLUTION_ANSWER: one scripted game, then its figure.
play() {
  # Diagnostics yes, debug no, the resolution, 32-bit colour.
  # shellcheck disable=SC2086
  printf 'Y\nN\n%s\n3\n' "$2" | ${BENCH_WRAP:-} "$BUILD/grimhollow" --seed "$SEED" \
    >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  WINDOW=""
  for _ in $(seq 1 $((100 * PACE))); do
    WINDOW=$(xdotool search --onlyvisible --name . 2>/dev/null | head -n1)
    [ -n "$WINDOW" ] && break
    sleep 0.1
  done
  if [ -z "$WINDOW" ]; then
    echo "$1: skipped (the game opened no window)"
    stop_game
    return
  fi
  pause 2
  press 1
  xdotool type --delay 120 BENCH
  press Return
  press 1 1
  for _ in 1 2 3; do press space 1; done
  # Out of the starting room by its east gap, then turns of the creatures.
  press Left
  press Up
  press Left
  for _ in $(seq 1 8); do press Up 0.3; done
  for _ in 1 2 3 4; do
    press n
    press Right
    press e 1.5
  done
  keep_shot "$1_turns"
  press m 1
  keep_shot "$1_map"
  press m 1
  press F1 1
  keep_shot "$1_help"
  press Up 1
  press Up 1
  press h 1
  press Escape 1
  for _ in 1 2 3; do press e 1.5; done
  [ -n "${BENCH_SHOTS:-}" ] && cp "/proc/$GAME_PID/smaps" "$BENCH_SHOTS/$1.smaps" 2>/dev/null
  local hwm
  hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null)
  stop_game
  if [ -n "$hwm" ]; then
    awk -v k="$hwm" -v name="$1" 'BEGIN { printf "%s: %.1f\n", name, k / 1024 }'
  else
    echo "$1: skipped (the game ended early)"
  fi
}

play peak_rss_mb_play_1280x720 3
play peak_rss_mb_play_800x600 1
