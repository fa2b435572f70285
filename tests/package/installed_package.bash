#!/usr/bin/env bash
# The Debian package: built, installed by dpkg into a scratch root, its
# metadata checked, the installed game started from its desktop entry's
# command to the main menu under Xvfb with its files in the player's data
# folder, then removed leaving nothing behind.
# Usage: installed_package.bash [PACKAGE.deb]   (without one, it builds it)
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT_DIR=$(cd "$HERE/../.." && pwd)

for tool in dpkg dpkg-deb dpkg-buildpackage Xvfb xdotool import xdpyinfo; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed, the package cannot be built and tried"
    exit 0
  fi
done
source "$ROOT_DIR/tests/ui/window_lib.bash"

deb=${1:-}
if [ -z "$deb" ]; then
  bash "$ROOT_DIR/tools/build-deb.sh" nocheck || fail "the package did not build"
  deb=$(ls "$ROOT_DIR"/build-deb/grimhollow_*.deb | head -n1)
fi
[ -f "$deb" ] || fail "no package at '$deb'"
version=$(dpkg-deb -f "$deb" Version)

# A root of its own with an empty dpkg database: dpkg installs and removes
# there as it would on a system, scripts and all.
R="$WORK/root"
mkdir -p "$R/var/lib/dpkg/info" "$R/var/lib/dpkg/updates" "$R/var/log"
touch "$R/var/lib/dpkg/status" "$R/var/lib/dpkg/available"
# What the package depends on is the host's: its libraries, and its fonts
# seen at their place in the root.
mkdir -p "$R/usr/share"
ln -s /usr/share/fonts "$R/usr/share/fonts"
dpkg_root() {
  # The game's libraries are the host's; the scratch database knows none.
  dpkg --root="$R" --log=/dev/null --force-depends \
    --force-not-root "$@" >"$WORK/dpkg.out" 2>&1 || fail "dpkg $*: $(cat "$WORK/dpkg.out")"
}
dpkg_root --install "$deb"

for f in usr/games/grimhollow usr/share/man/man6/grimhollow.6.gz \
  usr/share/applications/grimhollow.desktop usr/share/pixmaps/grimhollow.xpm \
  usr/share/metainfo/org.grimhollow.grimhollow.metainfo.xml \
  usr/share/games/grimhollow/data/you.bmp usr/share/doc/grimhollow/copyright; do
  [ -e "$R/$f" ] || fail "the package has no /$f"
done
for side in 32 48 64 128 256; do
  icon="$R/usr/share/icons/hicolor/${side}x${side}/apps/grimhollow.png"
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${side}x${side}" ] ||
    fail "no readable ${side}x${side} icon at $icon"
done
# The font is the system's, reached through a link that must lead somewhere.
[ -r "$R/usr/share/games/grimhollow/fonts/timesbd.TTF" ] || fail "the font link leads nowhere"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$R/usr/share/applications/grimhollow.desktop" >"$WORK/v.out" 2>&1 ||
    fail "the desktop entry is refused: $(cat "$WORK/v.out")"
fi
if command -v appstreamcli >/dev/null 2>&1; then
  appstreamcli validate --no-net "$R"/usr/share/metainfo/*.xml >"$WORK/v.out" 2>&1 ||
    fail "the metadata is refused: $(cat "$WORK/v.out")"
fi
shown=$("$R/usr/games/grimhollow" --version)
[ "$shown" = "grimhollow $version" ] || fail "the game says '$shown', the package is $version"

# Started as the desktop entry starts it, by a player with an empty home.
command=$(sed -n 's/^Exec=//p' "$R/usr/share/applications/grimhollow.desktop")
[ "$command" = /usr/games/grimhollow ] || fail "the desktop entry runs '$command'"
export HOME="$WORK/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME
start_display
start_game "$R$command" ''
wait_window
wait_menu
hold_key 3
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
grep -qi "could not\|couldn.t" "$WORK/game.out" && fail "a picture or the font was not found"
[ -d "$HOME/.local/share/grimhollow/save" ] || fail "no save folder in the player's data folder"

dpkg_root --purge grimhollow
rm "$R/usr/share/fonts"
left=$(find "$R" -path "$R/var" -prune -o ! -type d -print)
[ -z "$left" ] || fail "removing the package left: $left"
echo "PASS: grimhollow $version installed, reached the menu ($colours colours) and was removed"
