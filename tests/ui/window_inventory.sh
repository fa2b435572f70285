#!/usr/bin/env bash
# The inventory panels used with the pointer in a real window: the action
# menu and the item list open from the inventory button of the button bar;
# the key of the starting kit goes into the backpack and comes out again
# through the backpack list; the emptied backpack is taken off and worn again.
# The game runs in debug mode, which traces every panel choice and the item's
# place after it on the console.
# Usage: window_inventory.sh BUILD [FOLDER to keep the shots in]
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
KEEP=${2:-}
source "$(dirname "$0")/window_lib.bash"
SHOT_PREFIX=inventory_

# White pixels inside a region of a shot: an open panel is mostly white.
white() {
  convert "$WORK/$1.png" -crop "$2" +repage -fill black +opaque white -fill white -opaque white \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}
point() { xdotool mousemove --window "$WINDOW" "$1" "$2"; settle 0.3; }
# A press held long enough for the game's input pass to see it.
press() {
  xdotool mousedown "${1:-1}"
  sleep 0.25
  xdotool mouseup "${1:-1}"
  settle
}
traced() { grep -c -F "$1" "$WORK/game.out"; }

# The inventory button of the button bar, and where a panel opened there puts
# line n (10 pixels a line below a 10-pixel title, opened at the pointer).
BX=35 BY=125
line_y() { echo $(($1 + 10 * $2 + 5)); }

start_display 1024x768x24
[ -n "$KEEP" ] && mkdir -p "$KEEP"
# Diagnostics yes, debug yes, 800x600, 32-bit colour.
start_game "$BUILD/grimhollow" "Y\nY\n1\n3\n"
wait_window
new_game_by_keys ADA 1
shot start

# The action menu: right button on the inventory button; it closes when the
# pointer leaves it.
point $BX $BY
press 3
shot action_menu
[ "$(white action_menu "190x110+$((BX + 5))+$((BY + 5))")" -gt 12000 ] ||
  fail "the action menu was not drawn"
point 400 400
settle

# The item list: A backpack (worn), a short sword(used), A key.
point $BX $BY
press 1
shot item_list
[ "$(white item_list "190x40+$((BX + 5))+$((BY + 5))")" -gt 4000 ] ||
  fail "the item list was not drawn"
# The key's menu: DROP, PACK, EXAMINE.
point $((BX + 50)) "$(line_y $BY 3)"
press 1
KX=$((BX + 50)) KY=$(line_y $BY 3)
point $((KX + 20)) "$(line_y "$KY" 2)"
press 1

# The backpack's menu: DROP, REMOVE, REMOVE FROM BACKPACK, EXAMINE; the
# backpack list then holds the key.
open_backpack_menu() {
  point $BX $BY
  press 1
  point $((BX + 50)) "$(line_y $BY 1)"
  press 1
  PX=$((BX + 50)) PY=$(line_y $BY 1)
}
open_backpack_menu
point $((PX + 20)) "$(line_y "$PY" 3)"
press 1
QX=$((PX + 20)) QY=$(line_y "$PY" 3)
shot backpack_list
[ "$(white backpack_list "190x20+$((QX + 5))+$((QY + 5))")" -gt 2000 ] ||
  fail "the backpack list was not drawn"
point $((QX + 30)) "$(line_y "$QY" 1)"
press 1

# Emptied, the backpack comes off and goes on again.
open_backpack_menu
point $((PX + 20)) "$(line_y "$PY" 2)"
press 1
open_backpack_menu
point $((PX + 20)) "$(line_y "$PY" 2)"
press 1
shot worn

leave_to_menu_and_quit

expect() { [ "$(traced "$1")" -ge "${2:-1}" ] || fail "no trace \"$1\""; }
expect "INVENTORY MENU" 0
expect "A key: PACK"
expect "A key status 10"
expect "A backpack: REMOVE FROM BACKPACK" 1
expect "ITEMS IN BACKPACK: A key"
expect "A key status 2"
expect "A backpack: REMOVE"
expect "A backpack status 2"
expect "A backpack: WEAR"
expect "A backpack status 3"
[ "$(traced "INVENTORY MENU:")" -eq 0 ] || fail "the action menu chose a line with nobody clicking it"
echo "PASS: action menu and item list opened from the button bar; key packed, unpacked from the backpack list; backpack removed and worn again"
