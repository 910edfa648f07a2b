// Shows the program's modal boxes.
#include "app/error_box.h"

#include "app/product.h"
#include "win/message_pump.h"

namespace app {
namespace {

// Every box of ours: a sender is not held while the user reads, and the run loop keeps a wake the box's own
// loop took.
template <class Show>
void ShowModal(Show show) noexcept {
    win::ReleaseSender();
    show();
    win::KeepWakeAfterModalLoop();
}

}  // namespace

HWND BoxOwner(HWND window) noexcept { return IsWindowVisible(window) ? window : nullptr; }

void ShowErrorReport(HWND window, const std::string& reportText) noexcept {
    ShowModal([&] {
        MessageBoxA(BoxOwner(window), reportText.c_str(), std::string(kErrorReportTitle).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
    });
}

void ShowWarning(HWND window, const wchar_t* text) noexcept {
    const std::wstring title(kProductDisplayName.begin(), kProductDisplayName.end());  // ASCII
    ShowModal([&] { MessageBoxW(BoxOwner(window), text, title.c_str(), MB_OK | MB_ICONWARNING); });
}

ReportSink ReportsOf(HWND window) {
    return [window](const std::string& reportText) { ShowErrorReport(window, reportText); };
}

}  // namespace app
