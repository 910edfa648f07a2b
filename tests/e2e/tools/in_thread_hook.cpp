// Window-procedure hook that the probe puts into a program's own thread, to send there the messages whose
// parameters point into the receiver's memory: Wine carries no such pointer from one process to another.
//
// The probe installs CallWndProc for the program's thread and sends it the registered message
// "InThreadDpiChanged" with the new DPI as wParam; the hook, inside the program's thread, sends the window
// WM_DPICHANGED for that DPI with the rectangle Windows would suggest: the window's rectangle, its size scaled.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK CallWndProc(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
        static const UINT dpiRequest = RegisterWindowMessageW(L"InThreadDpiChanged");
        if (sent->message == dpiRequest && dpiRequest != 0) {
            const int dpi = static_cast<int>(sent->wParam);
            const HDC screen = GetDC(nullptr);
            const int current = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            RECT suggested{};
            GetWindowRect(sent->hwnd, &suggested);
            suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, current);
            suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, current);
            SendMessageW(sent->hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
