#!/usr/bin/env bash
# The mouse alone on the map of a seeded new game at 800x600: a left click
# beside the leader turns it; a right click on the leader's own square opens
# the action menu and leaving it closes it; the menu of the chest beside the
# start strikes it; a route dragged from the leader's square is marked while
# the button is held and walked when it is let go, with no screenshot taken.
# Usage: window_mouse.sh BUILD [FOLDER to keep the shots in]
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
KEEP=${2:-}
source "$(dirname "$0")/window_lib.bash"
SHOT_PREFIX=mouse_

# The leader starts at (25, 2) facing south between the start chests, and
# the centre tile of the view is its square.
TILE=48
CX=$((8 * TILE + 10 + TILE / 2)) CY=$((6 * TILE + 10 + TILE / 2))
# The newest line of the message panel, left of where the map can reach.
PANEL_GEOM="280x30+20+565"
VIEW_GEOM="580x360+160+80"
UNIT_GEOM="${TILE}x${TILE}+$((CX - TILE / 2))+$((CY - TILE / 2))"
SHOT_FILE="$BUILD/screenshots/screenshot.bmp"

# Share of pure white pixels (percent) in a region: a menu box is white.
white() {
  convert "$WORK/$1.png" -crop "$2" +repage -fill black +opaque white -fill white -opaque white \
    -format '%[fx:int(100*mean)]' info:
}
pointer() { xdotool mousemove --window "$WINDOW" --sync "$1" "$2"; }
click() {
  pointer "$1" "$2"
  xdotool mousedown "$3"
  sleep 0.25
  xdotool mouseup "$3"
}

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
# The seed fixes the dungeon; diagnostics yes, debug no, 800x600, 32 bits.
printf 'Y\nN\n1\n3\n' | "$BUILD/grimhollow" --seed 1 "${SCALE_ARGS[@]}" >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
wait_window
new_game_by_keys ADA 1
# The pointer away from the map while the first frame is taken.
pointer 700 590
settle
shot start
shot_before=$(stat -c %Y "$SHOT_FILE" 2>/dev/null || echo none)

# A left click above the leader turns it towards the click (north is shut by
# the start's metal door, so a click held over several passes turns it
# further or bumps the door, but never moves it).
click "$CX" $((CY - TILE)) 1
pointer 700 590
settle
shot turned
[ "$(changed start turned "$UNIT_GEOM")" -gt 50 ] || fail "a click beside the leader did not turn it"

# A right click on the leader's own square opens the action menu there.
click "$CX" "$CY" 3
settle
shot own_menu
[ "$(white own_menu "190x20+$((CX + 5))+$((CY + 3))")" -gt 60 ] ||
  fail "no action menu at the pointer after a right click on the leader's square"
# Leaving it closes it with nothing done.
pointer "$CX" $((CY - 60))
settle
shot closed
[ "$(white closed "190x20+$((CX + 5))+$((CY + 3))")" -lt 60 ] || fail "the action menu stayed open"
[ "$(changed turned closed "$PANEL_GEOM")" -lt 50 ] || fail "leaving the menu did something"

# The chest east of the leader: its third row strikes it with the sword of
# the starting kit (the rows look, open, hit, drag and push).
click $((CX + TILE)) "$CY" 3
settle
shot chest_menu
[ "$(white chest_menu "190x40+$((CX + TILE + 5))+$((CY + 3))")" -gt 60 ] ||
  fail "no action menu for the chest"
click $((CX + TILE + 20)) $((CY + 35)) 1
settle 1
shot chosen
[ "$(changed chest_menu chosen "$PANEL_GEOM")" -gt 50 ] || fail "striking the chest said nothing"

# A route dragged from the leader's square to the floor south-east of it,
# which every start room has, by way of the squares beyond.
pointer "$CX" "$CY"
xdotool mousedown 1
settle
for step in 1 2 3 2 1; do
  pointer $((CX + step * TILE)) $((CY + step * TILE))
  sleep 0.2
done
settle
shot dragging
[ "$(changed chosen dragging "$VIEW_GEOM")" -gt 200 ] || fail "no route marks while dragging"
xdotool mouseup 1
pointer 700 590
settle 3
shot walked
[ "$(changed dragging walked "$VIEW_GEOM")" -gt 2000 ] || fail "the leader did not walk the route"
shot_after=$(stat -c %Y "$SHOT_FILE" 2>/dev/null || echo none)
[ "$shot_before" = "$shot_after" ] || fail "the walk took a screenshot"

leave_to_menu_and_quit
echo "PASS: action menu opened and closed, a row chosen, a dragged route marked and walked"
