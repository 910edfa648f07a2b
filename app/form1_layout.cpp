// Form1's window and controls in their places: the window created at its size for the DPI and centred, the controls
// and their fonts, the icons, and the layout again when the window moves to another DPI.
#include "app/form1.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "res/resource_ids.h"
#include "win/dpi.h"
#include "win/failure_trace.h"
#include "win/logic/main_window_class.h"
#include "win/logic/program_messages.h"
#include "win/single_instance.h"
#include "win/system_error.h"
#include "win/window_thunk.h"

namespace app {
namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

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

}  // namespace

bool Form1::Create() noexcept {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = win::OwnerWindowProc<Form1>;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Never painted with: WM_ERASEBKGND always answers with the look's colour.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = win::kMainWindowClass;
    if (!RegisterClassExW(&windowClass)) return false;

    showInstanceMessage_ = win::ShowInstanceMessage();
    dpi_ = win::SystemDpi();
    // Created at its final size and place: every later move or resize of a top-level window is another round
    // trip to the display server before the window can show.
    const RECT outer = CentredOuterRect(dpi_);
    if (!CreateWindowExW(kFormExStyle, win::kMainWindowClass, kDesignCaption, kFormStyle, outer.left, outer.top,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this)) {
        return false;
    }
    // A later start by a user whose program runs without elevation may still ask an elevated copy to show, and the
    // installer's close action, which runs without elevation, to close: Windows drops other messages from programs
    // of a lower integrity level, the session-end ones included.
    if (showInstanceMessage_ != 0) ChangeWindowMessageFilterEx(Handle(), showInstanceMessage_, MSGFLT_ALLOW, nullptr);
    closeForUpdateMessage_ = RegisterWindowMessageW(win::kCloseForUpdateMessageName);
    if (closeForUpdateMessage_ != 0) {
        ChangeWindowMessageFilterEx(Handle(), closeForUpdateMessage_, MSGFLT_ALLOW, nullptr);
    }
    // The window may sit on a monitor whose DPI differs from the system's.
    if (const int dpi = win::WindowDpi(Handle()); dpi != dpi_) {
        ApplyLayout(dpi);
        const RECT scaled = CentredOuterRect(dpi_);
        SetWindowPos(Handle(), nullptr, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void Form1::Show() noexcept {
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    const POINT origin = CentredOrigin(outer);
    if (origin.x != outer.left || origin.y != outer.top) {
        SetWindowPos(Handle(), nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(text1_.Handle());
    shown_ = true;
    PostMessageW(Handle(), win::message::kLoadAfterShow, 0, 0);
}

bool Form1::OnCreate() noexcept {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    const FormLayout layout = LayoutForDpi(dpi_);
    // Each control is created in its place, so none is moved again before the first show.
    const PixelRect& f = layout.frame;
    frame_ = CreateWindowExW(0, WC_BUTTONW, kFrameCaption, kChild | BS_GROUPBOX, f.left, f.top, f.width, f.height,
                             Handle(), ControlId(kFrame1Id), instance_, nullptr);
    // Screen readers and voice control name an edit by the static text just before it in z-order, and a frame is
    // no static text: this one, never shown, gives the field the frame's caption as its name.
    CreateWindowExW(0, WC_STATICW, kFrameCaption, WS_CHILD, 0, 0, 0, 0, Handle(), nullptr, instance_, nullptr);
    // Created before the button so that the tab order runs field, button.
    const PixelRect& t = layout.field;
    const HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, kInitialStep, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                                       t.left, t.top, t.width, t.height, Handle(), ControlId(kText1Id), instance_,
                                       nullptr);
    const PixelRect& b = layout.button;
    // The caption is a literal, so its text ends in a null.
    button_ = CreateWindowExW(0, WC_BUTTONW, kStartCaption.data(), kChild | WS_TABSTOP | BS_PUSHBUTTON, b.left, b.top,
                              b.width, b.height, Handle(), ControlId(kPushButton2Id), instance_, nullptr);
    if (!frame_ || !field || !button_) return false;
    text1_.Attach(field);
    // Nothing is drawn yet: the first show paints the controls in their fonts.
    SetFonts(layout, false);
    look_.Attach(Handle(), button_);
    steering_.SetWindow(Handle());
    lastFocus_ = field;
    look_.FollowHighContrast();
    CreateSysTray1();
    return true;
}

void Form1::CreateSysTray1() noexcept {
    // A stored property of the wrong kind ("Type mismatch"), or out of memory for a property or a record: the control
    // starts with what it has read so far.
    win::RunTracingFailure(L"cSysTray1 properties", [&] {
        cSysTray1Properties_.Write(L"InTray", false);
        cSysTray1Properties_.Write(L"TrayIcon", tray::LoadCursorPicture(instance_, kTrayHandId));
        cSysTray1Properties_.Write(L"TrayTip", std::wstring(kSysTray1DesignTip));
        // Without its window the control still keeps its properties; the shell then refuses the icon and
        // minimising stays the ordinary one.
        cSysTray1Window_.Create(Handle(), instance_, kSysTray1Id, cSysTray1_);
        cSysTray1_.Initialize();
        cSysTray1_.ReadProperties(cSysTray1Properties_);
    });
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

void Form1::FollowWindowDpi() noexcept {
    // Nothing says that a window hidden in the tray hears of a scaling change: it is checked on the way back.
    const int dpi = win::WindowDpi(Handle());
    if (dpi == dpi_) return;
    RECT at{};
    GetWindowRect(Handle(), &at);
    const RECT outer = OuterRect(dpi);
    OnDpiChanged(dpi, {at.left, at.top, at.left + outer.right, at.top + outer.bottom});
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) noexcept {
    ApplyLayout(dpi);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) {
        // Moving a minimised window moves its icon and leaves the size it is restored to: that size is set
        // instead, in place. A window hidden in the tray stays hidden.
        const RECT outer = OuterRect(dpi);
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + outer.right;
        normal.bottom = normal.top + outer.bottom;
        placement.showCmd = IsWindowVisible(Handle()) ? SW_SHOWMINNOACTIVE : SW_HIDE;
        SetWindowPlacement(Handle(), &placement);
        return;
    }
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

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
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

}  // namespace app
