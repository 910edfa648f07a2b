#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (plain and sanitized), the second compiler and
# clang-tidy, the fuzz targets for a bounded time (PELMORATH_FUZZ_SECONDS each, default 60) and the
# end-to-end tests under Wine.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" --native --werror || exit 1

passed=0
failed=0
run_ctest() {
  local out line total fails
  out="$(ctest --test-dir "$1" --output-on-failure 2>&1)"
  printf '%s\n' "$out"
  line="$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' <<<"$out" | tail -n1)"
  if [ -z "$line" ]; then
    failed=$((failed + 1))  # ctest did not get as far as running the tests
    return
  fi
  total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")"
  fails="$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$line")"
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

# run_counted WORD COMMAND...: runs a suite that ends with "WORD: N passed, N failed" and adds its counts.
# A suite that exits non-zero without that line counts as one failure.
run_counted() {
  local word=$1 out status line
  shift
  out="$(mktemp)"
  "$@" 2>&1 | tee "$out"
  status=${PIPESTATUS[0]}
  line="$(grep -E "^$word: [0-9]+ passed, [0-9]+ failed" "$out" | tail -n1)"
  rm -f "$out"
  if [ -n "$line" ]; then
    passed=$((passed + $(sed -E "s/^$word: ([0-9]+) passed.*/\\1/" <<<"$line")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")))
  fi
  [ "$status" -eq 0 ] || [ -n "$line" ] || failed=$((failed + 1))
}

echo "== unit tests"
run_ctest "$root/build/native"
echo "== unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
run_ctest "$root/build/native-sanitize"

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
