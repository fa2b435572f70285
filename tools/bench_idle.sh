#!/usr/bin/env bash
# Processor time the game takes while nobody touches it, in the real window
# under Xvfb at 1280x720 with smoothing off: at the main menu, in play beside
# the fire of the starting room, and in play after a scripted walk has
# taken the party out of sight of every fire and pool.  The game's own
# process time (all its threads) over at least five seconds of wall time, as
# a percentage of one core.
#   bench_idle [BUILD] [SECONDS]
# With BENCH_SHOTS set to a folder, a screenshot of each state is kept there.
# Without Xvfb or xdotool it prints a skip line for each figure.
set -u
BUILD=$(cd "${1:-$(dirname "$0")/..}" && pwd)
SECONDS_MEASURED=${2:-6}
NAMES="idle_cpu_percent_menu idle_cpu_percent_play_fire idle_cpu_percent_play"
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
  if [ -n "$GAME_PID" ]; then
    kill "$GAME_PID" 2>/dev/null
    for _ in $(seq 1 20); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$GAME_PID" 2>/dev/null
  fi
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

# Diagnostics yes, debug no, 1280x720, 32-bit colour.
printf 'Y\nN\n3\n3\n' | "$BUILD/grimhollow" --seed "$SEED" >"$WORK/game.out" 2>&1 &
GAME_PID=$!
WINDOW=""
for _ in $(seq 1 100); do
  WINDOW=$(xdotool search --onlyvisible --name . 2>/dev/null | head -n1)
  [ -n "$WINDOW" ] && break
  sleep 0.1
done
[ -n "$WINDOW" ] || skip "the game opened no window"

press() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep "${2:-0.5}"
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

sleep 2
measure idle_cpu_percent_menu
press 1
xdotool type --delay 120 BENCH
press Return
press 1 1
for _ in 1 2 3; do press space 1; done
# One step south-east, beside the fire of the starting room.
press Left
press Up
measure idle_cpu_percent_play_fire
# Out of the room by its east gap and along the open ground, out of sight of
# every fire and pool.
press Left
for _ in $(seq 1 14); do press Up 0.3; done
measure idle_cpu_percent_play
