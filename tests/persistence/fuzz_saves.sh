#!/usr/bin/env bash
# Builds the save loader's fuzz target with clang (a build folder of its own,
# so the gcc build is untouched), runs it over the stored corpus of sound and
# broken saves, then lets it mutate them for a bounded time.
# Usage: fuzz_saves.sh BUILD [SECONDS]   (make fuzz passes a longer time)
set -u
BUILD=$(cd "${1:?build folder}" && pwd)
SECONDS_TO_RUN=${2:-${FUZZ_SECONDS:-20}}
HERE=$(cd "$(dirname "$0")" && pwd)
CORPUS="$HERE/corpus"

# Without clang or its fuzzer runtime the fuzzer cannot be built: a skip
# (CTest's code 77), never a pass.
if ! command -v clang++ >/dev/null 2>&1; then
  echo "SKIP: clang++ is not installed, the save fuzzer cannot be built"
  exit 77
fi
PROBE=$(mktemp -d)
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$PROBE/p.cc"
if ! clang++ -fsanitize=fuzzer,address,undefined "$PROBE/p.cc" -o "$PROBE/p" >/dev/null 2>&1; then
  rm -rf "$PROBE"
  echo "SKIP: clang++ has no fuzzer runtime (libFuzzer), the save fuzzer cannot be built"
  exit 77
fi
rm -rf "$PROBE"

OUT="$BUILD/fuzz"
cmake -S "$HERE/fuzz" -B "$OUT" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  >"$OUT.log" 2>&1 || { cat "$OUT.log"; echo "FAIL: the fuzz build would not configure"; exit 1; }
cmake --build "$OUT" -j2 >>"$OUT.log" 2>&1 || { tail -n 40 "$OUT.log"; echo "FAIL: the fuzz target did not build"; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Every stored save once, alone: no crash, no hang, world untouched.
"$OUT/fuzz_load" -timeout=20 -rss_limit_mb=2048 "$CORPUS"/* >"$WORK/corpus.log" 2>&1 ||
  { tail -n 60 "$WORK/corpus.log"; echo "FAIL: a stored save broke the loader"; exit 1; }

# Then mutations of them for a bounded time; new finds stay in the work folder.
"$OUT/fuzz_load" -max_total_time="$SECONDS_TO_RUN" -timeout=20 -rss_limit_mb=2048 \
  -dict="$HERE/fuzz/save.dict" -artifact_prefix="$WORK/" "$WORK" "$CORPUS" >"$WORK/run.log" 2>&1 || {
  tail -n 60 "$WORK/run.log"
  for crash in "$WORK"/crash-* "$WORK"/timeout-* "$WORK"/leak-*; do
    [ -f "$crash" ] && cp "$crash" "$BUILD/" && echo "kept $BUILD/$(basename "$crash")"
  done
  echo "FAIL: the fuzzer found a fault"
  exit 1
}
runs=$(grep -o 'Done [0-9]* runs' "$WORK/run.log" | tail -n1)
grep 'save fuzz rate' "$WORK/run.log" | tail -n1
echo "PASS: $(ls "$CORPUS" | wc -l) stored saves, then ${SECONDS_TO_RUN}s of mutations ($runs)"
