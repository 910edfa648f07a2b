// The steering of a run: the keyboard hook and the watches that go with it (raw input, the session's changes, the
// window in front), started and stopped together, and the warnings they give.
#pragma once

#include <windows.h>

#include <optional>

#include "app/logic/form1_handlers.h"
#include "steering/keyboard_hook.h"
#include "steering/logic/step_setting.h"
#include "tray/logic/sys_tray.h"
#include "tray/sys_tray_window.h"
#include "win/process_elevation.h"
#include "win/session_notices.h"
#include "win/win_handles.h"

namespace app {

// Watches which window comes to the front while it lives, one run: a window out of the steering's reach gets a
// balloon on the tray icon once, and the keyboard hook's watchdog hears whether the keys in front reach the hook.
class ForegroundWatch {
public:
    // At most one lives at a time: the event procedure finds it through one pointer.
    ForegroundWatch(tray::cSysTray& tray, const std::optional<win::ProcessElevation>& own,
                    modKeyboard::KeyboardHook& hook) noexcept;
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;
    ~ForegroundWatch();

    // Keypad 5 put a button down over root: a window out of the steering's reach gets the same balloon, once per run
    // with the front window's.
    void CheckClickTarget(HWND root) noexcept;

private:
    static void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND front, LONG objectId, LONG, DWORD, DWORD) noexcept;
    void CheckFront(HWND front) noexcept;
    // True when window belongs to a program out of the steering's reach; warns of it once per run.
    bool WarnIfOutOfReach(HWND window) noexcept;

    // The event procedure is called without any context of ours: the watch of the run under way, or none.
    static ForegroundWatch* watching_;

    tray::cSysTray& tray_;
    const std::optional<win::ProcessElevation>& own_;
    modKeyboard::KeyboardHook& keyboardHook_;
    bool warnedThisRun_ = false;
    win::WinEventHookHandle eventHook_;
};

// Started and stopped by Form1's handlers only. Stopping is harmless when nothing steers.
class RunSteering final : public SteeringControl {
public:
    // Ctrl+U raises restoreRequested, the run's restore request, which the run loop owns.
    RunSteering(const steering::StepSetting& step, win::WakingFlag& restoreRequested, tray::cSysTray& tray,
                tray::SysTrayWindow& trayWindow) noexcept
        : keyboardHook_(step, restoreRequested), tray_(tray), trayWindow_(trayWindow) {}
    RunSteering(const RunSteering&) = delete;
    RunSteering& operator=(const RunSteering&) = delete;

    // The window that gets the run's hook messages, session changes and warnings; set once it exists.
    void SetWindow(HWND window) noexcept { window_ = window; }

    // SteeringControl
    void StartSteering() override;
    void StopSteering() override;

    // The hook's raw input thread found key events that the hook was not called for: it goes in again.
    void OnHookLost() noexcept;
    // Keypad 5 put a mouse button down over root.
    void OnButtonDown(HWND root) noexcept;
    // A power broadcast or a change of the session, with its code: after a resume from sleep or a return to the
    // session during a run, the hook goes in again.
    void OnSystemNotice(UINT message, WPARAM code) noexcept;
    // The display or a setting changed: the steering reads the display's size again.
    void OnDisplayChange() noexcept;

private:
    void WarnKeyboardLost() noexcept;
    // Mouse Keys on at the run's start: a balloon says so, once per run.
    void WarnOfMouseKeys() noexcept;
    // An icon that the shell refused during the run, or lost and then refused, is added again at its end.
    void AddIconAgainIfRefused() noexcept;

    modKeyboard::KeyboardHook keyboardHook_;
    tray::cSysTray& tray_;
    tray::SysTrayWindow& trayWindow_;
    HWND window_ = nullptr;
    std::optional<win::ProcessElevation> ownElevation_;  // read at the first run that can read it
    win::SessionNotices sessionNotices_;
    std::optional<ForegroundWatch> foregroundWatch_;
};

}  // namespace app
