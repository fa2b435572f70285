#!/usr/bin/env bash
# The manual page names every option the program's --help names, and groff
# reads it without a warning (when groff is installed).
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
PAGE="$(dirname "$0")/../../dist/grimhollow.6"
status=0
for option in $("$BUILD/grimhollow" --help | grep -o -E -- '--[a-z][a-z-]*' | sort -u); do
  if ! grep -q -F -- "${option//-/\\-}" "$PAGE"; then
    echo "FAIL: the manual page does not name $option"
    status=1
  fi
done
if command -v groff >/dev/null 2>&1; then
  warnings=$(groff -man -ww -z -Tutf8 "$PAGE" 2>&1)
  [ -z "$warnings" ] || { echo "FAIL: groff warns: $warnings"; status=1; }
fi
[ $status -eq 0 ] && echo "PASS: the manual page names every option"
exit $status
