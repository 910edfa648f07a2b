#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (plain and sanitized), the fuzz targets for a bounded time
# (PELMORATH_FUZZ_SECONDS each, default 60) and the end-to-end tests under Wine.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" --native || exit 1

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

echo "== unit tests"
run_ctest "$root/build/native"
echo "== unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
run_ctest "$root/build/native-sanitize"

echo "== fuzzing, ${PELMORATH_FUZZ_SECONDS:-60} s per target"
fuzz_out="$("$root/scripts/fuzz.sh" 2>&1)"
printf '%s\n' "$fuzz_out"
fuzz_line="$(grep -E '^fuzz: [0-9]+ passed, [0-9]+ failed' <<<"$fuzz_out" | tail -n1)"
if [ -n "$fuzz_line" ]; then
  passed=$((passed + $(sed -E 's/^fuzz: ([0-9]+) passed.*/\1/' <<<"$fuzz_line")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$fuzz_line")))
else
  failed=$((failed + 1))  # the runner did not get as far as its summary
fi

echo "== end-to-end tests under Wine"
e2e_out="$(mktemp)"
python3 "$root/tests/e2e/run_e2e.py" --build-dir "$root/build/win32" 2>&1 | tee "$e2e_out"
e2e_status=${PIPESTATUS[0]}
e2e_line="$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' "$e2e_out" | tail -n1)"
rm -f "$e2e_out"
if [ -n "$e2e_line" ]; then
  passed=$((passed + $(sed -E 's/^e2e: ([0-9]+) passed.*/\1/' <<<"$e2e_line")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$e2e_line")))
fi
[ "$e2e_status" -eq 0 ] || [ -n "$e2e_line" ] || failed=$((failed + 1))

echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$e2e_status" -eq 0 ]
