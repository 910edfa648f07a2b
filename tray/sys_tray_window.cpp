// The tray control's child window, its shell calls (waited for, or left to their thread), its clock and its wait
// between messages.
#include "tray/sys_tray_window.h"

#include <olectl.h>
#include <shellapi.h>

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "tray/tray_hook.h"
#include "win/dpi.h"
#include "win/failure_trace.h"
#include "win/logic/program_messages.h"
#include "win/message_pump.h"
#include "win/logic/twips.h"
#include "win/win_handles.h"
#include "win/window_thunk.h"

namespace tray {
namespace {

// The record is handed over exactly as the platform lays it out for a 32-bit program.
static_assert(sizeof(HANDLE) == sizeof(std::uint32_t), "Pelmorath is a 32-bit program: tray handles fit 32 bits");
static_assert(offsetof(NOTIFYICONDATAA, guidItem) == kNotifyRecordSize && NOTIFYICONDATAA_V2_SIZE == kNotifyRecordSize,
              "the 488-byte record of shell version 5");
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == field::kWindow);
static_assert(offsetof(NOTIFYICONDATAA, uID) == field::kId);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == field::kFlags);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == field::kCallbackMessage);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == field::kIcon);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == field::kTip && sizeof(NOTIFYICONDATAA::szTip) == field::kTipWidth);
static_assert(offsetof(NOTIFYICONDATAA, dwState) == field::kState);
static_assert(offsetof(NOTIFYICONDATAA, dwStateMask) == field::kStateMask);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == field::kInfo && sizeof(NOTIFYICONDATAA::szInfo) == field::kInfoWidth);
static_assert(offsetof(NOTIFYICONDATAA, uTimeout) == field::kTimeout);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == field::kInfoTitle &&
              sizeof(NOTIFYICONDATAA::szInfoTitle) == field::kInfoTitleWidth);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == field::kInfoFlags);
static_assert(NIM_ADD == static_cast<DWORD>(NotifyMessage::Add) && NIM_MODIFY == static_cast<DWORD>(NotifyMessage::Modify) &&
              NIM_DELETE == static_cast<DWORD>(NotifyMessage::Delete));
static_assert(NIF_MESSAGE == kNifMessage && NIF_ICON == kNifIcon && NIF_TIP == kNifTip && NIF_INFO == kNifInfo);
// The picture kinds are OLE's.
static_assert(static_cast<int>(PictureType::None) == PICTYPE_NONE &&
              static_cast<int>(PictureType::Bitmap) == PICTYPE_BITMAP &&
              static_cast<int>(PictureType::Metafile) == PICTYPE_METAFILE &&
              static_cast<int>(PictureType::Icon) == PICTYPE_ICON &&
              static_cast<int>(PictureType::EnhancedMetafile) == PICTYPE_ENHMETAFILE);

class CursorPicture final : public Picture {
public:
    explicit CursorPicture(win::CursorHandle cursor) noexcept : cursor_(std::move(cursor)) {}
    // A cursor is an icon with a hot spot: the shell takes it where an icon handle is asked for.
    PictureType Type() const noexcept override { return PictureType::Icon; }
    std::uint32_t Handle() const noexcept override {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(cursor_.get()));
    }

private:
    win::CursorHandle cursor_;
};

}  // namespace

PictureRef LoadCursorPicture(HINSTANCE instance, int resourceId) noexcept {
    try {
        win::CursorHandle cursor(
            static_cast<HCURSOR>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_CURSOR, 0, 0, 0)));
        if (!cursor) return nullptr;
        return std::make_shared<CursorPicture>(std::move(cursor));
    } catch (const std::bad_alloc&) {
        // Out of memory for the picture: the control gets none, and the icon shows without it.
        win::TraceFailure(L"tray hand picture", win::kOutOfMemory);
        return nullptr;
    }
}

SysTrayWindow::~SysTrayWindow() {
    // Here, while every member is still alive: the window procedure uses them as the window goes.
    window_.reset();
}

