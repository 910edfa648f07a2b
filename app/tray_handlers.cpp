// Hiding into the tray, restoring from it, and the steps before the window closes.
#include "app/tray_handlers.h"

#include "app/product.h"

namespace app {

void Form_Resize(TrayHandlersHost& host) {
    if (!host.IsMinimized() || host.MinimizedToTray()) return;
    // With no icon in the tray, hiding would leave the window out of reach: it stays on the taskbar.
    if (!host.TrayIconInShell()) return;
    host.HideWindow();
    host.SetMinimizedToTray(true);
    host.ShowTrayBalloon(kTrayBalloonText, kProductDisplayName, kTrayBalloonSeconds, true);
}

void cSysTray1_MouseUp(TrayHandlersHost& host) {
    host.ShowWindow();
    host.FocusWindow();
    host.SetMinimizedToTray(false);
}

void Form_QueryUnload(TrayHandlersHost& host, const ReportSink& report) noexcept {
    ErrorTrap trap(kQueryUnloadProcedure, report);
    trap.Run(100, [&] { host.UnhookKeyboard(); });
    trap.Run(102, [&] { host.SetInTray(false); });
    trap.Run(104, [&] { host.ProcessPendingMessages(); });
    trap.Run(106, [&] { host.ProcessPendingMessages(); });
    trap.Run(108, [&] { host.ProcessPendingMessages(); });
}

int UnloadExitCode(bool windowCreated) noexcept { return windowCreated ? 0 : kStartFailedExitCode; }

}  // namespace app
