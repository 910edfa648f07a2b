// The test build's side of the build seams: high contrast and Mouse Keys from registry values the tests set, and,
// started with /lose-hook-for-test, a keyboard hook that vanishes during every run.
#include "app/build_seams.h"

#include <windows.h>

#include <cwchar>

#include "win/win_handles.h"

namespace app {
namespace {

// Program-wide by nature, as the program's own hook: the system calls a hook procedure without any context of ours.
struct HookLoss {
    win::HookHandle counter;
    int eventsThisRun = 0;
};
HookLoss loss;

// Installed after the program's hook, so called before it. From the third key event of a run on, after the program's
// hook has answered a whole tap and the watchdog knows its time, it hands no event on to that hook, which the program
// then sees as a hook that Windows removed for being too slow: silently, the program still holding the handle. The
// key itself still reaches its program. A hook installed again comes before this one, and is called.
LRESULT CALLBACK CountKeyEvents(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    if (nCode == HC_ACTION && ++loss.eventsThisRun >= 3) return 0;
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

bool LossAsked() noexcept { return std::wcsstr(GetCommandLineW(), L"/lose-hook-for-test") != nullptr; }

bool TestSettingOn(const wchar_t* name) noexcept {
    wchar_t value[2] = {};
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pelmorath", name, RRF_RT_REG_SZ, nullptr, value, &size) ==
               ERROR_SUCCESS &&
           value[0] == L'1';
}

}  // namespace

bool HighContrastOn() noexcept { return TestSettingOn(L"high-contrast-for-test"); }

bool MouseKeysOn() noexcept { return TestSettingOn(L"mouse-keys-for-test"); }

void SteeringStarted() noexcept {
    if (!LossAsked()) return;
    loss.eventsThisRun = 0;
    loss.counter.reset(SetWindowsHookExW(WH_KEYBOARD_LL, CountKeyEvents, GetModuleHandleW(nullptr), 0));
}

void SteeringStopped() noexcept { loss.counter.reset(); }

}  // namespace app
