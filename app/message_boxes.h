// The program's modal boxes: the trapped handlers' error report and its warnings.
#pragma once

#include <windows.h>

#include <string_view>

#include "app/logic/error_trap.h"

namespace app {

// The owner of a box about window: the window while it is visible, none otherwise (a box owned by a hidden
// window has no taskbar button and can stay behind the program in front).
HWND BoxOwner(HWND window) noexcept;

// The modal report box of the trapped handlers, after a trace of the failure; its answer is of no interest.
void ShowErrorReport(HWND window, std::wstring_view description, std::wstring_view procedure, int line) noexcept;

// A modal warning box about window, worded by the program.
void ShowWarning(HWND window, const wchar_t* text) noexcept;

// Where the trapped handlers of a window report.
ReportSink ReportsOf(HWND window);

}  // namespace app