// ANSI on purpose: the design replaces this window's procedure with SetWindowLongA (tray_hook.cpp) and hands the
// shell its icon in the ANSI record through Shell_NotifyIconA, so the window keeps the records' character set.
bool SysTrayWindow::Create(HWND parent, HINSTANCE instance, int controlId, cSysTray& control) noexcept {
    control_ = &control;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = win::OwnerWindowProc<SysTrayWindow, 0>;
    // The object lives in the extra bytes: the user data belongs to the tray hook.
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kSysTrayClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    taskbarCreated_ = RegisterWindowMessageW(win::kTaskbarCreatedMessageName);
    // An elevated program would not hear from an ordinary shell restarting without this.
    if (taskbarCreated_) ChangeWindowMessageFilterEx(parent, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    const int size = MulDiv(kControlSizeTwips, win::WindowDpi(parent), win::kTwipsPerInch);
    return CreateWindowExA(0, kSysTrayClass, "", WS_CHILD, 0, 0, size, size, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this) != nullptr;
}

LRESULT SysTrayWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) window_.reset(window);
    if (control_) {
        try {
            if (message == WM_SIZE) control_->Resize();
            if (message == WM_DESTROY) control_->Terminate();
            if (message == win::message::kShellAnswered) {
                control_->ShellAnswered(static_cast<NotifyMessage>(wParam), lParam != 0);
                // An add answered after the run has no run's end to come back to it: a refused icon is added again
                // now, once, as at a run's end (that add waits for its answer).
                if (waitsForShell_ && !ending_) control_->AddAgainIfRefused();
                return 0;
            }
        } catch (...) {
            // A host whose change notice fails, in whatever way, must not take the window procedure down with it.
            win::TraceCaughtFailure(L"tray control window");
        }
    }
    if (message == WM_NCDESTROY) window_.release();  // gone: its owner must not destroy it again
    return DefWindowProcA(window, message, wParam, lParam);
}

win::WindowId SysTrayWindow::OwnWindow() { return win::IdOf(window_.get()); }

ShellAnswer SysTrayWindow::NotifyIcon(const NotifyCall& call) {
    if ((ending_ || !waitsForShell_) && shellCalls_.Queue(call, window_.get(), win::message::kShellAnswered)) {
        return ShellAnswer::Later;
    }
    // In order: the calls left for later go first.
    shellCalls_.WaitForAnswers();
    return CallShell(call) ? ShellAnswer::Accepted : ShellAnswer::Refused;
}

void SysTrayWindow::ProgramEnding() noexcept {
    if (ending_) return;
    ending_ = true;
    endingSince_ = GetTickCount64();
    shellCalls_.DropBalloons();
}

void SysTrayWindow::WaitForShellAtEnd() noexcept {
    const ULONGLONG waited = GetTickCount64() - endingSince_;
    if (waited < kEndWaitMilliseconds) shellCalls_.WaitForAnswers(static_cast<DWORD>(kEndWaitMilliseconds - waited));
}

void SysTrayWindow::InstallTrayHook(cSysTray& control) { mSysTray::InstallTrayHook(control); }

void SysTrayWindow::RemoveTrayHook(cSysTray& control) { mSysTray::RemoveTrayHook(control); }

double SysTrayWindow::Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SysTrayWindow::WaitForMessages(double maxSeconds) {
    // A minimise sent by another program is answered before the balloon holds the thread.
    win::ReplyToSender();
    // Rounded up, so that a remainder below a millisecond still waits instead of spinning.
    const double milliseconds = std::ceil(maxSeconds * 1000.0);
    win::WaitForInputFor(milliseconds <= 0.0 ? 0 : static_cast<DWORD>(milliseconds));
    win::ProcessPendingMessages(window_ ? GetAncestor(window_.get(), GA_ROOT) : nullptr);
}

void SysTrayWindow::SetHeightTwips(int twips) {
    RECT rect{};
    GetWindowRect(window_.get(), &rect);
    SetSize(rect.right - rect.left, TwipsToPixels(twips));
}

void SysTrayWindow::SetWidthTwips(int twips) {
    RECT rect{};
    GetWindowRect(window_.get(), &rect);
    SetSize(TwipsToPixels(twips), rect.bottom - rect.top);
}

void SysTrayWindow::SetSize(int width, int height) noexcept {
    RECT rect{};
    GetWindowRect(window_.get(), &rect);
    // Only a real change: the new size raises the resize event again.
    if (rect.right - rect.left == width && rect.bottom - rect.top == height) return;
    SetWindowPos(window_.get(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int SysTrayWindow::TwipsToPixels(int twips) const noexcept {
    return MulDiv(twips, win::WindowDpi(window_.get()), win::kTwipsPerInch);
}

std::string SysTrayWindow::ToAnsi(std::wstring_view character) {
    // A character is at most a surrogate pair, and no ANSI code page takes more than four bytes for one.
    char bytes[8];
    const int length = WideCharToMultiByte(CP_ACP, 0, character.data(), static_cast<int>(character.size()), bytes,
                                           static_cast<int>(sizeof bytes), nullptr, nullptr);
    return std::string(bytes, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace tray
