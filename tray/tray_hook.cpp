// The window hook of the tray control: one saved procedure for the program, the control found in user data.
#include "tray/tray_hook.h"

#include <shellapi.h>

#include <cstdint>

#include "win/failure_trace.h"
#include "win/win_handles.h"

namespace mSysTray {
namespace {

static_assert(sizeof(void*) == sizeof(LONG), "Pelmorath is a 32-bit program: its tray hook keeps addresses in a LONG");

// The callback's message and what its lParam carries, as the control tells them apart.
namespace notification = tray::notification;
static_assert(notification::kMouseMove == WM_MOUSEMOVE && notification::kLeftDown == WM_LBUTTONDOWN &&
              notification::kLeftUp == WM_LBUTTONUP && notification::kLeftDoubleClick == WM_LBUTTONDBLCLK &&
              notification::kRightDown == WM_RBUTTONDOWN && notification::kRightUp == WM_RBUTTONUP &&
              notification::kRightDoubleClick == WM_RBUTTONDBLCLK);
static_assert(notification::kBalloonHide == NIN_BALLOONHIDE && notification::kBalloonTimeout == NIN_BALLOONTIMEOUT &&
              notification::kBalloonUserClick == NIN_BALLOONUSERCLICK);

// One slot for the whole program: at most one control has its window hooked at a time.
WNDPROC PrevWndProc = nullptr;

HWND OwnerOf(const tray::cSysTray& control) noexcept { return win::HandleOf(control.OwnerWindow()); }

}  // namespace

// The design's own calls, ANSI and 32-bit: SetWindowLongA, GetWindowLongA and CallWindowProcA on the control's ANSI
// window. Handles and addresses fit a LONG in this program.
void InstallTrayHook(tray::cSysTray& control) noexcept {
    const HWND owner = OwnerOf(control);
    PrevWndProc = reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(
        SetWindowLongA(owner, GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(&TrayWndProc)))));
    SetWindowLongA(owner, GWL_USERDATA, static_cast<LONG>(reinterpret_cast<LONG_PTR>(&control)));
}

void RemoveTrayHook(tray::cSysTray& control) noexcept {
    // A null procedure would leave the window unable to handle any message, destruction included.
    if (!PrevWndProc) return;
    SetWindowLongA(OwnerOf(control), GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(PrevWndProc)));
}

LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (Msg == tray::kTrayCallbackMessage) {
        if (auto* control = reinterpret_cast<tray::cSysTray*>(static_cast<LONG_PTR>(GetWindowLongA(hWnd, GWL_USERDATA)))) {
            std::int32_t notification = static_cast<std::int32_t>(lParam);
            std::int32_t id = static_cast<std::int32_t>(wParam);
            try {
                control->HandleTrayMessage(notification, id);
            } catch (...) {
                // Nothing may leave a window procedure. A host's event handlers deal with their own failures, so
                // whatever reaches here is unknown: it is named, and the message goes on.
                win::TraceCaughtFailure(L"tray icon event");
            }
        }
    }
    return CallWindowProcA(PrevWndProc, hWnd, Msg, wParam, lParam);
}

}  // namespace mSysTray
