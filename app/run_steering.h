// The steering of a run: the keyboard hook and the watches that go with it (raw input, the session's changes, the
// window in front), started and stopped together, and the warnings they give.
#pragma once

#include <windows.h>

#include <optional>

#include "steering/logic/step_setting.h"
#include "tray/logic/sys_tray.h"
#include "win/process_elevation.h"
#include "win/session_notices.h"
#include "win/win_handles.h"

namespace app {

// Watches which window comes to the front while it lives, one run: a window out of the steering's reach gets a
// balloon on the tray icon once, and the keyboard hook's watchdog hears whether the keys in front reach the hook.
class ForegroundWatch {
public:
    // At most one lives at a time: the event procedure finds it through one pointer.
    ForegroundWatch(tray::cSysTray& tray, const std::optional<win::ProcessElevation>& own) noexcept;
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;
    ~ForegroundWatch();

private:
    static void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND front, LONG objectId, LONG, DWORD, DWORD) noexcept;
    void CheckFront(HWND front) noexcept;

    tray::cSysTray& tray_;
    const std::optional<win::ProcessElevation>& own_;
    bool warnedThisRun_ = false;
    win::WinEventHookHandle hook_;
};

// Started and stopped by Form1's handlers only. Stopping is harmless when nothing steers.
class RunSteering final {
public:
    RunSteering(const steering::StepSetting& step, tray::cSysTray& tray) noexcept : step_(step), tray_(tray) {}
    RunSteering(const RunSteering&) = delete;
    RunSteering& operator=(const RunSteering&) = delete;

    // The window that gets the run's raw input, session changes and warnings; set once it exists.
    void SetWindow(HWND window) noexcept { window_ = window; }

    void StartSteering();
    void StopSteering();
    // The request that ends a run, raised by Ctrl+U and by the stop branch. Raising it also ends the run loop's
    // wait, wherever the raise runs.
    bool RestoreRequested();
    void SetRestoreRequested(bool requested);

    // Raw input of a key during a run, with the time of its message: the hook may have been lost, and goes in again.
    void OnRawInput(unsigned long messageTime) noexcept;
    // A power broadcast or a change of the session, with its code: after a resume from sleep or a return to the
    // session during a run, the hook goes in again.
    void OnSystemNotice(UINT message, WPARAM code) noexcept;
    // The display or a setting changed: the steering reads the display's size again.
    static void OnDisplayChange() noexcept;

private:
    void WarnKeyboardLost() noexcept;

    const steering::StepSetting& step_;
    tray::cSysTray& tray_;
    HWND window_ = nullptr;
    std::optional<win::ProcessElevation> ownElevation_;  // read at the first run that can read it
    win::SessionNotices sessionNotices_;
    std::optional<ForegroundWatch> foregroundWatch_;
};

}  // namespace app
