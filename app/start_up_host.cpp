// What the start-up steps do to the window: skin, pointer file, home-page draw, icon, caption and title.
#include "app/start_up_host.h"

#include "app/home_page.h"
#include "app/pointer_hover.h"
#include "res/resource_ids.h"
#include "win/dpi.h"
#include "win/files_beside_exe.h"
#include "win/system_error.h"

namespace app {

void Form1StartUp::ApplySkin() { app::ApplySkin(skin_); }

std::wstring Form1StartUp::ExecutableFolder() { return win::ExecutableFolderW(); }

bool Form1StartUp::FileExists(const std::wstring& path) { return win::FileExistsW(path); }

void Form1StartUp::LoadPointerImage(const std::wstring& path) { app::LoadPointerImage(parts_, path); }

void Form1StartUp::HomePageDraw() { app::HomePageDraw(); }

void Form1StartUp::SetTrayTip(std::string_view tip) { parts_.cSysTray1.SetTrayTip(tip); }

void Form1StartUp::SetWindowIcon() {
    auto load = [this](int metricX, int metricY) {
        SetLastError(ERROR_SUCCESS);
        win::IconHandle icon(static_cast<HICON>(LoadImageA(parts_.instance, MAKEINTRESOURCEA(kApplicationIconId),
                                                           IMAGE_ICON, win::SystemMetricForDpi(metricX, parts_.dpi),
                                                           win::SystemMetricForDpi(metricY, parts_.dpi), 0)));
        if (!icon) win::ThrowLastError("The application icon could not be loaded");
        return icon;
    };
    win::IconHandle big = load(SM_CXICON, SM_CYICON);
    win::IconHandle small = load(SM_CXSMICON, SM_CYSMICON);
    // The small one first: a big icon set without a small one makes the platform scale a small copy of it, which
    // the small icon would then replace at once.
    SendMessageA(parts_.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageA(parts_.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    parts_.bigIcon = std::move(big);
    parts_.smallIcon = std::move(small);
}

void Form1StartUp::SetInTray(bool inTray) { parts_.cSysTray1.SetInTray(inTray); }

void Form1StartUp::SetCaption(std::string_view caption) {
    if (!SetWindowTextA(parts_.window, std::string(caption).c_str())) win::ThrowLastError("The caption could not be set");
}

void Form1StartUp::SetAppTitle() { app::SetAppTitle(parts_.application); }

}  // namespace app
