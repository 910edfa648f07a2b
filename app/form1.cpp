// Form1's window: class, creation, layout for the DPI, its state, and the routing of messages to the handlers.
#include "app/form1.h"

#include <commctrl.h>

#include <new>
#include <string>
#include <utility>

#include "app/logic/product.h"
#include "res/resource_ids.h"
#include "win/dpi.h"
#include "win/failure_trace.h"
#include "win/message_pump.h"
#include "win/single_instance.h"
#include "win/system_error.h"
#include "win/window_text.h"

namespace app {
namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
// Posted to the window by its first show: the start-up work nobody sees comes after it.
constexpr UINT kLoadAfterShowMessage = WM_APP + 1;

// Design texts: start-up replaces the caption with the product display name, and the tip before the icon shows.
constexpr const wchar_t* kDesignCaption = L"Form1";
constexpr std::wstring_view kSysTray1DesignTip = L"cSysTray1";
constexpr const wchar_t* kFrameCaption = L"Number Of Pixel To Move At A Time";
constexpr const wchar_t* kInitialStep = L"5";

win::FontHandle ArialBold(int height) noexcept {
    return win::FontHandle(CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

// Centred on the primary screen.
POINT CentredOrigin(const RECT& outer) noexcept {
    return {(GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2};
}

// The window's outer size for the designed client area at a DPI, at the origin.
RECT OuterRect(int dpi) noexcept {
    const FormLayout layout = LayoutForDpi(dpi);
    RECT outer = win::WindowRectForClient(layout.clientWidth, layout.clientHeight, kFormStyle, kFormExStyle, dpi);
    OffsetRect(&outer, -outer.left, -outer.top);
    return outer;
}

// The same, centred on the primary screen.
RECT CentredOuterRect(int dpi) noexcept {
    RECT outer = OuterRect(dpi);
    const POINT origin = CentredOrigin(outer);
    OffsetRect(&outer, origin.x, origin.y);
    return outer;
}

void Place(HWND control, const PixelRect& rect) noexcept {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HMENU ControlId(int id) noexcept { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

void SetText(HWND window, std::wstring_view text, const wchar_t* failure) {
    if (!SetWindowTextW(window, std::wstring(text).c_str())) win::ThrowLastError(failure);
}

}  // namespace

Form1::Form1(HINSTANCE instance, Program& program) noexcept : instance_(instance), program_(program) {}

bool Form1::Create() noexcept {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Never painted with: WM_ERASEBKGND always answers with the look's colour.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kForm1Class;
    if (!RegisterClassExW(&windowClass)) return false;

    showInstanceMessage_ = win::ShowInstanceMessage();
    dpi_ = win::SystemDpi();
    // Created at its final size and place: every later move or resize of a top-level window is another round
    // trip to the display server before the window can show.
    const RECT outer = CentredOuterRect(dpi_);
    if (!CreateWindowExW(kFormExStyle, kForm1Class, kDesignCaption, kFormStyle, outer.left, outer.top,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this)) {
        return false;
    }
    created_ = true;
    ownWindow_.reset(window_);
    // A later start by a user whose program runs without elevation may still ask an elevated copy to show.
    if (showInstanceMessage_ != 0) ChangeWindowMessageFilterEx(window_, showInstanceMessage_, MSGFLT_ALLOW, nullptr);
    // The window may sit on a monitor whose DPI differs from the system's.
    if (const int dpi = win::WindowDpi(window_); dpi != dpi_) {
        ApplyLayout(dpi);
        const RECT scaled = CentredOuterRect(dpi_);
        SetWindowPos(window_, nullptr, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void Form1::Load() noexcept { Form_Load(*this, ReportsOf(window_)); }

void Form1::Show() noexcept {
    RECT outer{};
    GetWindowRect(window_, &outer);
    const POINT origin = CentredOrigin(outer);
    if (origin.x != outer.left || origin.y != outer.top) {
        SetWindowPos(window_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(text1_.Handle());
    shown_ = true;
    PostMessageW(window_, kLoadAfterShowMessage, 0, 0);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form ? form->HandleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == showInstanceMessage_ && message != 0) {
        OnShowInstance();
        return 0;
    }
    switch (message) {
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
            break;
        case WM_SETCURSOR:
            if (look_.OnSetCursor(LOWORD(lParam))) return TRUE;
            break;
        case WM_MOUSEMOVE:
            // The frame lets the mouse through to the window, so both report here; their rule is the same.
            look_.Hover(HoverArea::Background);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED:
            RunSteering::OnDisplayChange();
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
            RunSteering::OnDisplayChange();
            break;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // never refused; the closing itself happens once the session really ends
        case WM_ENDSESSION:
            if (wParam) OnClose();
            return 0;
        case win::kQuitArrivedMessage:
            OnQuit(static_cast<int>(wParam));
            return 0;
        case WM_SYSCOLORCHANGE:
            look_.FollowHighContrast();
            break;
        case WM_SETTINGCHANGE:
            OnSettingChange(wParam);
            break;
        case kLoadAfterShowMessage:
            Form_LoadAfterShow(*this, ReportsOf(window_));
            return 0;
        case WM_INPUT:
            steering_.OnRawInput(static_cast<unsigned long>(GetMessageTime()));
            break;  // the platform frees the input's data in DefWindowProc
        case WM_POWERBROADCAST:
        case WM_WTSSESSION_CHANGE:
            steering_.OnSystemNotice(message, wParam);
            return TRUE;  // what a power broadcast is to answer; a session change's answer is not read
        default:
            // A registered message has no case of its own; asked only here, so that the messages of every key event
            // of a run (WM_INPUT) pass no extra test.
            if (cSysTray1Window_.IsTaskbarCreated(message)) OnTaskbarCreated();
            break;
        case WM_DESTROY:
            // Reached only when the window goes without a close, as when its creation fails: Form_Unload ends the
            // process and never returns.
            Form_Unload(UnloadExitCode(created_));
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool Form1::OnCreate() noexcept {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    const FormLayout layout = LayoutForDpi(dpi_);
    // Each control is created in its place, so none is moved again before the first show.
    const PixelRect& f = layout.frame;
    frame_ = CreateWindowExW(0, WC_BUTTONW, kFrameCaption, kChild | BS_GROUPBOX, f.left, f.top, f.width, f.height,
                             window_, ControlId(kFrame1Id), instance_, nullptr);
    // Screen readers and voice control name an edit by the static text just before it in z-order, and a frame is
    // no static text: this one, never shown, gives the field the frame's caption as its name.
    CreateWindowExW(0, WC_STATICW, kFrameCaption, WS_CHILD, 0, 0, 0, 0, window_, nullptr, instance_, nullptr);
    // Created before the button so that the tab order runs field, button.
    const PixelRect& t = layout.field;
    const HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, kInitialStep, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                                       t.left, t.top, t.width, t.height, window_, ControlId(kText1Id), instance_,
                                       nullptr);
    const PixelRect& b = layout.button;
    // The caption is a literal, so its text ends in a null.
    button_ = CreateWindowExW(0, WC_BUTTONW, kStartCaption.data(), kChild | WS_TABSTOP | BS_PUSHBUTTON, b.left, b.top,
                              b.width, b.height, window_, ControlId(kPushButton2Id), instance_, nullptr);
    if (!frame_ || !field || !button_) return false;
    text1_.Attach(field);
    // Nothing is drawn yet: the first show paints the controls in their fonts.
    SetFonts(layout, false);
    look_.Attach(window_, button_);
    steering_.SetWindow(window_);
    lastFocus_ = field;
    look_.FollowHighContrast();
    CreateSysTray1();
    return true;
}

void Form1::CreateSysTray1() noexcept {
    try {
        cSysTray1Properties_.Write(L"InTray", false);
        cSysTray1Properties_.Write(L"TrayIcon", tray::LoadCursorPicture(instance_, kTrayHandId));
        cSysTray1Properties_.Write(L"TrayTip", std::wstring(kSysTray1DesignTip));
        // Without its window the control still keeps its properties; the shell then refuses the icon and
        // minimising stays the ordinary one.
        cSysTray1Window_.Create(window_, instance_, kSysTray1Id, cSysTray1_);
        cSysTray1_.Initialize();
        cSysTray1_.ReadProperties(cSysTray1Properties_);
    } catch (...) {
        // Out of memory while reading stored properties: the control starts with what it has.
    }
}

void Form1::ApplyLayout(int dpi) noexcept {
    dpi_ = dpi;
    const FormLayout layout = LayoutForDpi(dpi);
    Place(frame_, layout.frame);
    Place(text1_.Handle(), layout.field);
    Place(button_, layout.button);
    SetFonts(layout, true);
}

void Form1::SetFonts(const FormLayout& layout, bool redraw) noexcept {
    // The controls take the new fonts before the old ones go: a control may paint with its font at any time.
    win::FontHandle font = ArialBold(layout.fontHeight);
    win::FontHandle buttonFont = ArialBold(layout.buttonFontHeight);
    SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), redraw);
    SendMessageW(text1_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), redraw);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.get()), redraw);
    font_ = std::move(font);
    buttonFont_ = std::move(buttonFont);
}

void Form1::OnCommand(int id, int code) noexcept {
    if (id == kPushButton2Id && code == BN_CLICKED) {
        // A click sent by another program (BM_CLICK from UI Automation's Invoke, say) is answered before a run
        // starts: the start branch returns only when the run is over.
        win::ReplyToSender();
        PushButton2_Click(*this, ReportsOf(window_));
    }
    if (id == kText1Id && code == EN_CHANGE) text1_.Text1_Change();
}

void Form1::OnActivate(bool active) noexcept {
    // An ordinary window forgets its focused control on deactivation; give it back as a dialog would.
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    } else if (lastFocus_ && !IsIconic(window_)) {
        SetFocus(lastFocus_);
    }
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) noexcept {
    ApplyLayout(dpi);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsIconic(window_) && GetWindowPlacement(window_, &placement)) {
        // Moving a minimised window moves its icon and leaves the size it is restored to: that size is set
        // instead, in place. A window hidden in the tray stays hidden.
        const RECT outer = OuterRect(dpi);
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + outer.right;
        normal.bottom = normal.top + outer.bottom;
        placement.showCmd = IsWindowVisible(window_) ? SW_SHOWMINNOACTIVE : SW_HIDE;
        SetWindowPlacement(window_, &placement);
        return;
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::Form_Resize() noexcept {
    if (!HidesIntoTray({IsIconic(window_) != FALSE, minimizedToTray_, cSysTray1_.IconInShell()})) return;
    // The platform restores a minimised window only by showing it, so a hidden window keeps its minimised state
    // until ShowWindow brings it back in its normal size.
    ::ShowWindow(window_, SW_HIDE);
    minimizedToTray_ = true;
    try {
        cSysTray1_.ShowBalloon(kTrayBalloonText, kProductDisplayName, kTrayBalloonSeconds, true);
    } catch (const win::HandlerFailure& failure) {
        // No trap here: the window is in the tray without its balloon.
        win::TraceFailure(L"Form_Resize balloon", failure.Description());
    } catch (const std::bad_alloc&) {
        win::TraceFailure(L"Form_Resize balloon", win::kOutOfMemory);
    }
}

void Form1::OnSettingChange(WPARAM setting) noexcept {
    if (setting == SPI_SETHIGHCONTRAST) look_.FollowHighContrast();
    text1_.UpdateStepFormat();
    RunSteering::OnDisplayChange();
}

void Form1::OnShowInstance() noexcept {
    // Before the first show start-up is still under way (perhaps showing a report); the first show puts
    // the window in front by itself.
    if (!shown_) return;
    try {
        // An error report open over the window is what must be answered first: bring that to the front.
        if (const HWND popup = GetLastActivePopup(window_); popup && popup != window_ && !IsWindowEnabled(window_)) {
            ShowWindow();
            SetMinimizedToTray(false);
            SetForegroundWindow(popup);
            return;
        }
        // Otherwise the same as a release over the tray icon.
        cSysTray1_MouseUp(*this);
    } catch (...) {
        // The window stays as it was; the next start tries again.
    }
}

void Form1::OnTaskbarCreated() noexcept {
    try {
        cSysTray1_.TaskbarCreated();
    } catch (...) {
        // The icon stays missing until the next restart of the shell.
    }
}

void Form1::MouseUp(std::int16_t&, std::int32_t&) {
    try {
        cSysTray1_MouseUp(*this);
    } catch (...) {
        // The window stays as it was; the next release over the icon tries again.
    }
}

void Form1::OnClose() noexcept { Close(UnloadExitCode(created_)); }

void Form1::OnQuit(int exitCode) noexcept { Close(exitCode); }

void Form1::Close(int exitCode) noexcept {
    // A close or a quit that arrives while this one pumps its pending messages finds the program ending already.
    if (closing_) return;
    closing_ = true;
    Form_QueryUnload(*this, ReportsOf(window_));
    Form_Unload(exitCode);
}

void Form1::Form_Unload(int exitCode) noexcept {
    // A run loop may still be waiting on the stack: the program ends here rather than unwinding into it.
    ExitProcess(static_cast<UINT>(exitCode));
}

std::wstring Form1::ButtonCaption() { return win::WindowTextW(button_); }

void Form1::SetButtonCaption(std::wstring_view caption) { SetText(button_, caption, L"The caption could not be set"); }

void Form1::SetCaption(std::wstring_view caption) { SetText(window_, caption, L"The caption could not be set"); }

void Form1::SetWindowIcon() {
    auto load = [this](int metricX, int metricY) {
        SetLastError(ERROR_SUCCESS);
        win::IconHandle icon(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON,
                                                           win::SystemMetricForDpi(metricX, dpi_),
                                                           win::SystemMetricForDpi(metricY, dpi_), 0)));
        if (!icon) win::ThrowLastError(L"The application icon could not be loaded");
        return icon;
    };
    win::IconHandle big = load(SM_CXICON, SM_CYICON);
    win::IconHandle small = load(SM_CXSMICON, SM_CYSMICON);
    // The small one first: a big icon set without a small one makes the platform scale a small copy of it, which
    // the small icon would then replace at once.
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void Form1::MinimizeWindow() { ::ShowWindow(window_, SW_MINIMIZE); }

void Form1::ShowWindow() {
    // A window left minimised comes back in its normal size; making it visible alone would keep it an icon.
    ::ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
}

void Form1::FocusWindow() {
    if (!SetForegroundWindow(window_) || GetForegroundWindow() != window_) ForceForeground();
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
    SetForegroundWindow(window_);
    if (attached) AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void Form1::ProcessPendingMessages() { win::ProcessPendingMessages(window_); }

void Form1::WaitForInput() { win::WaitForInput(window_); }

}  // namespace app
