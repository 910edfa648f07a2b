// Installs and removes the low-level keyboard hook that steers the pointer while a run is under way.
#pragma once

#include <windows.h>

#include "steering/step_setting.h"

namespace modKeyboard {

// Installs the hook for all threads of the desktop. Every move uses step's current value; step must outlive
// the hook.
void HookKeyboard(const steering::StepSetting& step) noexcept;

// Removes the hook; harmless when none is installed.
void UnhookKeyboard() noexcept;

// Called by the system for every keyboard event on the desktop, on this thread, while it processes messages.
LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept;

// The restore request: raised by Ctrl+U in the hook and by the stop road, cleared when a run starts.
bool RestoreRequested() noexcept;
void SetRestoreRequested(bool requested) noexcept;

}  // namespace modKeyboard
