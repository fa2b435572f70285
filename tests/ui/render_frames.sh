#!/usr/bin/env bash
# Frames composed without a window: at each window size the hand-made level
# draws a full view, the blur settings change the picture, a dark level shows
# less, and a leader in the corner of the level draws without reading past it.
set -u
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
echo "PASS: frames at three sizes, blurs, darkness, level corners"
