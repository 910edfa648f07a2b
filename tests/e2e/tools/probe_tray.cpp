// The notification area through the probe: another program's icon deleted, and a stand-in for the shell's tray.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "probe_commands.h"

namespace probe {
namespace {

// What a posted WM_APP asks for, in its lParam; its wParam is the time to hang, in milliseconds.
enum Hang : LPARAM { kHangNow = 0, kHangAtNextCall = 1, kHangAtNextCallThenClose = 2 };

struct TrayWindowState {
    LRESULT answer = 0;
    Hang hang = kHangNow;
    DWORD hangMilliseconds = 0;  // at the next call, when not 0
    std::wstring log;            // the window's text: one entry per call
};

void AppendToLog(HWND window, TrayWindowState& state, const std::wstring& entry) {
    state.log += entry;
    SetWindowTextW(window, state.log.c_str());
}

// Each call is logged as "C:N" (N the call's dwData, which Wine's shell makes the NIM_ message) before it is answered,
// and "=A" once it is answered A: a test sees a call arrive, and its answer leave.
LRESULT AnswerCall(HWND window, TrayWindowState& state, const COPYDATASTRUCT& call) {
    AppendToLog(window, state, (state.log.empty() ? L"C:" : L" C:") + std::to_wstring(call.dwData));
    if (state.hangMilliseconds != 0) {
        const DWORD hang = state.hangMilliseconds;
        state.hangMilliseconds = 0;
        Sleep(hang);  // nothing sent to this thread is answered meanwhile
        // Gone before the answer reaches the caller: its next call finds the shell's own window.
        if (state.hang == kHangAtNextCallThenClose) DestroyWindow(window);
    }
    if (IsWindow(window)) AppendToLog(window, state, L"=" + std::to_wstring(state.answer));
    return state.answer;
}

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<TrayWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (state && message == WM_COPYDATA) return AnswerCall(window, *state, *reinterpret_cast<COPYDATASTRUCT*>(lp));
    if (state && message == WM_APP) {
        state->hang = static_cast<Hang>(lp);
        if (state->hang == kHangNow) {
            Sleep(static_cast<DWORD>(wp));  // nothing sent to this thread is answered meanwhile
        } else {
            state->hangMilliseconds = static_cast<DWORD>(wp);
        }
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
// the shell's own, and answers each call with ANSWER, logging the calls in its text; a posted WM_APP with wParam MS
// makes it hang for MS ms, at once (lParam 0) or at the next call (1; 2: and close before answering it).
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
    TrayWindowState state;
    state.answer = _wtoi(answer);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    return RunMessageLoop();
}

}  // namespace probe
