#!/usr/bin/env bash
# Runs every test of the plain build and of the sanitized build, then prints
# one closing line with the totals.
set -uo pipefail
jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
status=0
for dir in build build-asan; do
  echo "=== tests in $dir"
  out=$(cd "$dir" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" 2>&1)
  rc=$?
  printf '%s\n' "$out" | tail -n 40
  [ $rc -ne 0 ] && status=1
  line=$(printf '%s\n' "$out" | grep -E 'tests passed, [0-9]+ tests failed out of' | tail -n1)
  total=$(printf '%s' "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
  bad=$(printf '%s' "$line" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
  if [ -z "$line" ]; then
    status=1
    continue
  fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
echo
echo "$passed passed, $failed failed"
exit $status
