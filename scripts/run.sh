#!/usr/bin/env bash
# Builds Pelmorath and starts it under Wine: on your display, or in a virtual desktop when there is none.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
exe="$root/build/win32/Pelmorath.exe"

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
shot="$root/build/run-screenshot.png"
winedesk_screenshot "$shot"
echo "Pelmorath is running on the virtual display $DISPLAY; screenshot: $shot"
if [ -t 0 ]; then
  echo "Press Ctrl+C to stop it."
  wait "$WINEDESK_APP_PID" || true
fi
