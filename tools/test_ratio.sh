#!/usr/bin/env bash
# Test code against the rest: non-blank lines of .cpp and .h under tests/
# against those of every other .cpp and .h the repository holds.
set -u
cd "$(dirname "$0")/.." || exit 1
count() { xargs -r cat | grep -c -v '^[[:space:]]*$'; }
tests=$(git ls-files '*.cpp' '*.h' | grep '^tests/' | count)
code=$(git ls-files '*.cpp' '*.h' | grep -v '^tests/' | count)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d, code %d, ratio %.3f\n", t, c, t / c }'
