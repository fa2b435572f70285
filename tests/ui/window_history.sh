#!/usr/bin/env bash
# The aids in a real window: H covers the map with every message of the game
# and Escape gives the map back untouched; the pointer resting on the leader
# names it on the status panel; leaving the game leaves a record of it that
# --history lists.
# Usage: window_history.sh BUILD [RESOLUTION 1|2|3] [FOLDER to keep the shots in]
set -u
source "$(dirname "$0")/window_lib.bash"
window_test_args "$@"
SHOT_PREFIX="history_${W}x${H}_"
VIEW_GEOM="$((W - 220))x$((H - 240))+160+80"
# The line under the gauges, and the leader's square at the centre of the view.
LINE_GEOM="$((W - 300))x22+150+$((H / 100 * 8 + 24))"
CX=$((10 + W / 48 / 2 * 48 + 24)) CY=$((10 + H / 48 / 2 * 48 + 24))

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
before=$(ls "$BUILD"/save/game-*.record 2>/dev/null | wc -l)
start_game "$BUILD/grimhollow" "Y\nN\n$RES\n3\n"
wait_window
new_game_by_keys ADA 1
xdotool mousemove --window "$WINDOW" 5 5
settle
shot start
xdotool mousemove --window "$WINDOW" "$CX" "$CY"
settle 1
shot pointed
[ "$(changed start pointed "$LINE_GEOM")" -gt 200 ] || fail "pointing at the leader told nothing"
xdotool mousemove --window "$WINDOW" 5 5
settle

hold_key h
settle 1
shot history
[ "$(changed start history "$VIEW_GEOM")" -gt 5000 ] || fail "H showed no history"
hold_key Escape
settle 1
shot closed
[ "$(changed start closed "$VIEW_GEOM")" -lt 50 ] || fail "the map changed behind the history"

leave_to_menu_and_quit
after=$(ls "$BUILD"/save/game-*.record 2>/dev/null | wc -l)
[ "$after" -eq $((before + 1)) ] || fail "leaving the game left no record"
(cd "$BUILD" && ./grimhollow --history) | head -n1 | grep -q "ADA  normal  level 0  left on level 0" ||
  fail "--history does not list the game just left first"
echo "PASS: ${W}x${H} H shows the messages and gives the map back; the pointer names the leader; the game left is recorded and listed"
