// A later start of the program hands over to this one: the window comes back, normal, in front and focused.
#include "app/bring_back.h"

#include "app/tray_handlers.h"

namespace app {

void OnBringBack(FormParts& parts, WindowPresence& window) noexcept {
    // Before the first show start-up is still under way (perhaps showing a report); the first show puts
    // the window in front by itself.
    if (!parts.shown) return;
    try {
        // An error report open over the window is what must be answered first: bring that to the front.
        if (const HWND popup = GetLastActivePopup(parts.window);
            popup && popup != parts.window && !IsWindowEnabled(parts.window)) {
            window.ShowWindow();
            window.SetMinimizedToTray(false);
            SetForegroundWindow(popup);
            return;
        }
        // Otherwise the same as a release over the tray icon.
        cSysTray1_MouseUp(window);
    } catch (...) {
        // The window stays as it was; the next start tries again.
    }
}

}  // namespace app
