#!/usr/bin/env bash
# Seeds and replays in the real program: two games from one seed show the same
# first picture; a game played by keys is recorded to save/last.replay, plays
# back headless to the very state it ended in, and plays in the window until
# the player leaves it; a damaged replay is refused with a message.
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
source "$(dirname "$0")/window_lib.bash"

# new_game SEED: the menus by keys up to the map, with a seed asked for.
new_game() {
  printf 'N\nN\n1\n3\n' | "$BUILD/grimhollow" --seed "$1" "${SCALE_ARGS[@]}" >"$WORK/game.out" 2>"$WORK/game.err" &
  GAME_PID=$!
  wait_window
  new_game_by_keys ADA 2
}

start_display 1024x768x24
new_game 4242
# Fire and lava flicker with the clock: shots over a second catch every phase.
for i in 1 2 3 4 5 6 7 8 9 10; do
  import -window "$WINDOW" "$WORK/first_a$i.png" || fail "no screenshot"
  sleep 0.1
done
for k in Right Up Up Left Up e Up Right Up; do
  hold_key "$k"
  settle 0.4
done
leave_to_menu_and_quit_retrying
replay="$BUILD/save/last.replay"
[ -s "$replay" ] || fail "no replay was written"
grep -q '^seed 4242$' "$replay" || fail "the replay does not hold the seed: $(head -5 "$replay")"
grep -q '^difficulty 2$' "$replay" || fail "the replay does not hold the difficulty"
grep -q ' forward 1 ' "$replay" || fail "the walk was not recorded: $(cat "$replay")"
grep -q '^end ' "$replay" || fail "the replay has no end"
cp "$replay" "$WORK/walk.replay"

"$BUILD/grimhollow" --replay "$WORK/walk.replay" --headless >"$WORK/headless.out" 2>&1 ||
  fail "the headless replay failed: $(cat "$WORK/headless.out")"
grep -q "the same state as the recorded game" "$WORK/headless.out" ||
  fail "the replay ended elsewhere: $(cat "$WORK/headless.out")"

# The same seed again: the same dungeon, the same first picture.
new_game 4242
import -window "$WINDOW" "$WORK/first_b.png" || fail "no screenshot"
leave_to_menu_and_quit_retrying
least=""
for i in 1 2 3 4 5 6 7 8 9 10; do
  d=$(compare -metric AE "$WORK/first_a$i.png" "$WORK/first_b.png" null: 2>&1 | cut -d' ' -f1)
  [ -z "$least" ] || [ "$d" -lt "$least" ] && least=$d
done
[ "$least" -eq 0 ] || fail "one seed gave two different first pictures ($least pixels differ at the least)"

# In the window: it plays, and Escape leaves it.
printf 'N\nN\n2\n3\n' | "$BUILD/grimhollow" --replay "$WORK/walk.replay" "${SCALE_ARGS[@]}" >"$WORK/game.out" 2>&1 &
GAME_PID=$!
wait_window
for _ in 1 2 3; do  # the backstory, as in the game
  settle 1
  hold_key space
done
settle 2
for _ in 1 2 3; do
  hold_key Escape
  sleep 2
  kill -0 "$GAME_PID" 2>/dev/null || break
done
wait_exit 15
[ "$GAME_STATUS" -eq 0 ] || fail "the window replay ended with status $GAME_STATUS"
grep -q "replay: [0-9]* of [0-9]* commands" "$WORK/game.out" || fail "the window replay said nothing"

# A damaged replay: a clear message and status 1, before any window.
sed 's/ forward 1 / fly 1 /' "$WORK/walk.replay" >"$WORK/bad.replay"
"$BUILD/grimhollow" --replay "$WORK/bad.replay" --headless >"$WORK/bad.out" 2>&1
[ $? -eq 1 ] || fail "a damaged replay was followed"
grep -q "no command 'fly'" "$WORK/bad.out" || fail "no clear message: $(cat "$WORK/bad.out")"
printf 'GRIMHOLLOW REPLAY 9\n' >"$WORK/other.replay"
"$BUILD/grimhollow" --replay "$WORK/other.replay" >"$WORK/other.out" 2>&1
[ $? -eq 1 ] || fail "a replay of another version was accepted"
grep -q "another version" "$WORK/other.out" || fail "no clear message: $(cat "$WORK/other.out")"
echo "PASS: one seed, one dungeon; a game recorded, replayed headless to the same state and in the window"
