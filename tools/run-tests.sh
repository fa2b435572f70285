#!/usr/bin/env bash
# Runs every test of the plain build and of the sanitized build, showing each
# test as it finishes, then prints one closing line with the totals.  A test
# that could not run here (CTest's skip code) is counted apart from a pass.
set -uo pipefail
jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
skipped=0
status=0
for dir in build build-asan; do
  echo "=== tests in $dir"
  log="$dir/run-tests.log"
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" 2>&1) | tee "$log"
  [ "${PIPESTATUS[0]}" -ne 0 ] && status=1
  # One line per finished test: "N/T Test #K: name ....   Passed   0.01 sec".
  results=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$log")
  if [ -z "$results" ]; then
    status=1
    continue
  fi
  ok=$(printf '%s\n' "$results" | grep -c -E ' Passed +[0-9.]+ sec')
  skip=$(printf '%s\n' "$results" | grep -c -E '\*\*\*Skipped|Not Run \(Disabled\)')
  all=$(printf '%s\n' "$results" | wc -l)
  passed=$((passed + ok))
  skipped=$((skipped + skip))
  failed=$((failed + all - ok - skip))
done
echo
echo "$passed passed, $failed failed, $skipped skipped"
exit $status
