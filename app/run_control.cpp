// Start and stop roads of the start/stop button.
#include "app/run_control.h"

namespace app {
namespace {

void StartRoad(RunControlHost& host, WindowPresence& window, ErrorTrap& trap) {
    trap.Run(102, [&] { host.SetButtonCaption(kStopCaption); });
    trap.Run(104, [&] { host.MinimizeWindow(); });
    trap.Run(106, [&] { host.HookKeyboard(); });
    trap.Run(108, [&] { host.SetRestoreRequested(false); });
    for (;;) {
        trap.Run(110, [&] { window.ProcessPendingMessages(); });
        bool runGoesOn = false;
        const bool tested = trap.Run(112, [&] {
            if (!host.RestoreRequested()) {
                runGoesOn = true;
                host.WaitForInput();
                return;
            }
            window.UnhookKeyboard();
        });
        if (!tested || !runGoesOn) break;  // a failure here ends the run like the request does
    }
    trap.Run(114, [&] { host.SetButtonCaption(kStartCaption); });
    trap.Run(116, [&] { window.ShowWindow(); });
    trap.Run(118, [&] { window.FocusWindow(); });
    trap.Run(120, [&] { window.SetMinimizedToTray(false); });
}

void StopRoad(RunControlHost& host, WindowPresence& window, ErrorTrap& trap) {
    trap.Run(122, [&] { host.SetRestoreRequested(true); });
    trap.Run(124, [&] { window.ProcessPendingMessages(); });
    trap.Run(126, [&] { window.ProcessPendingMessages(); });
    trap.Run(128, [&] { window.UnhookKeyboard(); });
}

}  // namespace

void PushButton2_Click(RunControlHost& host, WindowPresence& window, const ReportSink& report) noexcept {
    ErrorTrap trap(kClickProcedure, report);
    bool startRoad = true;  // a failed caption read takes the start road
    trap.Run(100, [&] { startRoad = host.ButtonCaption() == kStartCaption; });
    if (startRoad) {
        StartRoad(host, window, trap);
    } else {
        StopRoad(host, window, trap);
    }
}

}  // namespace app
