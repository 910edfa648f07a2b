// The program as a whole rather than its window: its folder, the application title, the home page, and its
// message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/logic/form1_handlers.h"
#include "win/win_handles.h"

namespace app {

inline constexpr const wchar_t* kApplicationWindowClass = L"PelmorathApplication";

class Program final : public Application {
public:
    explicit Program(HINSTANCE instance) noexcept : instance_(instance) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    std::wstring ExecutableFolder() override;
    bool FileExists(const std::wstring& path) override;
    // Rolls 1..100 from a generator reseeded from the time of day; on 7 opens the home page in the user's browser,
    // minimised, without waiting. Throws HandlerFailure when the browser cannot be started.
    void RollForHomePage() override;
    // The title by the title rule, on a hidden window of its own that the first call creates.
    void SetAppTitle() override;

private:
    HINSTANCE instance_;
    win::OwnedWindow titleWindow_;
};

// The owner of a box about window: the window while it is visible, none otherwise (a box owned by a hidden
// window has no taskbar button and can stay behind the program in front).
HWND BoxOwner(HWND window) noexcept;

// The modal report box of the trapped handlers; its answer is of no interest.
void ShowErrorReport(HWND window, const std::string& reportText) noexcept;

// A modal warning box about window, worded by the program.
void ShowWarning(HWND window, const wchar_t* text) noexcept;

// Where the trapped handlers of a window report.
ReportSink ReportsOf(HWND window);

}  // namespace app
