#!/usr/bin/env bash
# The help screen in a real window: F1 and ? each cover the map with how to
# play, any key turns to the list of commands and another takes it away; the
# keys that turn and close it do nothing in the game (the map is as it was);
# keys work again afterwards. The console names the seed of the new game.
# Usage: window_help.sh BUILD [RESOLUTION 1|2|3] [FOLDER to keep the shots in]
set -u
source "$(dirname "$0")/window_lib.bash"
window_test_args "$@"
SHOT_PREFIX="help_${W}x${H}_"
VIEW_GEOM="$((W - 220))x$((H - 240))+160+80"


start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
start_game "$BUILD/grimhollow" "Y\nN\n$RES\n3\n"
wait_window
new_game_by_keys ADA 1
shot start

hold_key F1
settle 1
shot help
[ "$(changed start help "$VIEW_GEOM")" -gt 5000 ] || fail "F1 showed no help"
# Up turns to the page of commands, a second Up closes the help; neither
# steps.
hold_key Up
settle 1
shot help_keys
[ "$(changed help help_keys "$VIEW_GEOM")" -gt 5000 ] || fail "no page of commands after the first"
hold_key Up
settle 1
shot closed
[ "$(changed start closed "$VIEW_GEOM")" -lt 50 ] || fail "the map changed behind the help"

xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
xdotool key question
settle 1
shot question
[ "$(changed start question "$VIEW_GEOM")" -gt 5000 ] || fail "? showed no help"
hold_key x
settle 1
hold_key x
settle 1
shot closed_again
[ "$(changed start closed_again "$VIEW_GEOM")" -lt 50 ] || fail "the map changed behind the help"

hold_key Up
settle
hold_key Left
settle
shot walked
[ "$(changed closed_again walked "$VIEW_GEOM")" -gt 500 ] || fail "the keys do nothing after the help"

grep -Eq '^seed [0-9]+$' "$WORK/game.out" || fail "the console does not name the seed"
# A stop signal while the game rests in play: Allegro closes the window and
# the signal ends the game (128 + 15), rather than an abort (134).
kill -TERM "$GAME_PID"
wait_exit 5
[ "$GAME_STATUS" -eq 143 ] || fail "a stop signal in play ended the game with status $GAME_STATUS"
echo "PASS: ${W}x${H} help opened by F1 and ?, closed by any key, the game unmoved behind it; a stop signal closes it"
