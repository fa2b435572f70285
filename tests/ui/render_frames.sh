#!/usr/bin/env bash
# Frames composed without a window: at each window size the hand-made level
# draws a full view, the blur settings change the picture, a dark level shows
# less, and a leader in the corner of the level draws without reading past it.
# The fast drawing (kept background and darkness mask, smoothing on rows of
# integers) gives the plain drawing's picture pixel for pixel, frame after
# frame while the leader walks, opens a door, turns, loses its light.
set -u
for tool in convert compare; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
BUILD=$(cd "${1:?build folder}" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
render() {  # NAME ARGS...
  local name=$1
  shift
  "$BUILD/tools/render_frame" --demo --out "$WORK/$name.bmp" "$@" >"$WORK/$name.log" 2>&1 ||
    fail "render_frame $* failed: $(cat "$WORK/$name.log")"
}
colours() { convert "$WORK/$1.bmp" -format %k info:; }
size() { convert "$WORK/$1.bmp" -format %wx%h info:; }
differ() { compare -metric AE "$WORK/$1.bmp" "$WORK/$2.bmp" null: 2>&1 | cut -d' ' -f1; }

for geometry in 800x600 1024x768 1280x720; do
  render "lit$geometry" --width "${geometry%x*}" --height "${geometry#*x}"
  [ "$(size "lit$geometry")" = "$geometry" ] || fail "frame of $geometry is $(size "lit$geometry")"
  [ "$(colours "lit$geometry")" -gt 2000 ] || fail "a thin frame at $geometry"
done
render dark --dark
[ "$(colours dark)" -lt "$(colours lit800x600)" ] || fail "the dark level shows as much as the lit one"
render pixel --aa 1
render blended --aa 2
[ "$(differ lit800x600 pixel)" -gt 10000 ] || fail "the pixel blur changed nothing"
[ "$(differ lit800x600 blended)" -gt 10000 ] || fail "the blended blur changed nothing"
render corner --at 0 0 --width 1280 --height 720
render far --at 50 50

# The goblin steps, the leader walks east to the door and opens it, turns,
# the water moves, the torch goes out, the level's light comes on.
MOVES=mfffffffoltfdgrt
for aa in 0 1 2; do
  render "fast$aa" --width 1280 --height 720 --aa "$aa" --moves "$MOVES"
  render "plain$aa" --width 1280 --height 720 --aa "$aa" --moves "$MOVES" --plain
  for i in $(seq 1 ${#MOVES}); do
    [ -f "$WORK/fast$aa-$i.bmp" ] || fail "no frame $i of the walk"
    [ "$(differ "fast$aa-$i" "plain$aa-$i")" = 0 ] ||
      fail "smoothing $aa, frame $i (after ${MOVES:i-1:1}): the fast drawing differs from the plain"
  done
done
# The walk really changed the picture: each step, the door, the dark.
for i in 2 3 8 13 14; do
  [ "$(differ "fast0-$((i - 1))" "fast0-$i")" -gt 1000 ] ||
    fail "move ${MOVES:i-1:1} (frame $i) left the picture as it was"
done
# Both smoothing modes on made-up pictures with the mask colour and extremes.
"$BUILD/tools/render_frame" --blur-check >"$WORK/blur.log" 2>&1 ||
  fail "the fast smoothing differs from Allegro's: $(grep differ "$WORK/blur.log" | grep -v ' 0 pixels')"
echo "PASS: frames at three sizes, blurs, darkness, level corners, fast drawing as plain"
