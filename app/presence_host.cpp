// Showing the window again, in front and focused, and what goes with it.
#include "app/presence_host.h"

#include "app/admin_window_watch.h"
#include "steering/keyboard_hook.h"
#include "win/message_pump.h"

namespace app {

void Form1Presence::ShowWindow() {
    // A window left minimised comes back in its normal size; making it visible alone would keep it an icon.
    ::ShowWindow(parts_.window, IsIconic(parts_.window) ? SW_RESTORE : SW_SHOW);
}

void Form1Presence::FocusWindow() {
    if (!SetForegroundWindow(parts_.window) || GetForegroundWindow() != parts_.window) ForceForeground();
    SetFocus(parts_.lastFocus ? parts_.lastFocus : parts_.field);
}

void Form1Presence::ForceForeground() noexcept {
    // The restore keys are typed into another program, and Windows can keep the foreground from a program
    // the user is not typing into. Sharing the foreground thread's input state for the call lets the window
    // come back in front, as the keys promise. Only a fallback: under Wine the plain call works and the
    // shared state would leave no window in front. A hung foreground thread would stall this one, and with it the
    // desktop's keyboard hook, for as long as the input is shared: attach only to a window that answers.
    constexpr UINT kAnswerMilliseconds = 100;
    const DWORD ownThread = GetCurrentThreadId();
    const HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attached = foregroundThread != 0 && foregroundThread != ownThread &&
                          SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                                              kAnswerMilliseconds, nullptr) &&
                          AttachThreadInput(ownThread, foregroundThread, TRUE);
    SetForegroundWindow(parts_.window);
    if (attached) AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void Form1Presence::SetMinimizedToTray(bool minimized) { parts_.minimizedToTray = minimized; }

void Form1Presence::UnhookKeyboard() {
    modKeyboard::UnhookKeyboard();
    StopAdminWindowWatch();
}

void Form1Presence::ProcessPendingMessages() { win::ProcessPendingMessages(parts_.window); }

}  // namespace app
