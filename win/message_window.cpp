// Message-only windows and their classes.
#include "win/message_window.h"

namespace win {

bool RegisterClassOnce(const wchar_t* className, WNDPROC procedure) noexcept {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    if (GetClassInfoW(instance, className, &windowClass)) return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

OwnedWindow MakeMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner) noexcept {
    if (!RegisterClassOnce(className, procedure)) return OwnedWindow();
    OwnedWindow window(CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    if (window) SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

}  // namespace win
