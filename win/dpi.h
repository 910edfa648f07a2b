// DPI queries that fall back gracefully on systems older than per-monitor DPI awareness.
#pragma once

#include <windows.h>

namespace win {

int SystemDpi() noexcept;
int WindowDpi(HWND window) noexcept;
// The outer window rectangle, at the origin, for a client area of the given size.
RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) noexcept;
int SystemMetricForDpi(int index, int dpi) noexcept;

}  // namespace win
