#!/usr/bin/env bash
# Benchmark figures of Pelmorath.exe under Wine in a private desktop: CPU and server requests per key event beside a
# minimal hook program, instruction count of the key path's logic (native, callgrind), balloon-wait CPU beside a
# polling stand-in, idle-run CPU, start-up time, size.
# Usage: scripts/bench.sh [--build-dir DIR] [--starts N] [--idle SECONDS] [--rounds N] [--events N] [--waits N]
#                         [--only keys|balloon|start|idle]
# Prints figures only; it asserts nothing about them. Needs a built build/win32/Pelmorath.exe.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)

# shellcheck source=lib/winedesk.sh
source "$here/lib/winedesk.sh"

winedesk_start || { echo "bench: could not start the Wine desktop" >&2; exit 1; }
trap 'winedesk_stop' EXIT
trap 'exit 130' INT TERM HUP

python3 "$root/tests/bench/bench.py" "$@"
