// The notification area through the probe: another program's icon deleted, and a stand-in for the shell's tray.
#include <windows.h>

#include <shellapi.h>

#include "probe_commands.h"

namespace probe {
namespace {

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_COPYDATA) return GetWindowLongPtrW(window, GWLP_USERDATA);
    if (message == WM_APP) {
        Sleep(static_cast<DWORD>(wp));  // nothing sent to this thread is answered meanwhile
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wp, lp);
}

}  // namespace

// The icon's window and id name the icon: any process may delete it.
std::string DeleteTrayIcon(const Fields& fields) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = WindowArg(fields, 1);
    data.uID = static_cast<UINT>(IntArg(fields, 2));
    return Done(Shell_NotifyIconA(NIM_DELETE, &data));
}

// Shell_NotifyIcon sends its calls to the first window of the tray's class in z-order: a topmost one comes before
// the shell's own, and answers each call with ANSWER; a posted WM_APP with wParam MS makes it hang for MS ms.
int RunTrayWindow(const wchar_t* answer) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TrayWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&windowClass);
    // Never shown: only its place in z-order matters, and a window shown would take the keyboard from the tests
    // while it does not answer.
    const HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName,
                                        L"", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetWindowLongPtrW(window, GWLP_USERDATA, _wtoi(answer));
    return RunMessageLoop();
}

}  // namespace probe
