// Looks the per-monitor DPI functions up at run time, so the program still starts where they are missing.
#include "win/dpi.h"

#include "win/proc_address.h"

namespace win {
namespace {

HMODULE User32() noexcept { return GetModuleHandleW(L"user32.dll"); }

int ScreenDpi() noexcept {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int SystemDpi() noexcept {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = ProcAddress<GetDpiForSystemFn>(User32(), "GetDpiForSystem");
    return getDpiForSystem ? static_cast<int>(getDpiForSystem()) : ScreenDpi();
}

int WindowDpi(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = ProcAddress<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) noexcept {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = ProcAddress<AdjustForDpiFn>(User32(), "AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

int SystemMetricForDpi(int index, int dpi) noexcept {
    using GetMetricForDpiFn = int(WINAPI*)(int, UINT);
    static const auto getMetricForDpi = ProcAddress<GetMetricForDpiFn>(User32(), "GetSystemMetricsForDpi");
    return getMetricForDpi ? getMetricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

}  // namespace win
