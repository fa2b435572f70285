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

# Slower under a profiler: every pause is stretched.
[ -n "${BENCH_WRAP:-}" ] && PACE=6
source "$(dirname "$0")/window_bench.bash"

keep_shot() {
  [ -n "${BENCH_SHOTS:-}" ] && import -window root "$BENCH_SHOTS/$1.png" 2>/dev/null
  return 0
}
# play NAME RESOLUTION_ANSWER: one scripted game, then its figure.
play() {
  # shellcheck disable=SC2086
  if ! start_game "$2" ${BENCH_WRAP:-}; then
    echo "$1: skipped (the game opened no window)"
    stop_game
    return
  fi
  pause 2
  new_game_by_the_fire
  # Out of the starting room by its east gap, then turns of the creatures.
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
