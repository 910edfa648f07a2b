// Giving a control of a window the keyboard focus so that the keys typed next really reach it.
#pragma once

#include <windows.h>

namespace win {

// Call after the window has been brought to the foreground. Under Wine the keys typed next would otherwise
// stay with the program that was in front before; on Windows it is an ordinary focus change.
void GiveKeyboardFocus(HWND window, HWND control) noexcept;

}  // namespace win
