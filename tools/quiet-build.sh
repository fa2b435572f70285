#!/usr/bin/env bash
# Configures and builds one build folder with a few lines of its own instead
# of make's: what is built, how far it has come, and the compiler's last
# lines when it fails. The whole output is kept in DIR/build.log.
# Usage: quiet-build.sh DIR WHAT "CMAKE OPTIONS" [TARGET...]
set -uo pipefail
dir=$1 what=$2 options=$3
shift 3
mkdir -p "$dir"
log="$dir/build.log"
echo "Building $what in $dir/"
# shellcheck disable=SC2086  # the options are words of their own
if ! cmake -S . -B "$dir" $options >"$log" 2>&1; then
  tail -n 30 "$log"
  echo "cmake could not configure $dir/ (whole output in $log)"
  exit 1
fi
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
start=$SECONDS
cmake --build "$dir" -j"$(nproc 2>/dev/null || echo 2)" "${targets[@]}" 2>&1 | tee -a "$log" |
  awk '/^\[ *[0-9]+%\]/ {
         p = substr($0, 2, index($0, "%") - 2) + 0
         if (p >= next_mark && p < 100) { printf "  %d%%\n", p; fflush(); next_mark = p - p % 25 + 25 }
       }
       BEGIN { next_mark = 25 }'
if [ "${PIPESTATUS[0]}" -ne 0 ]; then
  grep -E -A3 'error|Error' "$log" | head -n 40
  echo "The build in $dir/ failed (whole output in $log)"
  exit 1
fi
echo "  done in $((SECONDS - start)) s"
