#!/usr/bin/env bash
# Builds Pelmorath and starts it under Wine: on your display, or in a virtual desktop when there is none.
#   scripts/run.sh [--skin NAME]   NAME: a sample skin in skins/ (dark, high-contrast, ...), worn as x\o.cjs
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

skin=""
while [ $# -gt 0 ]; do
  case "$1" in
    --skin)
      [ $# -ge 2 ] || { echo "usage: scripts/run.sh [--skin NAME]" >&2; exit 2; }
      skin="$2"; shift 2 ;;
    --skin=*) skin="${1#--skin=}"; shift ;;
    *) echo "usage: scripts/run.sh [--skin NAME]" >&2; exit 2 ;;
  esac
done
if [ -n "$skin" ] && [ ! -f "$root/skins/$skin.cjs" ]; then
  echo "no sample skin '$skin'; there are: $(cd "$root/skins" && ls *.cjs | sed 's/\.cjs$//' | tr '\n' ' ')" >&2
  exit 2
fi

"$root/scripts/build.sh"
exe="$root/build/win32/Pelmorath.exe"
if [ -n "$skin" ]; then
  # A copy of its own, so that the plain build folder never carries a skin.
  dir="$root/build/run-skin/$skin"
  mkdir -p "$dir/x"
  cp "$exe" "$dir/Pelmorath.exe"
  cp "$root/skins/$skin.cjs" "$dir/x/o.cjs"
  exe="$dir/Pelmorath.exe"
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe"
fi

# No display: a private Xvfb desktop, a screenshot to look at, and the program kept running while we wait.
source "$root/scripts/lib/winedesk.sh"
winedesk_start
trap winedesk_stop EXIT
winedesk_run_exe "$exe"
winedesk_wait_window PelmorathForm1 30 || echo "the window did not appear within 30 s" >&2
sleep 1
shot="$root/build/run-screenshot${skin:+-$skin}.png"
winedesk_screenshot "$shot"
echo "Pelmorath is running on the virtual display $DISPLAY; screenshot: $shot"
if [ -t 0 ]; then
  echo "Press Ctrl+C to stop it."
  wait "$WINEDESK_APP_PID" || true
fi
