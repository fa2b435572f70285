#!/usr/bin/env bash
# Monsters hunt and fight the party in the real window: a new game is started
# through the menus, the party stands still and ends turn after turn until a
# creature strikes.  The blow's message is traced on the console (debug mode)
# and the message panel must change with it, while turns without a blow leave
# the panel as it was.  The game seeds itself from the clock, so the dungeon is
# a different one each run; creatures of the bottom level hunt the party from
# the first turn, so a blow comes within the allowed number of turns.
# Usage: window_fight.sh BUILD [FOLDER to keep the shots in]
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
KEEP=${2:-}
MAX_TURNS=${MAX_TURNS:-60}
source "$(dirname "$0")/window_lib.bash"

W=800 H=600
PANEL_GEOM="590x130+20+$((H - 150))"

shot() {
  import -window "$WINDOW" "$WORK/$1.png" 2>/dev/null || fail "no screenshot $1"
  [ -n "$KEEP" ] && cp "$WORK/$1.png" "$KEEP/fight_$1.png"
  return 0
}
changed() {
  convert "$WORK/$1.png" -crop "$3" +repage "$WORK/a.png"
  convert "$WORK/$2.png" -crop "$3" +repage "$WORK/b.png"
  compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1
}
settle() { sleep "${1:-0.6}"; }
blows() { grep -c " hits " "$WORK/game.out" 2>/dev/null || true; }

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
# Diagnostics yes, debug yes (the console traces each blow), 800x600, 32-bit.
# Line-buffered, so each trace is in the file as soon as it is printed.
printf "Y\nY\n1\n3\n" | stdbuf -oL "$BUILD/grimhollow" >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
wait_window
wait_menu
hold_key 1
settle
xdotool type --delay 120 "ADA"
hold_key Return
settle
hold_key 1
for _ in 1 2 3; do
  settle 1
  hold_key space
done
settle 1

# Each end of turn traces "OPM return call" as it finishes.
turns_done() { grep -c "OPM return call" "$WORK/game.out" 2>/dev/null || true; }
turn=0
struck=0
shot before
while [ "$turn" -lt "$MAX_TURNS" ]; do
  turn=$((turn + 1))
  done_before=$(turns_done)
  blows_before=$(blows)
  hold_key e
  for _ in $(seq 1 120); do
    [ "$(turns_done)" -gt "$done_before" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during turn $turn"
    sleep 0.25
  done
  [ "$(turns_done)" -gt "$done_before" ] || fail "turn $turn did not end"
  if [ "$(blows)" -gt "$blows_before" ]; then
    struck=1
    break
  fi
  shot before
done
[ "$struck" -eq 1 ] || fail "no creature struck in $MAX_TURNS turns"
line=$(grep -m1 " hits " "$WORK/game.out")
settle 1
shot struck
[ "$(changed before struck "$PANEL_GEOM")" -gt 50 ] || fail "the blow's message did not show"

hold_key Escape
settle 1
hold_key Escape
wait_menu
hold_key 3
wait_exit 15
echo "PASS: \"$line\" after $turn turns, shown in the message panel"
