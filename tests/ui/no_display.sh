#!/usr/bin/env bash
# Started where no X display can be opened, the game says on a line of its
# own that it needs a graphical display and names DISPLAY, and ends with a
# status that is not 0.
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
out=$(mktemp)
trap 'rm -f "$out"' EXIT
printf 'Y\nN\n1\n3\n' | env -u DISPLAY timeout 60 "$BUILD/grimhollow" >"$out" 2>&1
status=$?
[ "$status" -ne 0 ] || { echo "FAIL: status 0 without a display"; exit 1; }
[ "$status" -ne 124 ] || { echo "FAIL: the game waited instead of ending"; exit 1; }
grep -Eq '^grimhollow: .*needs a graphical display, and DISPLAY is not set' "$out" || {
  echo "FAIL: no line saying what is missing"
  cat "$out"
  exit 1
}
echo "PASS: without a display: status $status and the reason on its own line"
