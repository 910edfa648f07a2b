// The thread's message processing: the main loop, the yield of the run loop, and the wait between yields.
#pragma once

#include <windows.h>

namespace win {

// Dispatches every waiting message and returns at once when none is waiting. Keyboard navigation between
// the controls of dialogWindow (Tab, Enter, Space) works inside it as in the main loop.
void ProcessPendingMessages(HWND dialogWindow) noexcept;

// Blocks until one posted message arrives and dispatches it; sent messages and low-level hook calls are handled
// while it waits (the hook only runs while the thread retrieves messages, and a wait on keyboard input alone would
// stall every key on the desktop). Whoever changes state in a sent message or a hook call and needs the caller to
// look at it posts a message to the thread.
void WaitForInput(HWND dialogWindow) noexcept;

// Blocks until a message, a sent message or a low-level hook call is due, or the time is up; dispatches
// nothing itself, so the caller processes what is waiting afterwards.
void WaitForInputFor(DWORD milliseconds) noexcept;

// The main message loop; returns the exit code when the thread is asked to quit.
int RunMessageLoop(HWND dialogWindow) noexcept;

}  // namespace win
