// The one window procedure of every window that a C++ object makes with itself as the creation parameter.
#pragma once

#include <windows.h>

namespace win {

// At WM_NCCREATE, before any other message of the window reaches the object, the object is kept in the window's
// slot: GWLP_USERDATA, or an offset into the class's extra bytes where the user data belongs to someone else. From
// then on every message, WM_NCCREATE included, goes to its HandleMessage, which takes the window at WM_NCCREATE and
// lets go of it at WM_NCDESTROY. Messages before WM_NCCREATE get the platform's default, in the window's character
// set.
template <class Owner, int kSlot = GWLP_USERDATA>
LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        // lpCreateParams sits in the same place in CREATESTRUCTA and CREATESTRUCTW.
        void* owner = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
        SetWindowLongPtrW(window, kSlot, reinterpret_cast<LONG_PTR>(owner));
    }
    if (auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, kSlot))) {
        return owner->HandleMessage(window, message, wParam, lParam);
    }
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace win
