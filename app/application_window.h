// The hidden top-level window that carries the application title, as distinct from the main window caption.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/win_handles.h"

namespace app {

inline constexpr const char* kApplicationWindowClass = "PelmorathApplication";

class ApplicationWindow {
public:
    explicit ApplicationWindow(HINSTANCE instance) noexcept : instance_(instance) {}
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    // The first call creates the window. Throws StepFailure when the title cannot be set.
    void SetTitle(std::string_view title);

private:
    HINSTANCE instance_;
    win::OwnedWindow window_;
};

// Sets the application title by the title rule from the product display name.
void SetAppTitle(ApplicationWindow& application);

}  // namespace app
