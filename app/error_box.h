// The error report box, and the failure of a step told in the platform's words.
#pragma once

#include <windows.h>

#include <string>

#include "app/error_trap.h"

namespace app {

// Throws StepFailure with the description of the calling thread's last error, or with the given words when
// the platform recorded no error code.
[[noreturn]] void ThrowLastError(const char* descriptionWithoutCode);

// The modal report box; its answer is of no interest.
void ShowErrorReport(HWND owner, const std::string& reportText) noexcept;

// Where the trapped handlers of a window report: a box owned by the window while it is visible, an unowned one
// before (a box owned by a hidden window would have no taskbar button).
ReportSink ReportsOf(HWND window);

}  // namespace app
