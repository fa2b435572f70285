#!/usr/bin/env bash
# An installed game: installed into a fresh prefix, started from its desktop
# entry's command, it reaches the main menu with its pictures and keeps its
# own files in the player's data folder, never in the install folder.
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
source "$(dirname "$0")/window_lib.bash"

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.out" 2>&1 || fail "install failed: $(cat "$WORK/install.out")"
desktop="$PREFIX/share/applications/grimhollow.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$PREFIX/share/pixmaps/grimhollow.xpm" ] || fail "no icon"
command=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$command" ] || fail "the desktop entry runs '$command', which is not an installed program"

export HOME="$WORK/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME
start_display
start_game "$command" 'N\n'
wait_window
wait_menu
hold_key 3
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
grep -qi "could not\|couldn.t" "$WORK/game.out" && fail "a picture or the font was not found"
own="$HOME/.local/share/grimhollow"
[ -d "$own/save" ] || fail "no save folder in the player's data folder"
[ -e "$own/data/you.bmp" ] || fail "the pictures are not reachable from the player's data folder"
[ -e "$PREFIX/games/save" ] || [ -e "$PREFIX/share/games/grimhollow/save" ] && fail "the game wrote into its install folder"
echo "PASS: installed game reached the menu ($colours colours) and keeps its files in $own"
