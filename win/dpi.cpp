// Looks the per-monitor DPI functions up at run time, so the program still starts where they are missing.
#include "win/dpi.h"

namespace win {
namespace {

template <class Function>
Function User32Function(const char* name) noexcept {
    // GetProcAddress hands back a generic pointer; the caller names the true signature.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int ScreenDpi() noexcept {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int SystemDpi() noexcept {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
    return getDpiForSystem ? static_cast<int>(getDpiForSystem()) : ScreenDpi();
}

int WindowDpi(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) noexcept {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

int SystemMetricForDpi(int index, int dpi) noexcept {
    using GetMetricForDpiFn = int(WINAPI*)(int, UINT);
    static const auto getMetricForDpi = User32Function<GetMetricForDpiFn>("GetSystemMetricsForDpi");
    return getMetricForDpi ? getMetricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

}  // namespace win
