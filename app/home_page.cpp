// Home-page draw at start-up and the start of the browser.
#include "app/home_page.h"

#include <windows.h>

#include <string>

#include "app/home_page_draw.h"
#include "win/path_text.h"
#include "win/system_error.h"
#include "win/utf8.h"
#include "win/win_handles.h"

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

}  // namespace

void HomePageDraw() {
    TimeOfDayGenerator generator(SecondsSinceMidnight());
    if (HomePageDrawHits([&] { return generator.Next(); })) OpenHomePage();
}

}  // namespace app
