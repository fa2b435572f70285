#!/usr/bin/env bash
# What a new player meets first, in a real window: the name prompt shows its
# cursor; a click on the top edge hides the status bar and nothing else (the
# hero stays as he was); the help button opens the help screen; the file
# panel opened from the load-and-save menu keeps its caption inside it and
# leaves no picture of the pointer on the button that opened it; Escape asks
# before leaving, and N goes back to the same turn.
# Usage: window_first_play.sh BUILD [RESOLUTION 1|2|3] [FOLDER to keep the shots in]
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
RES=${2:-1}
KEEP=${3:-}
source "$(dirname "$0")/window_lib.bash"

window_size "$RES"
SHOT_PREFIX="first_${W}x${H}_"
HERO_GEOM="120x120+$((W / 2 - 60))+$((H / 2 - 60))"
BUTTON_GEOM="48x48+11+351"

click() {
  xdotool mousemove --window "$WINDOW" "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.4
}
# dark SHOT GEOMETRY: pixels darker than 15% inside a region.
dark() {
  convert "$WORK/$1.png" -crop "$2" +repage -colorspace gray -threshold 15% -negate \
    -format '%[fx:round(mean*w*h)]' info:
}

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
start_game "$BUILD/grimhollow" "Y\nN\n$RES\n3\n"
wait_window
wait_menu
hold_key 1
settle 1
shot name_prompt
# The cursor: a dark upright stroke where the first letter will go.
[ "$(dark name_prompt "12x30+$((W / 2 - 4))+$((H / 2 - 30))")" -gt 20 ] || fail "the name entry shows no cursor"
xdotool type --delay 120 ADA
settle
shot name_typed
hold_key Return
settle
hold_key 1
for _ in 1 2 3; do
  settle 1
  hold_key space
done
settle 1
xdotool mousemove --window "$WINDOW" $((W - 150)) $((H - 120))
settle 1
shot start

click $((W / 2 + 40)) 4
settle 1
shot status_hidden
[ "$(changed start status_hidden "${W}x60+0+0")" -gt 500 ] || fail "the top edge did not hide the status bar"
[ "$(changed start status_hidden "$HERO_GEOM")" -lt 50 ] || fail "the click on the edge moved or turned the hero"
click $((W / 2 + 40)) 4
xdotool mousemove --window "$WINDOW" $((W - 150)) $((H - 120))
settle 1
shot status_back

click 35 175
settle 1
shot help_button
[ "$(changed status_back help_button "$((W - 220))x$((H - 240))+160+80")" -gt 5000 ] || fail "the help button showed no help"
hold_key x
settle 1

# Load and save, then LOAD GAME: the file panel over the map.
click 35 375
settle
xdotool mousemove --window "$WINDOW" 60 391
settle
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1
settle
xdotool mousemove --window "$WINDOW" $((W / 2 + 250)) $((H / 2 + 150))
settle 1
shot file_panel
[ "$(changed status_back file_panel "$BUTTON_GEOM")" -lt 40 ] || fail "a picture of the pointer stayed on the button"
# Nothing under the panel reads as the caption: below the panel the map is as it was.
panel_bottom=$((H / 2 - 70 + 120))
[ "$(changed status_back file_panel "300x28+$((W / 2 - 150))+$((panel_bottom + 2))")" -lt 40 ] ||
  fail "the file panel wrote over the map below it"
# Out by the exit mark in the panel's corner.
click $((W / 2 + 300 - 12)) $((panel_bottom - 12))
settle 1

xdotool mousemove --window "$WINDOW" $((W - 150)) $((H - 120))
settle 1
shot before_escape
hold_key Escape
settle 1
shot question
[ "$(changed before_escape question "400x60+$((W / 2 - 200))+$((H / 2 - 30))")" -gt 2000 ] || fail "Escape asked nothing"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
hold_key n
settle 1
shot answered_no
[ "$(changed before_escape answered_no "$HERO_GEOM")" -lt 50 ] || fail "N did not go back to the same turn"
hold_key Left
settle
shot walked
[ "$(changed answered_no walked "$HERO_GEOM")" -gt 200 ] || fail "the keys do nothing after the question"

leave_to_menu_and_quit
echo "PASS: ${W}x${H} cursor, edge click, help button, file panel, Escape asks"
