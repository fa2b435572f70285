#!/usr/bin/env bash
# The map of the squares seen and a walk picked on it, in a real window: the
# keypad steps the leader south, M shows the map with the leader's mark, a
# click on the square the leader started from walks it back there square by
# square, and the recorded game replays to its own digest.
# Usage: window_travel.sh BUILD [RESOLUTION 1|2|3] [FOLDER to keep the shots in]
set -u
source "$(dirname "$0")/window_lib.bash"
window_test_args "$@"
SHOT_PREFIX="travel_${W}x${H}_"
# The map's squares: as large as fit below the title and above the legend.
CELL=$(((W - 20) / 51))
[ $(((H - 64) / 51)) -lt "$CELL" ] && CELL=$(((H - 64) / 51))

# The leader's mark on the map in a shot: its middle, "X Y".
mark() {
  local box
  box=$(convert "$WORK/$1.png" -fill black +opaque "rgb(255,255,60)" -format "%@" info:)
  local size=${box%%+*} at=${box#*+}
  [ "${size%x*}" -gt 0 ] && [ "${size%x*}" -le "$CELL" ] || fail "no leader's mark on the map in $1 ($box)"
  echo "$((${at%+*} + ${size%x*} / 2)) $((${at#*+} + ${size#*x} / 2))"
}

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
start_game "$BUILD/grimhollow" "Y\nN\n$RES\n3\n" --seed 2636601163
wait_window
new_game_by_keys ADA 1
# Where the leader starts, then south by the keypad.
xdotool mousemove --window "$WINDOW" --sync $((W - 30)) $((H / 2))
hold_key m
settle 1
shot start
read -r X0 Y0 < <(mark start)
hold_key space
settle 0.5
for k in KP_3 KP_2 KP_2 KP_2; do
  hold_key "$k"
  settle 0.3
done
hold_key m
settle 1
shot map
read -r X Y < <(mark map)
[ "$X $Y" != "$X0 $Y0" ] || fail "the keypad did not move the leader"
# A click on the square the leader started from walks it back there.
xdotool mousemove --window "$WINDOW" --sync "$X0" "$Y0"
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1
settle 3
# The pointer, drawn over the map, would hide the mark where it now stands.
xdotool mousemove --window "$WINDOW" --sync $((W - 30)) $((H / 2))
hold_key m
settle 1
shot walked
read -r X2 Y2 < <(mark walked)
[ "$X2 $Y2" = "$X0 $Y0" ] ||
  fail "the walk picked on the map did not reach its square ($X0,$Y0 from $X,$Y; at $X2,$Y2)"
hold_key space
settle 0.5
leave_to_menu_and_quit
replayed=$("$BUILD/grimhollow" --replay "$BUILD/save/last.replay" --headless 2>&1)
grep -q "the same state as the recorded game" <<<"$replayed" || fail "the walk did not replay: $replayed"
[ "$(grep -c ' forward ' "$BUILD/save/last.replay")" -ge 2 ] || fail "the walk's steps were not recorded"
echo "PASS: ${W}x${H} keypad steps, the map with the leader's mark, a walk back picked on it, replayed"
