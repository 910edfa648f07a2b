// The window's thread's message processing: the main loop, pumping pending messages, and the waits between them.
#pragma once

#include <windows.h>

#include "win/win_handles.h"

namespace win {

// A flag whose raising ends a WaitForInput of the window's thread: the run's restore request, raised by a hook call
// or by a handler nested in the wait's own message processing. An event rather than a message, so that no nested
// message loop (a box, a menu, a window being moved) can take it from the wait.
class WakingFlag {
public:
    WakingFlag() noexcept : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    WakingFlag(const WakingFlag&) = delete;
    WakingFlag& operator=(const WakingFlag&) = delete;

    bool Raised() const noexcept { return raised_; }
    void Set(bool raised) noexcept;

private:
    friend void WaitForInput(const WakingFlag& flag) noexcept;
    // Written and read by the window's thread alone (hook calls run on it too); the event only wakes it.
    bool raised_ = false;
    KernelHandle event_;  // manual-reset: set while the flag is raised
};

// Dispatches every waiting message and returns at once when none is waiting. Keyboard navigation between the controls
// of dialogWindow (Tab, Enter, Space) works inside it as in the main loop.
void ProcessPendingMessages(HWND dialogWindow) noexcept;

// Blocks until a message is posted, a message is sent or a low-level hook call is due (the hook only runs while the
// thread retrieves messages, and a wait on keyboard input alone would stall every key on the desktop), or until flag
// is raised; at once while it is raised. Dispatches nothing itself: the caller processes what is waiting afterwards.
void WaitForInput(const WakingFlag& flag) noexcept;

// The same with a time limit and no flag.
void WaitForInputFor(DWORD milliseconds) noexcept;

// Answers a message that another thread sent and still waits on, before the handler does something that waits
// (a run, a balloon, a box): tools that press a button by sending it a click would otherwise hang with it.
void ReplyToSender(LRESULT answer = 0) noexcept;

// The pump that takes the thread's WM_QUIT sends the dialog window win::message::kQuitArrived with the quit's exit
// code: the window ends the program the way a close does. A quit is never left in the queue for an outer loop, which
// a run loop would take again at once, for ever.

// The main message loop; returns the quit's exit code when no window ended the program on it.
int RunMessageLoop(HWND dialogWindow) noexcept;

}  // namespace win
