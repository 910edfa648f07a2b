// The program's message boxes: the error report of the trapped handlers and the warnings, with one owner rule.
#pragma once

#include <windows.h>

#include <string>

#include "app/error_trap.h"

namespace app {

// The owner of a box about window: the window while it is visible, none otherwise (a box owned by a hidden
// window has no taskbar button and can stay behind the program in front).
HWND BoxOwner(HWND window) noexcept;

// The modal report box; its answer is of no interest.
void ShowErrorReport(HWND window, const std::string& reportText) noexcept;

// A modal warning box about window, worded by the program.
void ShowWarning(HWND window, const wchar_t* text) noexcept;

// Where the trapped handlers of a window report.
ReportSink ReportsOf(HWND window);

}  // namespace app
