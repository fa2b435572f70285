#!/usr/bin/env bash
# The game is built in layers, each including only those below it, so that
# no folder leans on one that leans back on it. Fails on any include of a
# layer above the including file's own.
set -u
src=$(cd "$(dirname "$0")/../.." && pwd)

# Bottom to top; the README lists the same order with what each layer holds.
layer_of() {
  case "$1" in
    core/actions/*) echo 4 ;;
    core/game/*) echo 7 ;;
    core/*) echo 0 ;;
    items/*) echo 1 ;;
    creatures/ai/*) echo 5 ;;
    creatures/*) echo 2 ;;
    generation/*) echo 3 ;;
    persistence/*) echo 6 ;;
    ui/*) echo 8 ;;
    *) echo "" ;;
  esac
}

# Prints every upward include under folder $1; fails when there is one.
check_tree() {
  local bad=0 f mine inc theirs
  cd "$1" || return 2
  for f in $(find core items creatures generation persistence ui -name '*.cpp' -o -name '*.h' 2>/dev/null | sort); do
    mine=$(layer_of "$f")
    while IFS= read -r inc; do
      theirs=$(layer_of "$inc")
      [ -z "$theirs" ] && continue
      if [ "$theirs" -gt "$mine" ]; then
        echo "$f (layer $mine) includes $inc (layer $theirs)"
        bad=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
  done
  return $bad
}

# The check must be able to fail: a tree with one upward include.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
mkdir -p "$probe/core" "$probe/creatures/ai"
printf '#include "creatures/ai/ai.h"\n' > "$probe/core/world.h"
if (check_tree "$probe" > /dev/null); then echo "the layer check missed an upward include"; exit 1; fi

if ! (check_tree "$src"); then echo "a file includes a layer above its own"; exit 1; fi
echo "every include points down"
