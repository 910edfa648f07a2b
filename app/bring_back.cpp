// A later start of the program hands over to this one: the window comes back, normal, in front and focused.
#include "app/form1.h"

namespace app {

void Form1::OnBringBack() noexcept {
    // Before the first show start-up is still under way (perhaps showing a report); the first show puts
    // the window in front by itself.
    if (!shown_) return;
    // An error report open over the window is what must be answered first: bring that to the front.
    if (const HWND popup = GetLastActivePopup(window_); popup && popup != window_ && !IsWindowEnabled(window_)) {
        ShowWindow();
        minimizedToTray_ = false;
        SetForegroundWindow(popup);
        return;
    }
    // Otherwise the same as a release over the tray icon.
    try {
        app::cSysTray1_MouseUp(*this);
    } catch (...) {
        // The window stays as it was; the next start tries again.
    }
}

}  // namespace app
