// The application title window: never shown, owns no taskbar button, found by its class.
#include "app/application_window.h"

#include <string>

#include "app/app_title.h"
#include "app/product.h"
#include "win/step_failure.h"
#include "win/system_error.h"

namespace app {

void ApplicationWindow::SetTitle(std::string_view title) {
    const std::string text(title);
    if (window_) {
        if (!SetWindowTextA(window_.get(), text.c_str())) win::ThrowLastError("The application title was not set");
        return;
    }
    // Created with its caption, so no other program ever finds the window without one.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kApplicationWindowClass;
    RegisterClassA(&windowClass);
    window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationWindowClass, text.c_str(), WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance_, nullptr));
    if (!window_) throw win::StepFailure("The application window could not be created");
}

void SetAppTitle(ApplicationWindow& application) { application.SetTitle(ApplicationTitle(kProductDisplayName)); }

}  // namespace app
