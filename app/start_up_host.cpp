// What the start-up steps do to the window: pointer file, home-page draw, icon, caption and title.
#include "win/dpi.h"
#include "app/error_box.h"
#include "win/files_beside_exe.h"
#include "app/form1.h"
#include "app/home_page.h"
#include "res/resource_ids.h"

namespace app {

void Form1::Load() noexcept { Form_Load(*this, Reporter()); }

void Form1::OnLoadAfterShow() noexcept { Form_LoadAfterShow(*this, Reporter()); }

ReportSink Form1::Reporter() noexcept {
    return [this](const std::string& reportText) { ShowReport(reportText); };
}

void Form1::ShowReport(const std::string& reportText) noexcept {
    // Before the first show the window is hidden, and a box owned by it would have no taskbar button.
    ShowErrorReport(IsWindowVisible(window_) ? window_ : nullptr, reportText);
}

std::wstring Form1::ExecutableFolder() { return win::ExecutableFolderW(); }

bool Form1::FileExists(const std::wstring& path) { return win::FileExistsW(path); }

void Form1::HomePageDraw() { app::HomePageDraw(); }

void Form1::SetWindowIcon() {
    auto load = [this](int metricX, int metricY) {
        SetLastError(ERROR_SUCCESS);
        win::IconHandle icon(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(kApplicationIconId), IMAGE_ICON,
                                                           win::SystemMetricForDpi(metricX, dpi_),
                                                           win::SystemMetricForDpi(metricY, dpi_), 0)));
        if (!icon) ThrowLastError("The application icon could not be loaded");
        return icon;
    };
    win::IconHandle big = load(SM_CXICON, SM_CYICON);
    win::IconHandle small = load(SM_CXSMICON, SM_CYSMICON);
    // The small one first: a big icon set without a small one makes the platform scale a small copy of it, which
    // the small icon would then replace at once.
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void Form1::SetCaption(std::string_view caption) {
    if (!SetWindowTextA(window_, std::string(caption).c_str())) ThrowLastError("The caption could not be set");
}

void Form1::SetAppTitle() { app::SetAppTitle(application_); }

}  // namespace app
