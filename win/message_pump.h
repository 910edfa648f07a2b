// The thread's message processing: the main loop, pumping pending messages, the run loop's wait and its unblocking.
#pragma once

#include <windows.h>

namespace win {

// Dispatches every waiting message and returns at once when none is waiting. Keyboard navigation between
// the controls of dialogWindow (Tab, Enter, Space) works inside it as in the main loop. An unblock message it takes
// while a WaitForInput further out is blocked is posted again when it returns: the message is meant for that wait.
void ProcessPendingMessages(HWND dialogWindow) noexcept;

// Blocks until one posted message arrives and dispatches it; sent messages and low-level hook calls are handled
// while it waits (the hook only runs while the thread retrieves messages, and a wait on keyboard input alone would
// stall every key on the desktop). A sent message or a hook call that changes what the caller waits for calls
// UnblockWait, or the wait would go on.
void WaitForInput(HWND dialogWindow) noexcept;

// Makes the WaitForInput of this thread that is blocked now, or else the next one, return.
void UnblockWait() noexcept;

// After a modal loop of ours (a message box) returns: such a loop drops thread messages, so an unblock it took is
// posted again while a WaitForInput is blocked below it.
void RepostUnblockAfterModalLoop() noexcept;

// Answers a message that another thread sent and still waits on, before the handler does something that waits
// (a run, a balloon, a box): tools that press a button by sending it a click would otherwise hang with it.
void ReplyToSender(LRESULT answer = 0) noexcept;

// Sent to the dialog window of the pump that takes the thread's WM_QUIT, with the quit's exit code as wParam: the
// window ends the program the way a close does. A quit is never left in the queue for an outer loop, which a run
// loop would take again at once, for ever.
inline constexpr UINT kQuitArrivedMessage = WM_APP + 0x3B;

// Blocks until a message, a sent message or a low-level hook call is due, or the time is up; dispatches
// nothing itself, so the caller processes what is waiting afterwards.
void WaitForInputFor(DWORD milliseconds) noexcept;

// The main message loop; returns the quit's exit code when no window ended the program on it.
int RunMessageLoop(HWND dialogWindow) noexcept;

}  // namespace win
