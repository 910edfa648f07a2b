// Shows error reports and words platform failures.
#include "app/error_box.h"

#include "app/error_trap.h"

namespace app {

std::string SystemErrorDescription(DWORD errorCode) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? std::string(buffer, length) : "Error " + std::to_string(errorCode);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

void ThrowLastError(const char* descriptionWithoutCode) {
    const DWORD code = GetLastError();
    throw StepFailure(code != ERROR_SUCCESS ? SystemErrorDescription(code) : std::string(descriptionWithoutCode));
}

void ShowErrorReport(HWND owner, const std::string& reportText) noexcept {
    MessageBoxA(owner, reportText.c_str(), std::string(kErrorReportTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace app
