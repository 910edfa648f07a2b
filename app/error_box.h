// The error report box and the descriptions of platform failures.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// The platform's text for a Win32 error code, without its trailing line break.
std::string SystemErrorDescription(DWORD errorCode);

// Throws StepFailure with the description of the calling thread's last error, or with the given words when
// the platform recorded no error code.
[[noreturn]] void ThrowLastError(const char* descriptionWithoutCode);

// The modal report box; its answer is of no interest.
void ShowErrorReport(HWND owner, const std::string& reportText) noexcept;

}  // namespace app
