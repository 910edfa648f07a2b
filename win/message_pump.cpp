// Message processing of the program's only thread.
#include "win/message_pump.h"

namespace win {
namespace {

void Dispatch(HWND dialogWindow, MSG& message) noexcept {
    if (dialogWindow && IsDialogMessageA(dialogWindow, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

void ProcessPendingMessages(HWND dialogWindow) noexcept {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which is the one that ends on it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(dialogWindow, message);
    }
}

void WaitForInput() noexcept { WaitForInputFor(INFINITE); }

void WaitForInputFor(DWORD milliseconds) noexcept {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int RunMessageLoop(HWND dialogWindow) noexcept {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(dialogWindow, message);
    return static_cast<int>(message.wParam);
}

}  // namespace win
