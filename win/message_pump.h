// The thread's message processing: the main loop, the yield of the run loop, and the wait between yields.
#pragma once

#include <windows.h>

namespace win {

// Dispatches every waiting message and returns at once when none is waiting. Keyboard navigation between
// the controls of dialogWindow (Tab, Enter, Space) works inside it as in the main loop.
void ProcessPendingMessages(HWND dialogWindow) noexcept;

// Blocks until a message, a sent message or a low-level hook call is due: the hook only runs while the
// thread processes messages, and waiting on keyboard input alone would stall every key on the desktop.
void WaitForInput() noexcept;

// The same wait, for at most the given time: a timed wait that still runs the hook while it blocks.
void WaitForInputFor(DWORD milliseconds) noexcept;

// The main message loop; returns the exit code when the thread is asked to quit.
int RunMessageLoop(HWND dialogWindow) noexcept;

}  // namespace win
