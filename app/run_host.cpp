// What a run does to the window and the hook.
#include "app/run_host.h"

#include "app/admin_window_watch.h"
#include "app/error_box.h"
#include "steering/keyboard_hook.h"
#include "win/message_pump.h"
#include "win/window_text.h"
#include "win/system_error.h"

namespace app {

std::string Form1Run::ButtonCaption() { return win::WindowText(parts_.button); }

void Form1Run::SetButtonCaption(std::string_view caption) {
    if (!SetWindowTextA(parts_.button, std::string(caption).c_str())) win::ThrowLastError("The caption could not be set");
}

void Form1Run::MinimizeWindow() { ::ShowWindow(parts_.window, SW_MINIMIZE); }

void Form1Run::HookKeyboard() {
    modKeyboard::HookKeyboard(parts_.step, parts_.window);
    StartAdminWindowWatch(parts_);
}

bool Form1Run::RestoreRequested() { return modKeyboard::RestoreRequested(); }

void Form1Run::SetRestoreRequested(bool requested) { modKeyboard::SetRestoreRequested(requested); }

void Form1Run::WaitForInput() { win::WaitForInput(parts_.window); }

namespace {

// Told once per run, and only when the hook could not be installed again several times in a row.
void TellKeyboardLost(const FormParts& parts) noexcept {
    ShowWarning(parts.window,
                L"Pelmorath can no longer see the keyboard: the arrow keys do not move the pointer and Ctrl+U "
                L"does not end the run.\r\nClick the hand icon in the notification area, then the Stop Running "
                L"button.");
}

}  // namespace

void OnRawInput(const FormParts& parts, unsigned long messageTime) noexcept {
    if (modKeyboard::KeySeenByRawInput(messageTime)) TellKeyboardLost(parts);
}

void OnSystemNotice(const FormParts& parts, UINT message, WPARAM code) noexcept {
    if (modKeyboard::SystemNoticed(message, code)) TellKeyboardLost(parts);
}

void OnDisplayChange() noexcept {
    // Sent to every top-level window, this hidden one too, before the change is over for the program that made it.
    // Which settings change the display's size for this program's DPI awareness is nowhere listed (scaling with
    // an awareness overridden by the user, rotation), so every settings change reads it again: they are rare.
    modKeyboard::ReadScreenSize();
}

}  // namespace app
