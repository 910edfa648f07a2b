// The start/stop button's click and what a run does to the window and the hook.
#include "app/error_box.h"
#include "app/form1.h"
#include "win/message_pump.h"
#include "win/window_text.h"
#include "steering/keyboard_hook.h"

namespace app {

void Form1::PushButton2_Click() noexcept { app::PushButton2_Click(*this, Reporter()); }

std::string Form1::ButtonCaption() { return win::WindowText(button_); }

void Form1::SetButtonCaption(std::string_view caption) {
    if (!SetWindowTextA(button_, std::string(caption).c_str())) ThrowLastError("The caption could not be set");
}

void Form1::MinimizeWindow() { ::ShowWindow(window_, SW_MINIMIZE); }

void Form1::HookKeyboard() { modKeyboard::HookKeyboard(step_, window_); }

void Form1::OnRawInput() noexcept {
    // Told once per run, and only when the hook could not be installed again several times in a row.
    if (modKeyboard::KeySeenByRawInput(static_cast<DWORD>(GetMessageTime()))) {
        MessageBoxW(window_,
                    L"Pelmorath can no longer see the keyboard: the arrow keys do not move the pointer and Ctrl+U "
                    L"does not end the run.\r\nClick the hand icon in the notification area, then the Stop Running "
                    L"button.",
                    L"Pelmorath Software", MB_OK | MB_ICONWARNING);
    }
}

void Form1::OnDisplayChange() noexcept {
    // Sent to every top-level window, this hidden one too, before the change is over for the program that made it.
    // Which settings change the display's size for this program's DPI awareness is nowhere listed (scaling with
    // an awareness overridden by the user, rotation), so every settings change reads it again: they are rare.
    modKeyboard::ReadScreenSize();
}

void Form1::UnhookKeyboard() { modKeyboard::UnhookKeyboard(); }

bool Form1::RestoreRequested() { return modKeyboard::RestoreRequested(); }

void Form1::SetRestoreRequested(bool requested) { modKeyboard::SetRestoreRequested(requested); }

void Form1::ProcessPendingMessages() { win::ProcessPendingMessages(window_); }

void Form1::WaitForInput() { win::WaitForInput(window_); }

void Form1::ShowWindow() {
    // A window left minimised comes back in its normal size; making it visible alone would keep it an icon.
    ::ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
}

void Form1::FocusWindow() {
    if (!SetForegroundWindow(window_) || GetForegroundWindow() != window_) ForceForeground();
    SetFocus(lastFocus_ ? lastFocus_ : field_);
}

void Form1::ForceForeground() noexcept {
    // The restore keys are typed into another program, and Windows can keep the foreground from a program
    // the user is not typing into. Sharing the foreground thread's input state for the call lets the window
    // come back in front, as the keys promise. Only a fallback: under Wine the plain call works and the
    // shared state would leave no window in front.
    const DWORD ownThread = GetCurrentThreadId();
    const HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attached =
        foregroundThread != 0 && foregroundThread != ownThread && AttachThreadInput(ownThread, foregroundThread, TRUE);
    SetForegroundWindow(window_);
    if (attached) AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void Form1::SetMinimizedToTray(bool minimized) { minimizedToTray_ = minimized; }

}  // namespace app
