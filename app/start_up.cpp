// Start-up sequence of the main window.
#include "app/start_up.h"

#include "app/product.h"

namespace app {

void Form_Load(StartUpHost& host, const ReportSink& report) noexcept {
    ErrorTrap trap(kLoadProcedure, report);

    std::string pointerFile;
    bool pointerFilePresent = false;
    trap.Run(104, [&] {
        pointerFile = host.ExecutableFolder();
        pointerFile += kPointerFileName;
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
    trap.Run(130, [&] { host.SetAppTitle(); });
}

}  // namespace app
