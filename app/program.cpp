// The program's folder and files, its title window and the home page.
#include "app/program.h"

#include <new>

#include "app/logic/application_rules.h"
#include "app/logic/product.h"
#include "win/failure_trace.h"
#include "win/files_beside_exe.h"
#include "win/logic/handler_failure.h"
#include "win/logic/path_text.h"
#include "win/message_window.h"
#include "win/system_error.h"

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
    if (length == 0 || length >= MAX_PATH) win::ThrowLastError(L"The home page could not be opened");
    return win::JoinPath(std::wstring_view(folder, length), L"\\explorer.exe");
}

void OpenHomePage() {
    const std::wstring explorer = WindowsExplorer();
    std::wstring commandLine = HomePageCommandLine();  // CreateProcess may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(explorer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        win::ThrowLastError(L"The home page could not be opened");
    }
    // Neither waited for nor kept.
    const win::KernelHandle browser(process.hProcess);
    const win::KernelHandle thread(process.hThread);
}

}  // namespace

const std::wstring& Program::ExecutableFolder() {
    if (!executableFolder_) executableFolder_ = win::ExecutableFolderW();
    return *executableFolder_;
}

bool Program::FileExists(const std::wstring& path) noexcept { return win::FileExistsW(path); }

void Program::RollForHomePage() {
    TimeOfDayGenerator generator(SecondsSinceMidnight());
    if (HomePageRollHits([&] { return generator.Next(); })) OpenHomePage();
}

void Program::SetAppTitle() {
    const std::wstring title = ApplicationTitle(kProductDisplayName);
    if (titleWindow_) {
        if (!SetWindowTextW(titleWindow_.get(), title.c_str())) {
            win::ThrowLastError(L"The application title was not set");
        }
        return;
    }
    // Created with its caption, so no other program ever finds the window without one. Never shown, it owns no
    // taskbar button and is found by its class.
    win::RegisterClassOnce(kApplicationWindowClass, DefWindowProcW);
    titleWindow_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationWindowClass, title.c_str(), WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, instance_, nullptr));
    if (!titleWindow_) throw win::HandlerFailure(L"The application window could not be created");
}

}  // namespace app
