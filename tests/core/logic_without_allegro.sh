#!/usr/bin/env bash
# The rules must build and run without Allegro: no source outside ui/ may
# include it, and no test program may link it.
set -u
src=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$src/build}
bad=$(grep -rlE '#\s*include\s*[<"](allegro|alfont)' "$src"/core "$src"/generation "$src"/items \
  "$src"/creatures "$src"/persistence "$src"/tests 2>/dev/null)
if [ -n "$bad" ]; then
  echo "Allegro included outside ui/:"; echo "$bad"; exit 1
fi
for t in "$build"/logic_tests "$build"/ui_tests; do
  [ -x "$t" ] || { echo "$t was not built: nothing to check"; exit 1; }
  if ldd "$t" | grep -q alleg; then echo "$t links Allegro"; exit 1; fi
done
echo "rules are free of Allegro"
