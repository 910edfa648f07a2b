// Message processing of the window's thread, which holds the hook and runs every handler.
#include "win/message_pump.h"

#include "win/logic/program_messages.h"

namespace win {
namespace {

static_assert(message::kFirst == WM_APP && message::kTrayCallback == WM_USER + 101);

// Hands the quit to the window, which ends the program; returns only when no window took it.
void HandQuitToWindow(HWND dialogWindow, const MSG& quit) noexcept {
    if (dialogWindow && IsWindow(dialogWindow)) SendMessageW(dialogWindow, message::kQuitArrived, quit.wParam, 0);
}

// Unicode throughout: a character typed into a Unicode control and fetched with the ANSI calls would reach it
// through the code page, full-width digits as other digits and anything else the code page lacks as "?".
void Dispatch(HWND dialogWindow, MSG& message) noexcept {
    if (dialogWindow && IsDialogMessageW(dialogWindow, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void WakingFlag::Set(bool raised) noexcept {
    raised_ = raised;
    if (!event_) return;
    if (raised) {
        SetEvent(event_.get());
    } else {
        ResetEvent(event_.get());
    }
}

void ProcessPendingMessages(HWND dialogWindow) noexcept {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            HandQuitToWindow(dialogWindow, message);
            break;
        }
        Dispatch(dialogWindow, message);
    }
}

void WaitForInput(const WakingFlag& flag) noexcept {
    if (flag.raised_) return;
    // Without its event the flag is seen at the next message or hook call.
    const HANDLE event = flag.event_.get();
    MsgWaitForMultipleObjectsEx(event ? 1 : 0, &event, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void WaitForInputFor(DWORD milliseconds) noexcept {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void ReplyToSender(LRESULT answer) noexcept {
    // ISMEX_NOTIFY and ISMEX_CALLBACK senders do not wait; a replied one was answered already.
    if ((InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND) ReplyMessage(answer);
}

int RunMessageLoop(HWND dialogWindow) noexcept {
    MSG message{};  // a failed GetMessage leaves it unwritten
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) Dispatch(dialogWindow, message);
    if (got < 0) return 1;
    HandQuitToWindow(dialogWindow, message);
    return static_cast<int>(message.wParam);
}

}  // namespace win
