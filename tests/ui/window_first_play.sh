#!/usr/bin/env bash
# What a new player meets first, in a real window: the name entry shows its
# cursor; a click on the top edge hides the status bar and leaves the hero as
# he was; the help button opens the help; the file panel opened from the
# load-and-save menu holds its caption and leaves no pointer on the button;
# Escape asks first, and N goes back to the same turn.
# Usage: window_first_play.sh BUILD [RESOLUTION 1|2|3] [FOLDER to keep the shots in]
set -u
source "$(dirname "$0")/window_lib.bash"
window_test_args "$@"
SHOT_PREFIX="first_${W}x${H}_"
HERO="120x120+$((W / 2 - 60))+$((H / 2 - 60))"
PANEL_BOTTOM=$((H / 2 - 70 + 120))
click() {
  xdotool mousemove --window "$WINDOW" "$1" "$2" sleep 0.3 mousedown 1 sleep 0.15 mouseup 1
  settle
}
away() { xdotool mousemove --window "$WINDOW" $((W - 150)) $((H - 120)) && settle 1; }

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
start_game "$BUILD/grimhollow" "Y\nN\n$RES\n3\n"
wait_window
wait_menu
hold_key 1
settle 1
shot name_prompt
dark=$(convert "$WORK/name_prompt.png" -crop "12x30+$((W / 2 - 4))+$((H / 2 - 30))" +repage \
  -colorspace gray -threshold 15% -negate -format '%[fx:round(mean*w*h)]' info:)
[ "$dark" -gt 20 ] || fail "the name entry shows no cursor"
xdotool type --delay 120 ADA
hold_key Return
settle
hold_key 1
for _ in 1 2 3; do settle 1 && hold_key space; done
away
shot start

click $((W / 2 + 40)) 4
away
shot edge
[ "$(changed start edge "${W}x60+0+0")" -gt 500 ] || fail "the top edge did not hide the status bar"
[ "$(changed start edge "$HERO")" -lt 50 ] || fail "the click on the edge moved or turned the hero"
click $((W / 2 + 40)) 4
away
shot shown

click 35 175
shot help
[ "$(changed shown help "$((W - 220))x$((H - 240))+160+80")" -gt 5000 ] || fail "the help button showed no help"
hold_key x
settle 1

click 35 375           # load and save,
click 60 391           # LOAD GAME
xdotool mousemove --window "$WINDOW" $((W / 2 + 250)) $((H / 2 + 150))
settle 1
shot files
[ "$(changed shown files "48x48+11+351")" -lt 40 ] || fail "a picture of the pointer stayed on the button"
[ "$(changed shown files "300x28+$((W / 2 - 150))+$((PANEL_BOTTOM + 2))")" -lt 40 ] ||
  fail "the file panel wrote over the map below it"
click $((W / 2 + 288)) $((PANEL_BOTTOM - 12))  # out by the exit mark
away
shot before_escape
hold_key Escape
settle 1
shot question
[ "$(changed before_escape question "400x60+$((W / 2 - 200))+$((H / 2 - 30))")" -gt 2000 ] ||
  fail "Escape asked nothing"
hold_key n
settle 1
shot answered_no
[ "$(changed before_escape answered_no "$HERO")" -lt 50 ] || fail "N did not go back to the same turn"
hold_key Left
settle
shot turned
[ "$(changed answered_no turned "$HERO")" -gt 200 ] || fail "the keys do nothing after the question"

leave_to_menu_and_quit
echo "PASS: ${W}x${H} cursor, edge click, help button, file panel, Escape asks"
