#!/usr/bin/env bash
# A new game started through the menus with keys only: the map, the panels
# and the messages are drawn, walking and turning change the view, E ends the
# turn with a message, Escape and Y return to the main menu and 3 quits with 0.
# Usage: window_walk.sh BUILD [RESOLUTION 1|2|3] [FOLDER to keep the shots in]
set -u
source "$(dirname "$0")/window_lib.bash"
window_test_args "$@"
TX=$(((W / 48) / 2 * 2)) TY=$(((H / 48) / 2 * 2))
# The acting unit's tile on the screen, and the message panel.
UNIT_GEOM="48x48+$((TX / 2 * 48 + 10))+$((TY / 2 * 48 + 10))"
PANEL_GEOM="590x130+20+$((H - 150))"
VIEW_GEOM="$((W - 220))x$((H - 240))+160+80"
SHOT_PREFIX="walk_${W}x${H}_"

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
# Diagnostics yes, debug no, the resolution, 32-bit colour.
start_game "$BUILD/grimhollow" "Y\nN\n$RES\n3\n"
wait_window
new_game_by_keys ADA 1
shot start

view_colours=$(colours start "$VIEW_GEOM")
[ "$view_colours" -gt 300 ] || fail "the map is not drawn ($view_colours colours)"
buttons=$(colours start "40x340+15+105")
[ "$buttons" -gt 20 ] || fail "the button bar is not drawn ($buttons colours)"
gauges=$(colours start "200x40+$((W / 2 - 100))+$((H / 100 + 28))")
[ "$gauges" -gt 5 ] || fail "the gauges are not drawn ($gauges colours)"

hold_key Right
settle
shot turned
[ "$(changed start turned "$UNIT_GEOM")" -gt 50 ] || fail "turning right changed nothing"
hold_key Up
settle
hold_key Left
settle
shot walked
[ "$(changed turned walked "$VIEW_GEOM")" -gt 500 ] || fail "walking changed nothing on the map"

hold_key e
settle 2
shot ended
[ "$(changed walked ended "$PANEL_GEOM")" -gt 50 ] || fail "ending the turn wrote no message"

leave_game_by_keys
wait_menu
shot menu
hold_key 3
wait_exit 15
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
echo "PASS: ${W}x${H} map ($view_colours colours), panels, turn, walk, end of turn, back to the menu"
