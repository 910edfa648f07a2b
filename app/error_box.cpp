// Shows error reports and words platform failures.
#include "app/error_box.h"

#include "app/error_trap.h"
#include "win/system_error.h"

namespace app {

void ThrowLastError(const char* descriptionWithoutCode) {
    const DWORD code = GetLastError();
    throw StepFailure(code != ERROR_SUCCESS ? win::SystemErrorDescription(code) : std::string(descriptionWithoutCode));
}

void ShowErrorReport(HWND owner, const std::string& reportText) noexcept {
    MessageBoxA(owner, reportText.c_str(), std::string(kErrorReportTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

ReportSink ReportsOf(HWND window) {
    return [window](const std::string& reportText) {
        ShowErrorReport(IsWindowVisible(window) ? window : nullptr, reportText);
    };
}

}  // namespace app
