// The program's folder and files, its title window, the home page, and its modal boxes.
#include "app/application.h"

#include "app/logic/application_rules.h"
#include "app/logic/product.h"
#include "win/files_beside_exe.h"
#include "win/logic/handler_failure.h"
#include "win/message_pump.h"
#include "win/logic/path_text.h"
#include "win/system_error.h"
#include "win/utf8.h"

namespace app {
namespace {

std::uint32_t SecondsSinceMidnight() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600u + now.wMinute * 60u + now.wSecond;
}

// The explorer of the Windows folder, named in full: a bare "explorer" on the command line is looked for in the
// program's own folder first, where a portable program's Downloads folder may hold anything.
std::wstring WindowsExplorer() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) win::ThrowLastError("The home page could not be opened");
    return win::JoinPath(std::wstring_view(folder, length), L"\\explorer.exe");
}

void OpenHomePage() {
    const std::wstring explorer = WindowsExplorer();
    std::wstring commandLine = win::FromUtf8(HomePageCommandLine());  // CreateProcess may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(explorer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        win::ThrowLastError("The home page could not be opened");
    }
    // Neither waited for nor kept.
    const win::KernelHandle browser(process.hProcess);
    const win::KernelHandle thread(process.hThread);
}

// Every box of ours: a sender is not held while the user reads, and the run loop keeps an unblock that the box's
// own loop took.
template <class Show>
void ShowModal(Show show) noexcept {
    win::ReplyToSender();
    show();
    win::RepostUnblockAfterModalLoop();
}

}  // namespace

std::wstring Program::ExecutableFolder() { return win::ExecutableFolderW(); }

bool Program::FileExists(const std::wstring& path) { return win::FileExistsW(path); }

void Program::RollForHomePage() {
    TimeOfDayGenerator generator(SecondsSinceMidnight());
    if (HomePageRollHits([&] { return generator.Next(); })) OpenHomePage();
}

void Program::SetAppTitle() {
    const std::wstring title = win::FromUtf8(ApplicationTitle(kProductDisplayName));
    if (titleWindow_) {
        if (!SetWindowTextW(titleWindow_.get(), title.c_str())) win::ThrowLastError("The application title was not set");
        return;
    }
    // Created with its caption, so no other program ever finds the window without one. Never shown, it owns no
    // taskbar button and is found by its class.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kApplicationWindowClass;
    RegisterClassW(&windowClass);
    titleWindow_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationWindowClass, title.c_str(), WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, instance_, nullptr));
    if (!titleWindow_) throw win::HandlerFailure("The application window could not be created");
}

HWND BoxOwner(HWND window) noexcept { return IsWindowVisible(window) ? window : nullptr; }

void ShowErrorReport(HWND window, const std::string& reportText) noexcept {
    try {
        const std::wstring text = win::FromUtf8(reportText);
        const std::wstring title = win::FromUtf8(kErrorReportTitle);
        ShowModal([&] { MessageBoxW(BoxOwner(window), text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION); });
    } catch (...) {
        // Out of memory while converting the report: it is lost, as a report that cannot be shown.
    }
}

void ShowWarning(HWND window, const wchar_t* text) noexcept {
    try {
        const std::wstring title = win::FromUtf8(kProductDisplayName);
        ShowModal([&] { MessageBoxW(BoxOwner(window), text, title.c_str(), MB_OK | MB_ICONWARNING); });
    } catch (...) {
        // Out of memory for the title: the warning is lost, as a box that cannot be shown.
    }
}

ReportSink ReportsOf(HWND window) {
    return [window](const std::string& reportText) { ShowErrorReport(window, reportText); };
}

}  // namespace app
