// Message processing of the window's thread, which holds the hook and runs every handler.
#include "win/message_pump.h"

namespace win {
namespace {

// A thread message of our own: GetMessage returns only for posted messages, and a modal loop that takes
// this one drops it harmlessly.
constexpr UINT kUnblockMessage = WM_APP + 0x3A;

// Only the window's thread pumps here, so plain values: whether an unblock is pending for a WaitForInput, and how
// many of them are blocked in GetMessage below the current call (nested through sent messages and hook calls).
bool unblockPending = false;
int waitsBlocked = 0;

bool IsUnblock(const MSG& message) noexcept { return message.hwnd == nullptr && message.message == kUnblockMessage; }

void PostUnblockMessage() noexcept { PostThreadMessageW(GetCurrentThreadId(), kUnblockMessage, 0, 0); }

// Hands the quit to the window, which ends the program; returns only when no window took it.
void HandQuitToWindow(HWND dialogWindow, const MSG& quit) noexcept {
    if (dialogWindow && IsWindow(dialogWindow)) SendMessageW(dialogWindow, kQuitArrivedMessage, quit.wParam, 0);
}

// Unicode throughout: a character typed into a Unicode control and fetched with the ANSI calls would reach it
// through the code page, full-width digits as other digits and anything else the code page lacks as "?".
void Dispatch(HWND dialogWindow, MSG& message) noexcept {
    if (IsUnblock(message)) return;
    if (dialogWindow && IsDialogMessageW(dialogWindow, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void ProcessPendingMessages(HWND dialogWindow) noexcept {
    bool unblocked = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            HandQuitToWindow(dialogWindow, message);
            break;
        }
        unblocked = unblocked || IsUnblock(message);
        Dispatch(dialogWindow, message);
    }
    // Only a blocked GetMessage needs the message itself; any later wait finds the unblock pending. Posting it again
    // for no blocked wait would make every later timed wait return at once.
    if (unblocked && unblockPending && waitsBlocked > 0) PostUnblockMessage();
}

void WaitForInput(HWND dialogWindow) noexcept {
    // GetMessage runs sent messages and low-level hook calls inside itself and comes back only for a posted
    // message: a wait followed by a PeekMessage pass costs the same server round trips per hook call, and more
    // work in the program, for every key of a run.
    if (unblockPending) {
        unblockPending = false;
        return;
    }
    MSG message{};  // a failed GetMessage leaves it unwritten, and it is looked at below
    ++waitsBlocked;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    --waitsBlocked;
    if (IsUnblock(message)) unblockPending = false;
    if (got == 0) {
        HandQuitToWindow(dialogWindow, message);
    } else if (got > 0) {
        Dispatch(dialogWindow, message);
    }
}

void UnblockWait() noexcept {
    unblockPending = true;
    PostUnblockMessage();
}

void RepostUnblockAfterModalLoop() noexcept {
    if (unblockPending && waitsBlocked > 0) PostUnblockMessage();
}

void ReplyToSender(LRESULT answer) noexcept {
    // ISMEX_NOTIFY and ISMEX_CALLBACK senders do not wait; a replied one was answered already.
    if ((InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND) ReplyMessage(answer);
}

void WaitForInputFor(DWORD milliseconds) noexcept {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
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
