// Home-page draw at start-up and the start of the browser.
#include "app/home_page.h"

#include <windows.h>

#include <string>

#include "app/home_page_draw.h"
#include "win/system_error.h"
#include "win/win_handles.h"

namespace app {
namespace {

std::uint32_t SecondsSinceMidnight() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600u + now.wMinute * 60u + now.wSecond;
}

void OpenHomePage() {
    std::string commandLine = HomePageCommandLine();  // CreateProcess may write into its command line
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
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
