#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (plain and sanitized), the packaging scripts' tests, the
# second compiler and clang-tidy, the fuzz targets for a bounded time (PELMORATH_FUZZ_SECONDS each, default 60)
# and the end-to-end tests under Wine.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" --native --werror || exit 1

passed=0
failed=0
# ctest_suite BUILD_DIR: runs the unit tests there and prints their counts, taken from ctest's JUnit report, as
# "unit: N passed, N failed"; returns ctest's exit status.
ctest_suite() {
  local junit="$1/ctest-junit.xml" status
  rm -f "$junit"
  ctest --test-dir "$1" --output-on-failure --no-tests=error --output-junit "$junit"
  status=$?
  [ ! -f "$junit" ] || python3 "$root/scripts/lib/junit_counts.py" unit "$junit"
  return "$status"
}

# run_counted WORD COMMAND...: runs a suite that ends with "WORD: N passed, N failed" and adds its counts. Its exit
# status decides whether it failed: one that exits non-zero counts as one failure when its line names none.
run_counted() {
  local word=$1 out status line suite_failed=0
  shift
  out="$(mktemp)"
  "$@" 2>&1 | tee "$out"
  status=${PIPESTATUS[0]}
  line="$(grep -E "^$word: [0-9]+ passed, [0-9]+ failed" "$out" | tail -n1)"
  rm -f "$out"
  if [ -n "$line" ]; then
    passed=$((passed + $(sed -E "s/^$word: ([0-9]+) passed.*/\\1/" <<<"$line")))
    suite_failed=$(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")
    failed=$((failed + suite_failed))
  fi
  [ "$status" -eq 0 ] || [ "$suite_failed" -gt 0 ] || failed=$((failed + 1))
}

echo "== unit tests"
run_counted unit ctest_suite "$root/build/native"
echo "== unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
run_counted unit ctest_suite "$root/build/native-sanitize"
echo "== the packaging scripts"
run_counted scripts python3 "$root/tests/scripts/test_msi_stamp.py"

echo "== second compiler and clang-tidy"
run_counted lint "$root/scripts/lint.sh"

echo "== fuzzing, ${PELMORATH_FUZZ_SECONDS:-60} s per target"
run_counted fuzz "$root/scripts/fuzz.sh"

echo "== end-to-end tests under Wine"
run_counted e2e python3 "$root/tests/e2e/run_e2e.py" --build-dir "$root/build/win32"
echo "== the clang-built program under Wine"
run_counted e2e python3 "$root/tests/e2e/run_e2e.py" --build-dir "$root/build/win32" \
  --exe "$root/build/win32-clang/Pelmorath.exe" -k MainWindowTest -k PointerFileReportTest -k ctrl_u

echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
