// A later start of the program hands over to this one: the window comes back, normal, in front and focused.
#include "app/form1.h"

namespace app {

void Form1::OnBringBack() noexcept {
    // Before the first show start-up is still under way (perhaps showing a report); the first show puts
    // the window in front by itself.
    if (!shown_) return;
    ShowWindow();
    FocusWindow();
    minimizedToTray_ = false;
}

}  // namespace app
