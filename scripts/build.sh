#!/usr/bin/env bash
# Builds Pelmorath.exe (build/win32) and, with --native, the test build of it (build/win32-test) and the unit
# tests (build/native); installs missing tools.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"

native=0
werror=OFF
for arg in "$@"; do
  case "$arg" in
    --native) native=1 ;;
    --werror) werror=ON ;;  # warnings fail the build, as in the tests
    *) echo "usage: scripts/build.sh [--native] [--werror]" >&2; exit 2 ;;
  esac
done

ensure_packages
jobs="$(nproc 2>/dev/null || echo 2)"

cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DPELMORATH_WERROR=$werror >/dev/null
cmake --build "$root/build/win32" -j "$jobs"

if [ "$native" = 1 ]; then
  # The program with its test-only switches, for the end-to-end tests; never packaged.
  cmake -S "$root" -B "$root/build/win32-test" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DPELMORATH_WERROR=$werror -DPELMORATH_TEST_BUILD=ON >/dev/null
  cmake --build "$root/build/win32-test" -j "$jobs" --target Pelmorath
fi

if [ "$native" = 1 ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DPELMORATH_WERROR=$werror >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
  cmake -S "$root" -B "$root/build/native-sanitize" -DCMAKE_BUILD_TYPE=Debug -DPELMORATH_SANITIZE=ON -DPELMORATH_WERROR=$werror >/dev/null
  cmake --build "$root/build/native-sanitize" -j "$jobs"
fi
echo "built: $root/build/win32/Pelmorath.exe"
