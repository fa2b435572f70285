#!/usr/bin/env bash
# Monsters hunt and fight the party in the real window: a new game is started
# through the menus, the party stands still and ends turn after turn until a
# creature strikes.  The blow's message is traced on the console (debug mode)
# and the message panel must change with it, while turns without a blow leave
# the panel as it was.  The game seeds itself from the clock and offers no way
# to choose a dungeon, so each run meets a different one; in most the bottom
# level's creatures reach the party within a few turns, and when one has not
# after TURNS_PER_GAME turns a new game is started, up to GAMES times.
# Usage: window_fight.sh BUILD [FOLDER to keep the shots in]
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
KEEP=${2:-}
TURNS_PER_GAME=${TURNS_PER_GAME:-20}
GAMES=${GAMES:-3}
source "$(dirname "$0")/window_lib.bash"
SHOT_PREFIX=fight_

W=800 H=600
PANEL_GEOM="590x130+20+$((H - 150))"

blows() { grep -c " hits " "$WORK/game.out" 2>/dev/null || true; }

start_display 1280x800x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
# Diagnostics yes, debug yes (the console traces each blow), 800x600, 32-bit.
# Line-buffered, so each trace is in the file as soon as it is printed.
printf "Y\nY\n1\n3\n" | stdbuf -oL "$BUILD/grimhollow" "${SCALE_ARGS[@]}" >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
wait_window

# Each end of turn traces "OPM return call" as it finishes.
turns_done() { grep -c "OPM return call" "$WORK/game.out" 2>/dev/null || true; }
turn=0
struck=0
game=0
while [ "$struck" -eq 0 ] && [ "$game" -lt "$GAMES" ]; do
  game=$((game + 1))
  if [ "$game" -gt 1 ]; then
    leave_game_by_keys
    settle 1
  fi
  new_game_by_keys ADA 1
  shot before
  turn=0
  while [ "$turn" -lt "$TURNS_PER_GAME" ]; do
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
done
[ "$struck" -eq 1 ] || fail "no creature struck in $GAMES games of $TURNS_PER_GAME turns"
line=$(grep -m1 " hits " "$WORK/game.out")
settle 1
shot struck
[ "$(changed before struck "$PANEL_GEOM")" -gt 50 ] || fail "the blow's message did not show"

leave_to_menu_and_quit
echo "PASS: \"$line\" in game $game after $turn turns, shown in the message panel"
