// Shows the error reports of the trapped handlers.
#include "app/error_box.h"


namespace app {

void ShowErrorReport(HWND owner, const std::string& reportText) noexcept {
    MessageBoxA(owner, reportText.c_str(), std::string(kErrorReportTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

ReportSink ReportsOf(HWND window) {
    return [window](const std::string& reportText) {
        ShowErrorReport(IsWindowVisible(window) ? window : nullptr, reportText);
    };
}

}  // namespace app
