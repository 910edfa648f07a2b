// Drives the tray control's window hook on a real window: what reaches the window's own procedure, what comes back,
// which events are raised, and what is left after the icon is switched off. One line per check, then a summary.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tray/logic/sys_tray.h"
#include "tray/tray_hook.h"

namespace {

static_assert(sizeof(HWND) == sizeof(std::uint32_t), "the tray control keeps its window's handle in 32 bits");

constexpr UINT kOtherMessage = WM_APP + 7;
constexpr LPARAM kLeftUp = WM_LBUTTONUP;

struct Seen {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int calls = 0;
};
Seen seen;

// The window's own procedure: remembers what it got and answers something no other procedure would.
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kOtherMessage || message == tray::kTrayCallbackMessage) {
        seen = {message, wParam, lParam, seen.calls + 1};
        return static_cast<LRESULT>(0x5EED0000 + (wParam & 0xFF));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Platform final : public tray::SysTrayPlatform {
public:
    explicit Platform(HWND window) : window_(window) {}
    win::WindowId OwnWindow() override { return static_cast<win::WindowId>(reinterpret_cast<UINT_PTR>(window_)); }
    tray::ShellAnswer NotifyIcon(const tray::NotifyCall&) override {
        return tray::ShellAnswer::Accepted;  // the shell is not what is checked here
    }
    void InstallTrayHook(tray::cSysTray& control) override { mSysTray::InstallTrayHook(control); }
    void RemoveTrayHook(tray::cSysTray& control) override { mSysTray::RemoveTrayHook(control); }
    double Now() override { return GetTickCount() / 1000.0; }
    void WaitForMessages(double) override {}
    void SetHeightTwips(int) override {}
    void SetWidthTwips(int) override {}
    std::string ToAnsi(std::wstring_view) override { return {}; }  // no text is checked here

private:
    HWND window_;
};

class Events final : public tray::SysTrayEvents {
public:
    int mouseUps = 0;
    std::int16_t button = 0;
    std::int32_t id = -1;
    void MouseMove(std::int32_t&) override {}
    void MouseDown(std::int16_t&, std::int32_t&) override {}
    void MouseUp(std::int16_t& Button, std::int32_t& Id) override {
        ++mouseUps;
        button = Button;
        id = Id;
    }
    void MouseDblClick(std::int16_t&, std::int32_t&) override {}
    void PropertyChanged(std::wstring_view) override {}
    bool UserMode() override { return true; }
};

int failures = 0;
int checks = 0;

void Check(bool ok, const char* name, const std::string& detail = {}) {
    ++checks;
    if (!ok) ++failures;
    std::printf("%s %s%s%s\n", ok ? "ok" : "FAIL", name, ok || detail.empty() ? "" : ": ", ok ? "" : detail.c_str());
}

std::string Hex(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

WNDPROC CurrentProc(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

}  // namespace

int main() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TrayHookCheck";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, "TrayHookCheck", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                                       nullptr);
    if (!window) {
        std::printf("FAIL no window\nchecks: 0 passed, 1 failed\n");
        return 1;
    }
    Platform platform(window);
    Events events;
    tray::cSysTray control(platform, events);
    control.Initialize();

    control.SetInTray(true);
    Check(CurrentProc(window) != OwnProc, "switched on, the window's procedure is replaced");

    seen = {};
    LRESULT result = SendMessageA(window, kOtherMessage, 0x1234, 0x5678);
    Check(seen.calls == 1 && seen.message == kOtherMessage && seen.wParam == 0x1234 && seen.lParam == 0x5678,
          "another message reaches the window's own procedure unchanged",
          "got message " + Hex(seen.message) + " " + Hex(seen.wParam) + " " + Hex(seen.lParam));
    Check(result == 0x5EED0034, "and its result comes back", "result " + Hex(result));

    seen = {};
    result = SendMessageA(window, tray::kTrayCallbackMessage, 0, kLeftUp);
    Check(events.mouseUps == 1 && events.button == 1 && events.id == 0, "a left release raises MouseUp(1, 0)",
          std::to_string(events.mouseUps) + " events, button " + std::to_string(events.button));
    Check(seen.calls == 1 && seen.message == tray::kTrayCallbackMessage && seen.lParam == kLeftUp && result == 0x5EED0000,
          "the callback reaches the window's own procedure too", "result " + Hex(result));

    control.SetInTray(false);
    Check(CurrentProc(window) == OwnProc, "switched off, the window's own procedure is back");
    seen = {};
    result = SendMessageA(window, tray::kTrayCallbackMessage, 0, kLeftUp);
    Check(events.mouseUps == 1, "switched off, a callback raises no event",
          std::to_string(events.mouseUps - 1) + " more events");
    Check(seen.calls == 1 && result == 0x5EED0000, "switched off, the window's own procedure answers",
          "result " + Hex(result));

    DestroyWindow(window);
    std::printf("checks: %d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
