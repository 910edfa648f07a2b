#!/usr/bin/env bash
# Second compiler and static analysis: the folders' include layers, the program built with clang as well (warnings
# are errors), the unit tests built natively with clang, and clang-tidy over every source of the program. Prints one
# line per check.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
ensure_packages
jobs="$(nproc 2>/dev/null || echo 2)"
passed=0
failed=0
check() {  # check NAME COMMAND...: runs the command, output kept in build/lint/NAME.log
  local name=$1 log="$root/build/lint/$1.log"
  shift
  mkdir -p "$root/build/lint"
  if "$@" >"$log" 2>&1; then
    echo "ok   lint $name"
    passed=$((passed + 1))
  else
    echo "FAIL lint $name (see build/lint/$name.log)"
    tail -n 40 "$log" | sed 's/^/     /'
    failed=$((failed + 1))
  fi
}

build_clang_program() {
  cmake -S "$root" -B "$root/build/win32-clang" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DPELMORATH_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON &&
    cmake --build "$root/build/win32-clang" -j "$jobs" --target Pelmorath
}
build_clang_unit_tests() {
  CXX=clang++ cmake -S "$root" -B "$root/build/native-clang" -DCMAKE_BUILD_TYPE=Debug -DPELMORATH_WERROR=ON &&
    cmake --build "$root/build/native-clang" -j "$jobs" &&
    ctest --test-dir "$root/build/native-clang" --output-on-failure
}
tidy() {
  # The program's own sources, as the clang cross build compiles them; a list that fails to come checks nothing.
  python3 "$root/scripts/lib/program_sources.py" "$root/build/win32-clang/compile_commands.json" "$root" |
    xargs -r -P "$jobs" -n 4 clang-tidy -p "$root/build/win32-clang" --quiet 2>&1 | grep -v " warnings generated\.$"
  local status=("${PIPESTATUS[@]}")
  [ "${status[0]}" -eq 0 ] && [ "${status[1]}" -eq 0 ]
}

layers() {
  # The folders' layers: win at the bottom; steering, skin and tray on win alone; app on all of them. And the rule
  # of every folder's logic/: no Windows header, and of the program's own headers only other logic/ ones.
  local folder allowed found=0
  declare -A allowed_of=([win]="win" [steering]="steering win" [skin]="skin win" [tray]="tray win")
  for folder in "${!allowed_of[@]}"; do
    allowed="${allowed_of[$folder]}"
    while IFS= read -r line; do
      local dep="${line#*#include \"}"
      dep="${dep%%/*}"
      if [[ " $allowed " != *" $dep "* ]]; then
        echo "$line: $folder may not include $dep/"
        found=1
      fi
    done < <(cd "$root" && grep -n '^#include "[a-z_]*/' "$folder"/*.h "$folder"/*.cpp "$folder"/logic/*)
  done
  while IFS= read -r line; do
    echo "$line: a logic/ file builds without Windows and includes only logic/ headers"
    found=1
  done < <(cd "$root" && grep -nE '^#include (<(windows|commctrl|shellapi|wtsapi32|winuser)\.h>|"[a-z_]+/[a-z_]+\.h")' \
             app/logic/* win/logic/* steering/logic/* tray/logic/* skin/logic/*)
  return "$found"
}

check layers layers
check clang-program build_clang_program
check clang-unit-tests build_clang_unit_tests
check clang-tidy tidy
echo "lint: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
