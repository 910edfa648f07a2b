// Start-up sequence of the main window.
#include "app/start_up.h"

#include "app/product.h"
#include "win/path_text.h"

namespace app {

void Form_Load(StartUpHost& host, const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);

    trap.Run(100, [&] { host.ApplySkin(); });

    std::wstring pointerFile;
    bool pointerFilePresent = false;
    trap.Run(104, [&] {
        pointerFile = win::JoinPath(host.ExecutableFolder(), kPointerFileName);
        pointerFilePresent = host.FileExists(pointerFile);
    });
    trap.Run(106, [&] {
        if (pointerFilePresent) host.LoadPointerImage(pointerFile);
    });
    trap.Run(108, [&] { host.HomePageDraw(); });
    // The tip goes first, so the icon never shows the stored design text.
    trap.Run(126, [&] { host.SetTrayTip(kProductDisplayName); });
    trap.Run(126, [&] { host.SetWindowIcon(); });
    trap.Run(128, [&] { host.SetInTray(true); });
    trap.Run(130, [&] { host.SetCaption(kProductDisplayName); });
}

void Form_LoadAfterShow(StartUpHost& host, const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);
    trap.Run(130, [&] { host.SetAppTitle(); });
}

}  // namespace app
