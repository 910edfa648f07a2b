// Message processing of the program's only thread.
#include "win/message_pump.h"

namespace win {
namespace {

// Unicode throughout: a character typed into a Unicode control and fetched with the ANSI calls would reach it
// through the code page, full-width digits as other digits and anything else the code page lacks as "?".
void Dispatch(HWND dialogWindow, MSG& message) noexcept {
    if (dialogWindow && IsDialogMessageW(dialogWindow, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void ProcessPendingMessages(HWND dialogWindow) noexcept {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which is the one that ends on it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(dialogWindow, message);
    }
}

void WaitForInput(HWND dialogWindow) noexcept {
    // GetMessage runs sent messages and low-level hook calls inside itself and comes back only for a posted
    // message: a wait followed by a PeekMessage pass costs the same server round trips per hook call, and more
    // work in the program, for every key of a run.
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));  // left for the main loop
    } else if (got > 0) {
        Dispatch(dialogWindow, message);
    }
}

void WaitForInputFor(DWORD milliseconds) noexcept {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int RunMessageLoop(HWND dialogWindow) noexcept {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(dialogWindow, message);
    return static_cast<int>(message.wParam);
}

}  // namespace win
