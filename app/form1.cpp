// Form1's window procedure, one handler per message, and what its trapped handlers do to it.
#include "app/form1.h"

#include <string>

#include "app/logic/product.h"
#include "app/message_boxes.h"
#include "win/failure_trace.h"
#include "win/logic/program_messages.h"
#include "win/message_pump.h"
#include "win/system_error.h"
#include "win/window_text.h"

namespace app {
namespace {

void SetText(HWND window, std::wstring_view text, const wchar_t* failure) {
    if (!SetWindowTextW(window, std::wstring(text).c_str())) win::ThrowLastError(failure);
}

}  // namespace

Form1::Form1(HINSTANCE instance, Program& program) noexcept : instance_(instance), program_(program) {}

void Form1::Load() noexcept { Form_Load(*this, look_, program_, ReportsOf(Handle())); }

LRESULT Form1::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_NCCREATE:
            window_.reset(window);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ERASEBKGND:
            look_.EraseBackground(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            // Only what the skin engine, which sees these first, hands on reaches here.
            if (const HBRUSH brush =
                    look_.ColourControl(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_SETCURSOR:
            return look_.OnSetCursor(LOWORD(lParam)) ? TRUE : DefWindowProcW(window, message, wParam, lParam);
        case WM_MOUSEMOVE:
            // The frame lets the mouse through to the window, so both report here; their rule is the same.
            look_.Hover(HoverArea::Background);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_DESTROY:
            // Reached only when the window goes without a close, as when its creation fails: Form_Unload ends the
            // process and never returns.
            Form_Unload(UnloadExitCode(shown_));
        case WM_NCDESTROY:
            window_.release();  // gone: its owner must not destroy it again
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return HandleNotice(window, message, wParam, lParam);
    }
}

LRESULT Form1::HandleNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // never refused; the closing itself happens once the session really ends
        case WM_ENDSESSION:
            if (wParam) OnClose();
            return 0;
        case win::message::kQuitArrived:
            OnQuit(static_cast<int>(wParam));
            return 0;
        case win::message::kLoadAfterShow:
            Form_LoadAfterShow(program_, ReportsOf(window));
            return 0;
        case WM_DPICHANGED:
            steering_.OnDisplayChange();
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
            steering_.OnDisplayChange();
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_SYSCOLORCHANGE:
            look_.FollowHighContrast();
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_SETTINGCHANGE:
            OnSettingChange(wParam);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_POWERBROADCAST:
        case WM_WTSSESSION_CHANGE:
            steering_.OnSystemNotice(message, wParam);
            return TRUE;  // what a power broadcast is to answer; a session change's answer is not read
        case win::message::kHookLost:
            steering_.OnHookLost();
            return 0;
        case win::message::kButtonDown:
            steering_.OnButtonDown(reinterpret_cast<HWND>(wParam));
            return 0;
        default:
            return OnRegisteredMessage(window, message, wParam, lParam);
    }
}

LRESULT Form1::OnRegisteredMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == showInstanceMessage_ && showInstanceMessage_ != 0) {
        OnShowInstance();
        return 0;
    }
    if (message == closeForUpdateMessage_ && closeForUpdateMessage_ != 0) {
        OnCloseForUpdate();
        return 0;
    }
    if (cSysTray1Window_.IsTaskbarCreated(message)) {
        OnTaskbarCreated();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Form1::OnCommand(int id, int code) noexcept {
    if (id == kPushButton2Id && code == BN_CLICKED) {
        // A click sent by another program (BM_CLICK from UI Automation's Invoke, say) is answered before a run
        // starts: the start branch returns only when the run is over.
        win::ReplyToSender();
        PushButton2_Click(*this, steering_, ReportsOf(Handle()));
    }
    if (id == kText1Id && code == EN_CHANGE) text1_.Text1_Change();
}

void Form1::OnActivate(bool active) noexcept {
    // An ordinary window forgets its focused control on deactivation; give it back as a dialog would.
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
    } else if (lastFocus_ && !IsIconic(Handle())) {
        SetFocus(lastFocus_);
    }
}

