// Installs and removes the low-level keyboard hook that steers the pointer while a run is under way.
#pragma once

#include <windows.h>

namespace modKeyboard {

// Installs the hook for all threads of the desktop. The step is read from stepField's text at every move.
void HookKeyboard(HWND stepField) noexcept;

// Removes the hook; harmless when none is installed.
void UnhookKeyboard() noexcept;

// Called by the system for every keyboard event on the desktop, on this thread, while it processes messages.
LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept;

// The restore request: raised by Ctrl+U in the hook and by the stop road, cleared when a run starts.
bool RestoreRequested() noexcept;
void SetRestoreRequested(bool requested) noexcept;

}  // namespace modKeyboard
