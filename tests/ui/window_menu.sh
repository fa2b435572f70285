#!/usr/bin/env bash
# The game opens its window, draws the title and the main menu, and key 3
# quits with status 0.
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
source "$(dirname "$0")/window_lib.bash"

start_display
start_game "$BUILD/grimhollow" 'N\n'
wait_window
wait_menu
hold_key 3
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
grep -q "START BITMAP DESTROY" "$WORK/game.out" || fail "the pictures were not released at exit"
echo "PASS: menu drawn ($colours colours), quit with 3"