void Form1::Form_Resize() noexcept {
    if (!HidesIntoTray({IsIconic(Handle()) != FALSE, minimizedToTray_, cSysTray1_.IconInShell()})) return;
    // The platform restores a minimised window only by showing it, so a hidden window keeps its minimised state
    // until ShowWindow brings it back in its normal size.
    ::ShowWindow(Handle(), SW_HIDE);
    minimizedToTray_ = true;
    // No trap here: on a failure the window is in the tray without its balloon.
    win::RunTracingFailure(L"Form_Resize balloon", [&] {
        cSysTray1_.ShowBalloon(kTrayBalloonText, kProductDisplayName, kTrayBalloonSeconds, true);
    });
}

void Form1::OnSettingChange(WPARAM setting) noexcept {
    if (setting == SPI_SETHIGHCONTRAST) look_.FollowHighContrast();
    text1_.UpdateStepFormat();
    steering_.OnDisplayChange();
}

void Form1::OnShowInstance() noexcept {
    // Before the first show start-up is still under way (perhaps showing a report); the first show puts
    // the window in front by itself.
    if (!shown_) return;
    // On a failure the window stays as it was; the next start tries again.
    win::RunTracingFailure(L"second start", [&] {
        // An error report open over the window is what must be answered first: bring that to the front.
        if (const HWND popup = GetLastActivePopup(Handle()); popup && popup != Handle() && !IsWindowEnabled(Handle())) {
            ShowWindow();
            SetMinimizedToTray(false);
            SetForegroundWindow(popup);
            return;
        }
        // Otherwise the same as a release over the tray icon.
        cSysTray1_MouseUp(*this);
    });
}

void Form1::OnCloseForUpdate() noexcept {
    // The answer tells the action that this program knows the message: it waits for the process to end rather than
    // ask again with the session-end messages. The program ends inside the message.
    win::ReplyToSender(win::kClosingAnswer);
    OnClose();
}

void Form1::OnTaskbarCreated() noexcept {
    // Out of memory for the icon's record: the icon stays missing until the next restart of the shell.
    win::RunTracingFailure(L"TaskbarCreated", [&] { cSysTray1_.TaskbarCreated(); });
}

void Form1::MouseUp(std::int16_t&, std::int32_t&) {
    // On a failure the window stays as it was; the next release over the icon tries again.
    win::RunTracingFailure(L"cSysTray1_MouseUp", [&] { cSysTray1_MouseUp(*this); });
}

void Form1::OnClose() noexcept { Close(kClosedExitCode); }

void Form1::OnQuit(int exitCode) noexcept { Close(exitCode); }

void Form1::Close(int exitCode) noexcept {
    // A close or a quit that arrives while this one pumps its pending messages finds the program ending already.
    if (closing_) return;
    closing_ = true;
    // A shell that does not answer never keeps the program from ending: the icon's delete and whatever is still
    // queued are waited for a bounded time, then left to the shell call thread, which ends with the process.
    cSysTray1Window_.ProgramEnding();
    Form_QueryUnload(*this, steering_, ReportsOf(Handle()));
    cSysTray1Window_.WaitForShellAtEnd();
    Form_Unload(exitCode);
}

void Form1::Form_Unload(int exitCode) noexcept {
    // A run loop may still be waiting on the stack: the program ends here rather than unwinding into it.
    ExitProcess(static_cast<UINT>(exitCode));
}

std::wstring Form1::ButtonCaption() { return win::WindowTextW(button_); }

void Form1::SetButtonCaption(std::wstring_view caption) { SetText(button_, caption, L"The caption could not be set"); }

void Form1::SetCaption(std::wstring_view caption) { SetText(Handle(), caption, L"The caption could not be set"); }

void Form1::MinimizeWindow() { ::ShowWindow(Handle(), SW_MINIMIZE); }

void Form1::ShowWindow() {
    FollowWindowDpi();
    // A window left minimised comes back in its normal size; making it visible alone would keep it an icon.
    ::ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
}

void Form1::FocusWindow() {
    if (!SetForegroundWindow(Handle()) || GetForegroundWindow() != Handle()) ForceForeground();
    SetFocus(lastFocus_ ? lastFocus_ : text1_.Handle());
}

void Form1::ForceForeground() noexcept {
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
    SetForegroundWindow(Handle());
    if (attached) AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void Form1::ProcessPendingMessages() { win::ProcessPendingMessages(Handle()); }

}  // namespace app
