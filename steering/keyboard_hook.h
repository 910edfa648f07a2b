// The low-level keyboard hook of a run: its handle, the restore request, the moves and mouse buttons it makes.
#pragma once

#include <windows.h>

#include "steering/logic/hook_decision.h"
#include "steering/logic/hook_watchdog.h"
#include "steering/logic/mouse_buttons.h"
#include "steering/logic/step_setting.h"
#include "steering/raw_key_thread.h"
#include "win/message_pump.h"
#include "win/win_handles.h"

namespace modKeyboard {

class KeyboardHook {
public:
    // Every move uses step's current value. Ctrl+U raises restoreRequested, the run's restore request, which the run
    // loop owns; until it is cleared again the run counts as over. Both must outlive the hook.
    KeyboardHook(const steering::StepSetting& step, win::WakingFlag& restoreRequested) noexcept
        : step_(step), restoreRequested_(restoreRequested) {}
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;
    ~KeyboardHook() { UnhookKeyboard(); }

    // Installs the hook for all threads of the desktop; the watcher window gets win::message::kHookLost (its handler
    // calls ReinstallLostHook) and win::message::kButtonDown until UnhookKeyboard. One object's hook at a time.
    void HookKeyboard(HWND watcher) noexcept;
    // Removes the hook and lets up a mouse button it holds; harmless when none is installed.
    void UnhookKeyboard() noexcept;

    // Reads the primary display's size again. The hook asks for none per move (under Wine each ask is three round
    // trips to the server): it uses the size read when the run started, so this must be called whenever the size
    // may have changed since.
    void ReadScreenSize() noexcept;
    // For win::message::kHookLost. True when the installation has now failed often enough in a row that the user must be
    // warned.
    bool ReinstallLostHook() noexcept;
    // For each WM_POWERBROADCAST and WM_WTSSESSION_CHANGE of the watcher (registered for the session's changes by
    // its owner during a run). During a run, a resume from sleep or a return to the session installs the hook again
    // at once; true as for ReinstallLostHook.
    bool SystemNoticed(UINT message, WPARAM code) noexcept;
    // Called by the watch on the window in front during a run: whether that window's keys are kept from the hook.
    void FrontOutOfReach(bool outOfReach) noexcept { activity_.FrontOutOfReach(outOfReach); }

    // For a failure that ends the program: lets up the button keypad 5 holds, on whatever thread the failure is.
    static void LetButtonUpBeforeExit() noexcept;

private:
    // Called by the system for every keyboard event on the desktop, on this thread, while it processes messages.
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT OnKeyEvent(int nCode, WPARAM wParam, LPARAM lParam) noexcept;
    bool InstallHook() noexcept;
    bool Reinstall() noexcept;
    void MakeButtonWindow() noexcept;
    void MoveOnce(steering::Move move, std::int16_t step) const noexcept;
    void ChangeButton(const steering::ButtonChange& change) noexcept;
    void ApplyButtonChange(const steering::ButtonChange& change) noexcept;
    // Lets the held button up, now and at each check until the system takes it.
    void LetButtonUp() noexcept;
    // The check while a button is held: keypad 5's release may never reach the hook (made on the secure desktop, or
    // while a window of a higher integrity level has the keyboard), and no other key may follow to show it.
    void CheckHeldButton() noexcept;
    // Keeps the check's timer running exactly while a button is held, so that nothing ticks otherwise.
    void WatchHeldButton() noexcept;

    // The hook procedure is called without any context of ours: the object whose hook is in.
    static KeyboardHook* hooked_;
    // The object whose button window may hold a mouse button: the last to start a run.
    static KeyboardHook* buttonOwner_;

    const steering::StepSetting& step_;
    win::HookHandle hKeyboardHook_;
    win::WakingFlag& restoreRequested_;
    steering::ScreenSize screen_;      // the primary display's, as last read
    HWND watcher_ = nullptr;           // set while a run is under way
    steering::HookMemory memory_;      // as the hook last decided
    steering::ButtonHold buttonHold_;  // as the system took it
    win::OwnedWindow buttonWindow_;    // made the first time a run starts
    bool watchingButton_ = false;      // the check's timer runs
    steering::HookActivity activity_;             // read by the raw input thread
    steering::FailedInstallations reinstalls_;
    RawKeyThread rawKeys_;
};

}  // namespace modKeyboard
