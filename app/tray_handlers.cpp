// Hiding into the tray, restoring from it, and the steps before the window closes.
#include "app/tray_handlers.h"

#include "app/product.h"

namespace app {

void Form_Resize(TrayHandlersHost& host, WindowPresence& window) {
    if (!host.IsMinimized() || host.MinimizedToTray()) return;
    // With no icon in the tray, hiding would leave the window out of reach: it stays on the taskbar.
    if (!host.TrayIconInShell()) return;
    host.HideWindow();
    window.SetMinimizedToTray(true);
    host.ShowTrayBalloon(kTrayBalloonText, kProductDisplayName, kTrayBalloonSeconds, true);
}

void cSysTray1_MouseUp(WindowPresence& window) {
    window.ShowWindow();
    window.FocusWindow();
    window.SetMinimizedToTray(false);
}

void Form_QueryUnload(TrayHandlersHost& host, WindowPresence& window, const ReportSink& report) noexcept {
    ErrorTrap trap(kQueryUnloadProcedure, report);
    trap.Run(100, [&] { window.UnhookKeyboard(); });
    trap.Run(102, [&] { host.SetInTray(false); });
    trap.Run(104, [&] { window.ProcessPendingMessages(); });
    trap.Run(106, [&] { window.ProcessPendingMessages(); });
    trap.Run(108, [&] { window.ProcessPendingMessages(); });
}

int UnloadExitCode(bool windowCreated) noexcept { return windowCreated ? 0 : kStartFailedExitCode; }

}  // namespace app
