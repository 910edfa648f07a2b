// Form1's handlers, each line of a trapped handler with its line number.
#include "app/logic/form1_handlers.h"

#include "app/logic/product.h"
#include "win/logic/path_text.h"

namespace app {
namespace {

void StartBranch(WindowState& window, Steering& steering, MessagePump& pump, ErrorTrap& trap) {
    trap.Run(102, [&] { window.SetButtonCaption(kStopCaption); });
    trap.Run(104, [&] { window.MinimizeWindow(); });
    trap.Run(106, [&] { steering.StartSteering(); });
    trap.Run(108, [&] { steering.SetRestoreRequested(false); });
    for (;;) {
        trap.Run(110, [&] { pump.ProcessPendingMessages(); });
        bool runOver = true;  // a failure at this line ends the run as the request does
        trap.Run(112, [&] {
            if (steering.RestoreRequested()) {
                steering.StopSteering();
                return;
            }
            // In place of a busy loop of passes: blocks until a message comes, so that an idle run costs nothing.
            pump.WaitForInput();
            runOver = false;
        });
        if (runOver) break;
    }
    trap.Run(114, [&] { window.SetButtonCaption(kStartCaption); });
    trap.Run(116, [&] { window.ShowWindow(); });
    trap.Run(118, [&] { window.FocusWindow(); });
    trap.Run(120, [&] { window.SetMinimizedToTray(false); });
}

void StopBranch(Steering& steering, MessagePump& pump, ErrorTrap& trap) {
    trap.Run(122, [&] { steering.SetRestoreRequested(true); });
    trap.Run(124, [&] { pump.ProcessPendingMessages(); });
    trap.Run(126, [&] { pump.ProcessPendingMessages(); });
    trap.Run(128, [&] { steering.StopSteering(); });
}

}  // namespace

void Form_Load(WindowState& window, Look& look, Application& application, tray::TrayControl& tray,
               const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);
    trap.Run(100, [&] { look.ApplySkin(); });
    std::wstring pointerFile;
    bool pointerFilePresent = false;
    trap.Run(104, [&] {
        pointerFile = win::JoinPath(application.ExecutableFolder(), kPointerFileName);
        pointerFilePresent = application.FileExists(pointerFile);
    });
    trap.Run(106, [&] {
        if (pointerFilePresent) look.LoadPointerImage(pointerFile);
    });
    trap.Run(108, [&] { application.RollForHomePage(); });
    // The tip goes first, so the icon never shows the stored design text.
    trap.Run(126, [&] { tray.SetTrayTip(kProductDisplayName); });
    trap.Run(126, [&] { window.SetWindowIcon(); });
    trap.Run(128, [&] { tray.SetInTray(true); });
    trap.Run(130, [&] { window.SetCaption(kProductDisplayName); });
}

void Form_LoadAfterShow(Application& application, const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);
    trap.Run(130, [&] { application.SetAppTitle(); });
}

void PushButton2_Click(WindowState& window, Steering& steering, MessagePump& pump, const ReportSink& report) noexcept {
    ErrorTrap trap(kClickProcedure, report);
    bool startBranch = true;  // a failed caption read takes the start branch
    trap.Run(100, [&] { startBranch = window.ButtonCaption() == kStartCaption; });
    if (startBranch) {
        StartBranch(window, steering, pump, trap);
    } else {
        StopBranch(steering, pump, trap);
    }
}

void Form_Resize(WindowState& window, tray::TrayControl& tray) {
    if (!window.IsMinimized() || window.MinimizedToTray()) return;
    // With no icon in the tray, hiding would leave the window out of reach: it stays on the taskbar.
    if (!tray.IconInShell()) return;
    window.HideWindow();
    window.SetMinimizedToTray(true);
    tray.ShowBalloon(kTrayBalloonText, kProductDisplayName, kTrayBalloonSeconds, true);
}

void cSysTray1_MouseUp(WindowState& window) {
    window.ShowWindow();
    window.FocusWindow();
    window.SetMinimizedToTray(false);
}

void Form_QueryUnload(Steering& steering, tray::TrayControl& tray, MessagePump& pump, const ReportSink& report) noexcept {
    ErrorTrap trap(kQueryUnloadProcedure, report);
    trap.Run(100, [&] { steering.StopSteering(); });
    trap.Run(102, [&] { tray.SetInTray(false); });
    trap.Run(104, [&] { pump.ProcessPendingMessages(); });
    trap.Run(106, [&] { pump.ProcessPendingMessages(); });
    trap.Run(108, [&] { pump.ProcessPendingMessages(); });
}

int UnloadExitCode(bool windowCreated) noexcept { return windowCreated ? 0 : kStartFailedExitCode; }

}  // namespace app
