// Installs and removes the low-level keyboard hook that steers the pointer while a run is under way.
#pragma once

#include <windows.h>

#include "steering/logic/step_setting.h"

namespace modKeyboard {

// Installs the hook for all threads of the desktop. Every move uses step's current value; step must outlive
// the hook. Until UnhookKeyboard, key events also reach watcher as raw input (WM_INPUT), so that a hook the
// system removed on its own can be noticed: see KeySeenByRawInput.
void HookKeyboard(const steering::StepSetting& step, HWND watcher) noexcept;

// Removes the hook and stops the raw input; harmless when none is installed.
void UnhookKeyboard() noexcept;

// The handle of the last installation. Windows may have removed that hook on its own since.
HHOOK InstalledHook() noexcept;

// Reads the primary display's size again. The hook asks for none per move (under Wine each ask is three round
// trips to the server): it uses the size read when the run started, so this must be called whenever the size may
// have changed since.
void ReadScreenSize() noexcept;

// For each WM_INPUT of the watcher, with the message's time. Installs the hook again when key events go by without
// it; true when the installation has now failed often enough in a row that the user must be warned.
bool KeySeenByRawInput(DWORD eventTime) noexcept;

// For each WM_POWERBROADCAST and WM_WTSSESSION_CHANGE of the watcher (registered for the session's changes
// by its owner during a run). During a run, a resume from sleep or a return to the session installs the hook again
// at once; true as for KeySeenByRawInput.
bool SystemNoticed(UINT message, WPARAM code) noexcept;

// Called by the watch on the window in front during a run: whether that window's keys are kept from the hook.
void FrontOutOfReach(bool outOfReach) noexcept;

// Called by the system for every keyboard event on the desktop, on this thread, while it processes messages.
LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept;

// The restore request: raised by Ctrl+U in the hook and by the stop branch, cleared when a run starts. Raising it
// also ends the run loop's wait, wherever the raise happens to run.
bool RestoreRequested() noexcept;
void SetRestoreRequested(bool requested) noexcept;

}  // namespace modKeyboard
