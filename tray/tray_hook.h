// mSysTray: the replaced window procedure that turns the shell's icon callbacks into the control's events.
#pragma once

#include <windows.h>

#include "tray/logic/sys_tray.h"

namespace mSysTray {

// Replaces the procedure of the control's window and leaves the control's address in its user data.
void InstallTrayHook(tray::cSysTray& control) noexcept;

// Puts the saved procedure back; after an install that failed there is none, and the window is left alone.
void RemoveTrayHook(tray::cSysTray& control) noexcept;

LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace mSysTray
