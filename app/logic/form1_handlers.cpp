// Form1's trapped handlers, each line with its line number.
#include "app/logic/form1_handlers.h"

#include "app/logic/product.h"
#include "win/logic/path_text.h"

namespace app {
namespace {

void StartBranch(Form1Platform& form, SteeringControl& steering, ErrorTrap& trap) {
    trap.Run(102, [&] { form.SetButtonCaption(kStopCaption); });
    trap.Run(104, [&] { form.MinimizeWindow(); });
    trap.Run(106, [&] { steering.StartSteering(); });
    trap.Run(108, [&] { form.SetRestoreRequested(false); });
    for (;;) {
        trap.Run(110, [&] { form.ProcessPendingMessages(); });
        bool runOver = true;  // a failure at this line ends the run as the request does
        trap.Run(112, [&] {
            if (form.RestoreRequested()) {
                steering.StopSteering();
                return;
            }
            // In place of a busy loop of passes: blocks until there is something to do, so that an idle run costs
            // nothing.
            form.WaitForInput();
            runOver = false;
        });
        if (runOver) break;
    }
    trap.Run(114, [&] { form.SetButtonCaption(kStartCaption); });
    trap.Run(116, [&] { form.ShowWindow(); });
    trap.Run(118, [&] { form.FocusWindow(); });
    trap.Run(120, [&] { form.SetMinimizedToTray(false); });
}

void StopBranch(Form1Platform& form, SteeringControl& steering, ErrorTrap& trap) {
    trap.Run(122, [&] { form.SetRestoreRequested(true); });
    trap.Run(124, [&] { form.ProcessPendingMessages(); });
    trap.Run(126, [&] { form.ProcessPendingMessages(); });
    trap.Run(128, [&] { steering.StopSteering(); });
}

}  // namespace

void Form_Load(Form1Platform& form, LookFiles& look, ProgramPlatform& program, const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);
    trap.Run(100, [&] { look.ApplySkin(program.ExecutableFolder()); });
    std::wstring pointerFile;
    bool pointerFilePresent = false;
    trap.Run(104, [&] {
        pointerFile = win::JoinPath(program.ExecutableFolder(), kPointerFileName);
        pointerFilePresent = program.FileExists(pointerFile);
    });
    trap.Run(106, [&] {
        if (pointerFilePresent) look.LoadPointerImage(pointerFile);
    });
    trap.Run(108, [&] { program.RollForHomePage(); });
    // The tip goes first, so the icon never shows the stored design text.
    trap.Run(126, [&] { form.SetTrayTip(kProductDisplayName); });
    trap.Run(126, [&] { form.SetWindowIcon(); });
    trap.Run(128, [&] { form.SetInTray(true); });
    trap.Run(130, [&] { form.SetCaption(kProductDisplayName); });
}

void Form_LoadAfterShow(ProgramPlatform& program, const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);
    trap.Run(130, [&] { program.SetAppTitle(); });
}

void PushButton2_Click(Form1Platform& form, SteeringControl& steering, const ReportSink& report) noexcept {
    ErrorTrap trap(kClickProcedure, report);
    bool startBranch = true;  // a failed caption read takes the start branch
    trap.Run(100, [&] { startBranch = form.ButtonCaption() == kStartCaption; });
    if (startBranch) {
        StartBranch(form, steering, trap);
    } else {
        StopBranch(form, steering, trap);
    }
}

void cSysTray1_MouseUp(Form1Platform& form) {
    form.ShowWindow();
    form.FocusWindow();
    form.SetMinimizedToTray(false);
}

void Form_QueryUnload(Form1Platform& form, SteeringControl& steering, const ReportSink& report) noexcept {
    ErrorTrap trap(kQueryUnloadProcedure, report);
    trap.Run(100, [&] { steering.StopSteering(); });
    trap.Run(102, [&] { form.SetInTray(false); });
    trap.Run(104, [&] { form.ProcessPendingMessages(); });
    trap.Run(106, [&] { form.ProcessPendingMessages(); });
    trap.Run(108, [&] { form.ProcessPendingMessages(); });
}

int UnloadExitCode(bool windowCameUp) noexcept { return windowCameUp ? kClosedExitCode : kStartFailedExitCode; }

}  // namespace app
