// The application title window: never shown, owns no taskbar button, found by its class.
#include "app/application_window.h"

#include <string>

#include "app/app_title.h"
#include "app/error_trap.h"
#include "app/product.h"
#include "win/system_error.h"

namespace app {

ApplicationWindow::ApplicationWindow(HINSTANCE instance) noexcept {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kApplicationWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
}

ApplicationWindow::~ApplicationWindow() {
    if (window_) DestroyWindow(window_);
}

void ApplicationWindow::SetTitle(std::string_view title) {
    if (!window_) throw win::StepFailure("The application window could not be created");
    if (!SetWindowTextA(window_, std::string(title).c_str())) win::ThrowLastError("The application title was not set");
}

void SetAppTitle(ApplicationWindow& application) { application.SetTitle(ApplicationTitle(kProductDisplayName)); }

}  // namespace app
