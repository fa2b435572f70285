#!/usr/bin/env bash
# Processor time the game takes while nobody touches it, in the real window
# under Xvfb: at the main menu, in play beside the fire of the starting room,
# and in play after a scripted walk has taken the party out of sight of every
# fire and pool.  The game's own process time (all its threads) over at least
# five seconds of wall time, as a percentage of one core.  At 1280x720 with
# smoothing off (the figures without a suffix), then with each smoothing mode
# (_aa1, _aa2) chosen from the options button beside the fire and away from
# it; then the same new game at 800x600 (_800x600).
#   bench_idle [BUILD] [SECONDS]
# With BENCH_SHOTS set to a folder, a screenshot of each state is kept there.
# Without Xvfb or xdotool it prints a skip line for each figure.
set -u
BUILD=$(cd "${1:-$(dirname "$0")/..}" && pwd)
SECONDS_MEASURED=${2:-6}
NAMES="idle_cpu_percent_menu idle_cpu_percent_play_fire idle_cpu_percent_play_fire_aa1
idle_cpu_percent_play_fire_aa2 idle_cpu_percent_play idle_cpu_percent_play_aa1
idle_cpu_percent_play_aa2 idle_cpu_percent_menu_800x600 idle_cpu_percent_play_fire_800x600
idle_cpu_percent_play_800x600"
# A seed whose level 0 has open ground east of the starting room.
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

stop_game() {
  [ -n "$GAME_PID" ] || return 0
  kill "$GAME_PID" 2>/dev/null
  for _ in $(seq 1 20); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$GAME_PID" 2>/dev/null
  GAME_PID=""
}

# Diagnostics yes, debug no, the resolution given (1: 800x600, 3: 1280x720),
# 32-bit colour.
start_game() {
  printf 'Y\nN\n%s\n3\n' "$1" | "$BUILD/grimhollow" --seed "$SEED" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  WINDOW=""
  for _ in $(seq 1 100); do
    WINDOW=$(xdotool search --onlyvisible --name . 2>/dev/null | head -n1)
    [ -n "$WINDOW" ] && break
    sleep 0.1
  done
  [ -n "$WINDOW" ] || skip "the game opened no window"
}

press() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep "${2:-0.5}"
}

click_at() {
  xdotool mousemove --window "$WINDOW" "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}

# The options button, then its second row: the next smoothing mode (off,
# pixel, transparency, off).  The pointer is taken off the bar after.
next_smoothing() {
  click_at 30 275
  click_at 60 300
  xdotool mousemove --window "$WINDOW" 400 300
}

# Clock ticks of processor time the game has used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
measure() {
  sleep 1.5  # whatever the last key set going has settled
  [ -n "${BENCH_SHOTS:-}" ] && import -window root "$BENCH_SHOTS/$1.png" 2>/dev/null
  local t0 w0 t1 w1
  t0=$(cpu_ticks) w0=$(date +%s.%N)
  sleep "$SECONDS_MEASURED"
  t1=$(cpu_ticks) w1=$(date +%s.%N)
  awk -v t="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v w0="$w0" -v w1="$w1" \
    -v name="$1" 'BEGIN { printf "%s: %.1f\n", name, 100 * t / hz / (w1 - w0) }'
}

# A new game of the fixed seed, one step south-east, beside the fire of the
# starting room.
new_game_by_the_fire() {
  press 1
  xdotool type --delay 120 BENCH
  press Return
  press 1 1
  for _ in 1 2 3; do press space 1; done
  press Left
  press Up
}

# Out of the room by its east gap and along the open ground, out of sight of
# every fire and pool.
walk_away_from_the_fire() {
  press Left
  for _ in $(seq 1 14); do press Up 0.3; done
}

# With smoothing given a figure of its own in each mode; it ends off.
measure_smoothing() {
  next_smoothing
  measure "${1}_aa1"
  next_smoothing
  measure "${1}_aa2"
  next_smoothing
}

start_game 3
sleep 2
measure idle_cpu_percent_menu
new_game_by_the_fire
measure idle_cpu_percent_play_fire
measure_smoothing idle_cpu_percent_play_fire
walk_away_from_the_fire
measure idle_cpu_percent_play
measure_smoothing idle_cpu_percent_play
stop_game

start_game 1
sleep 2
measure idle_cpu_percent_menu_800x600
new_game_by_the_fire
measure idle_cpu_percent_play_fire_800x600
walk_away_from_the_fire
measure idle_cpu_percent_play_800x600
