// The error report box.
#pragma once

#include <windows.h>

#include <string>

#include "app/error_trap.h"

namespace app {

// The modal report box; its answer is of no interest.
void ShowErrorReport(HWND owner, const std::string& reportText) noexcept;

// Where the trapped handlers of a window report: a box owned by the window while it is visible, an unowned one
// before (a box owned by a hidden window would have no taskbar button).
ReportSink ReportsOf(HWND window);

}  // namespace app
