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

source "$(dirname "$0")/window_bench.bash"

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

start_game 3 || skip "the game opened no window"
sleep 2
measure idle_cpu_percent_menu
new_game_by_the_fire
measure idle_cpu_percent_play_fire
measure_smoothing idle_cpu_percent_play_fire
walk_away_from_the_fire
measure idle_cpu_percent_play
measure_smoothing idle_cpu_percent_play
stop_game

start_game 1 || skip "the game opened no window"
sleep 2
measure idle_cpu_percent_menu_800x600
new_game_by_the_fire
measure idle_cpu_percent_play_fire_800x600
walk_away_from_the_fire
measure idle_cpu_percent_play_800x600
