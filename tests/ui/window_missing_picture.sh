#!/usr/bin/env bash
# With one picture missing from data/, the game says which on the console
# and still reaches its main menu.  It runs from a copy of the runtime
# folder, started from another directory.
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
source "$(dirname "$0")/window_lib.bash"

mkdir -p "$WORK/game"
cp "$BUILD/grimhollow" "$WORK/game/"
cp -r "$BUILD/data" "$BUILD/fonts" "$WORK/game/"
mkdir -p "$WORK/game/save" "$WORK/game/screenshots"
rm "$WORK/game/data/scroll.bmp"

start_display
cd /
start_game "$WORK/game/grimhollow" 'N\n'
wait_window
wait_menu
grep -q "Couldn't load image scroll_bmp!" "$WORK/game.out" ||
  fail "no console line for the missing picture"
hold_key 3
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
echo "PASS: missing picture reported, menu reached"
