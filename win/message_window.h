// Windows that nobody sees, made for their messages alone: the class registered once, the owner found in the window.
#pragma once

#include <windows.h>

#include "win/win_handles.h"

namespace win {

// Registers a window class of this module with procedure, unless it is registered already: a class is registered
// once in the process, however often its windows are made. False when it is neither.
bool RegisterClassOnce(const wchar_t* className, WNDPROC procedure) noexcept;

// A message-only window of className (registered once with procedure), with owner in its GWLP_USERDATA: no other
// program finds it, and it gets nothing but what the program posts or asks for. Empty when the platform refuses.
OwnedWindow MakeMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner) noexcept;

// The owner MakeMessageWindow gave window, or none.
template <class Owner>
Owner* OwnerOf(HWND window) noexcept {
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace win
