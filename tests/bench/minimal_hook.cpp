// Baseline for the key-path benchmark: the least a low-level keyboard hook does to move the pointer right.
// It ends when its hidden window is closed, so that the hook leaves Wine's chain cleanly.
#include <windows.h>

namespace {

HHOOK hook;

LRESULT CALLBACK hook_proc(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && GetAsyncKeyState(VK_RIGHT) < 0) {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x + 5, p.y);
    }
    return CallNextHookEx(hook, code, wp, lp);
}

LRESULT CALLBACK wnd_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = wnd_proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"PelmorathBenchHook";
    RegisterClassW(&wc);
    CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    hook = SetWindowsHookExW(WH_KEYBOARD_LL, hook_proc, instance, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnhookWindowsHookEx(hook);
    return 0;
}
