#!/usr/bin/env bash
# A game saved in the window comes back after the program is started again:
# a new game walks a few steps and is saved through the load-and-save button
# with a typed name; the program quits; a second run starts another game,
# loads the save with the L key and saves it again under a second name.  The
# two saves must hold the same units, objects, containers and squares.
# Usage: window_save.sh BUILD
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
source "$(dirname "$0")/window_lib.bash"

W=800 H=600
NAME="WINSAVE$$"
COPY="WINCOPY$$"
SAVES="$BUILD/save"
mkdir -p "$SAVES"
forget_saves() { rm -f "$SAVES/$NAME"* "$SAVES/$COPY"* "$SAVES/$NAME".*.tmp "$SAVES/$COPY".*.tmp; }
trap 'forget_saves; cleanup' EXIT
# With KEEP set to a folder, screenshots of each step are kept there.
KEEP=${KEEP:-}
shot() { [ -n "$KEEP" ] && import -window "$WINDOW" "$KEEP/save_$1.png" 2>/dev/null; return 0; }

# click X Y: a left click inside the game's window, held long enough for the
# game's input poll to see it.
click() {
  xdotool mousemove --window "$WINDOW" "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.25
  xdotool mouseup 1
  sleep 0.4
}

# type_save_name NAME: in the open file selector, picks the typing row and
# types the name.
type_save_name() {
  click $((W / 2)) $((H / 2 - 51))
  settle
  xdotool type --delay 120 "$1"
  hold_key Return
  settle 2
}

# save_as NAME: the load-and-save button, its SAVE GAME row, then the name.
save_as() {
  click 35 375
  settle
  shot "menu_$1"
  click 60 400
  settle
  shot "selector_$1"
  type_save_name "$1"
  shot "saved_$1"
}

start_display 1280x800x24
forget_saves

# First run: walk a little so the saved game is not a fresh start, then save.
start_game "$BUILD/grimhollow" "Y\nN\n1\n3\n"
wait_window
new_game_by_keys ADA 1
hold_key Right
settle
hold_key Up
settle
hold_key Up
settle
save_as "$NAME"
for s in maptype maprevealed mapenv mapextra units objects containers; do
  [ -f "$SAVES/$NAME$s.sav" ] || fail "the save wrote no $s.sav"
done
for s in maptype maprevealed mapenv mapextra; do
  size=$(stat -c %s "$SAVES/$NAME$s.sav")
  [ "$size" -eq 28061 ] || fail "$s.sav is $size bytes, not 28061"
done
[ "$(cat "$SAVES/$NAME.nam")" = "$NAME" ] || fail "the name file does not hold the name"
leave_to_menu_and_quit 20

# Second run: another new game, then L loads the first one back by a click
# on its name over the map, held a while: the click must end in the list
# and the game come back with the moves and facing of its file.
start_game "$BUILD/grimhollow" "Y\nN\n1\n3\n"
wait_window
new_game_by_keys BOB 1
hold_key l
settle
row=$(LC_ALL=C ls "$SAVES" | grep -F '.nam' | head -n 4 | grep -nx "$NAME.nam" | cut -d: -f1)
if [ -n "$row" ]; then
  xdotool mousemove --window "$WINDOW" $((W / 2)) $((H / 2 - 26 + 21 * (row - 1)))
  sleep 0.3
  xdotool mousedown 1
  sleep 0.8
  xdotool mouseup 1
  settle 2
else
  type_save_name "$NAME"
fi
save_as "$COPY"
for s in units objects containers maptype mapenv mapextra; do
  [ -f "$SAVES/$COPY$s.sav" ] || fail "the second save wrote no $s.sav"
  cmp -s "$SAVES/$NAME$s.sav" "$SAVES/$COPY$s.sav" ||
    fail "$s.sav of the loaded game differs from the one saved in the first run"
done
grep -q '^ADA$' "$SAVES/${COPY}units.sav" || fail "the loaded leader is not ADA"
leave_to_menu_and_quit 20
echo "PASS: saved in one run, loaded by L in the next, saved again unchanged"
