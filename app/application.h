// The program as a whole rather than its window: its folder, the application title, the home page, and its
// message boxes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/logic/error_trap.h"
#include "win/win_handles.h"

namespace app {

inline constexpr const wchar_t* kApplicationWindowClass = L"PelmorathApplication";

class Program final {
public:
    explicit Program(HINSTANCE instance) noexcept : instance_(instance) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The executable's folder, without a trailing separator, in any script: asked of the platform once, for both
    // files beside the program.
    const std::wstring& ExecutableFolder();
    // True for any existing file or folder; never fails.
    bool FileExists(const std::wstring& path) const noexcept;
    // Rolls 1..100 from a generator reseeded from the time of day; on 7 opens the home page in the user's browser,
    // minimised, without waiting. Throws HandlerFailure when the browser cannot be started.
    void RollForHomePage();
    // The title by the title rule, on a hidden window of its own that the first call creates.
    void SetAppTitle();

private:
    HINSTANCE instance_;
    std::optional<std::wstring> executableFolder_;
    win::OwnedWindow titleWindow_;
};

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
