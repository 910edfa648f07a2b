#!/usr/bin/env bash
# Builds every libFuzzer target of tests/fuzz with clang (build/fuzz) and runs each for a bounded time.
#   scripts/fuzz.sh [NAME...]        NAME: a target without its _fuzz suffix (default: all of them)
#   PELMORATH_FUZZ_SECONDS=60        fuzzing time per target
# Seeds come from tests/fuzz/corpus/NAME/ (left untouched; new inputs go to build/fuzz/corpus/NAME/), a dictionary
# from tests/fuzz/NAME.dict when there is one. A crash, leak or timeout fails the target; the input that did it is
# kept under build/fuzz/artifacts/NAME/. The last line reads "fuzz: P passed, F failed".
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${PELMORATH_FUZZ_SECONDS:-60}"
build="$root/build/fuzz"
jobs="$(nproc 2>/dev/null || echo 2)"

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing"
  echo "fuzz: 0 passed, 1 failed"
  exit 1
fi
if ! CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORATH_FUZZ=ON \
     >/dev/null || ! cmake --build "$build" -j "$jobs" >"$build.log" 2>&1; then
  tail -n 30 "$build.log" 2>/dev/null
  echo "fuzz: the targets did not build"
  echo "fuzz: 0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
  [ -e "$source" ] || continue
  name="$(basename "$source" _fuzz.cpp)"
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$name"; then continue; fi
  exe="$build/tests/fuzz/${name}_fuzz"
  work="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  log="$build/$name.log"
  mkdir -p "$work" "$artifacts"
  corpora=("$work")
  [ -d "$root/tests/fuzz/corpus/$name" ] && corpora+=("$root/tests/fuzz/corpus/$name")
  extra=()
  [ -f "$root/tests/fuzz/$name.dict" ] && extra+=("-dict=$root/tests/fuzz/$name.dict")
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "${extra[@]}" "${corpora[@]}" >"$log" 2>&1
  status=$?
  executions="$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n1)"
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "fuzz $name: ${executions:-?} executions in $seconds s, no crash"
  else
    failed=$((failed + 1))
    tail -n 40 "$log"
    echo "fuzz $name: FAILED (exit $status) after ${executions:-?} executions; log $log, inputs in $artifacts"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
