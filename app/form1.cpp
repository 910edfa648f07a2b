// Form1's window: class, creation, layout for the DPI, and the routing of messages to the handlers.
#include "app/form1.h"

#include <commctrl.h>

#include "win/dpi.h"
#include "win/single_instance.h"
#include "app/step_text_limit.h"
#include "app/window_layout.h"

namespace app {
namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr UINT_PTR kSubclassId = 1;
// Posted to the window by its first show: the start-up work nobody sees comes after it.
constexpr UINT kLoadAfterShowMessage = WM_APP + 1;

// Design caption: start-up replaces it with the product display name before the window is first shown.
constexpr const char* kDesignCaption = "Form1";
constexpr const char* kFrameCaption = "Number Of Pixel To Move At A Time";
constexpr const wchar_t* kInitialStep = L"5";

win::FontHandle ArialBold(int height) noexcept {
    return win::FontHandle(CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, "Arial"));
}

// Centred on the primary screen.
POINT CentredOrigin(const RECT& outer) noexcept {
    return {(GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2};
}

// The window's outer rectangle for the designed client area at a DPI, centred on the primary screen.
RECT CentredOuterRect(int dpi) noexcept {
    const FormLayout layout = LayoutForDpi(dpi);
    RECT outer = win::WindowRectForClient(layout.clientWidth, layout.clientHeight, kFormStyle, kFormExStyle, dpi);
    OffsetRect(&outer, -outer.left, -outer.top);
    const POINT origin = CentredOrigin(outer);
    OffsetRect(&outer, origin.x, origin.y);
    return outer;
}

void Place(HWND control, const PixelRect& rect) noexcept {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Form1::Form1(HINSTANCE instance, ApplicationWindow& application) noexcept
    : instance_(instance), application_(application), step_({}, {}) {}

Form1::~Form1() {
    if (window_) DestroyWindow(window_);
}

bool Form1::Create() noexcept {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kForm1Class;
    if (!RegisterClassExA(&windowClass)) return false;

    bringBackMessage_ = win::BringBackMessage();
    dpi_ = win::SystemDpi();
    // Created at its final size and place: every later move or resize of a top-level window is another round
    // trip to the display server before the window can show.
    const RECT outer = CentredOuterRect(dpi_);
    if (!CreateWindowExA(kFormExStyle, kForm1Class, kDesignCaption, kFormStyle, outer.left, outer.top,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this)) {
        return false;
    }
    created_ = true;
    // A later start by a user whose program runs without elevation may still ask an elevated copy to come back.
    if (bringBackMessage_ != 0) ChangeWindowMessageFilterEx(window_, bringBackMessage_, MSGFLT_ALLOW, nullptr);
    // The window may sit on a monitor whose DPI differs from the system's.
    if (const int dpi = win::WindowDpi(window_); dpi != dpi_) {
        ApplyLayout(dpi);
        const RECT scaled = CentredOuterRect(dpi_);
        SetWindowPos(window_, nullptr, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void Form1::Show() noexcept {
    RECT outer{};
    GetWindowRect(window_, &outer);
    const POINT origin = CentredOrigin(outer);
    if (origin.x != outer.left || origin.y != outer.top) {
        SetWindowPos(window_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(field_);
    shown_ = true;
    PostMessageA(window_, kLoadAfterShowMessage, 0, 0);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return form ? form->HandleMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == bringBackMessage_ && message != 0) {
        OnBringBack();
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (OnSetCursor(LOWORD(lParam))) return TRUE;
            break;
        case WM_MOUSEMOVE:
            OnMouseMove();
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED:
            OnDisplayChange();
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
            OnDisplayChange();
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
        case WM_SETTINGCHANGE:
            OnSettingChange();
            OnDisplayChange();
            break;
        case kLoadAfterShowMessage:
            OnLoadAfterShow();
            return 0;
        case WM_INPUT:
            OnRawInput();
            break;  // the platform frees the input's data in DefWindowProc
        case WM_DESTROY:
            Form_Unload();
            return 0;
        default:
            if (cSysTray1Window_.IsTaskbarCreated(message)) cSysTray1_TaskbarCreated();
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

bool Form1::OnCreate() noexcept {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    const FormLayout layout = LayoutForDpi(dpi_);
    // Each control is created in its place, so none is moved again before the first show.
    const PixelRect& f = layout.frame;
    frame_ = CreateWindowExA(0, WC_BUTTONA, kFrameCaption, kChild | BS_GROUPBOX, f.left, f.top, f.width, f.height,
                             window_, reinterpret_cast<HMENU>(kFrame1Id), instance_, nullptr);
    // Created before the button so that the tab order runs field, button. Unicode, so that the step text is the
    // text typed, in any script.
    const PixelRect& t = layout.field;
    field_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, kInitialStep, kChild | WS_TABSTOP | ES_AUTOHSCROLL, t.left,
                             t.top, t.width, t.height, window_, reinterpret_cast<HMENU>(kText1Id), instance_, nullptr);
    const PixelRect& b = layout.button;
    button_ = CreateWindowExA(0, WC_BUTTONA, std::string(kStartCaption).c_str(), kChild | WS_TABSTOP | BS_PUSHBUTTON,
                              b.left, b.top, b.width, b.height, window_, reinterpret_cast<HMENU>(kPushButton2Id),
                              instance_, nullptr);
    if (!frame_ || !field_ || !button_) return false;
    // Nothing is drawn yet: the first show paints the controls in their fonts.
    SetFonts(layout, false);
    // Before the subclass, which costs every message that passes it a lookup of its data; the limit is within
    // the subclass's own, and the text read is the designed one.
    SendMessageW(field_, EM_LIMITTEXT, kStepTextLimit, 0);
    LoadStep();
    SetWindowSubclass(field_, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(button_, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    lastFocus_ = field_;
    CreateSysTray1();
    return true;
}

void Form1::ApplyLayout(int dpi) noexcept {
    dpi_ = dpi;
    const FormLayout layout = LayoutForDpi(dpi);
    Place(frame_, layout.frame);
    Place(field_, layout.field);
    Place(button_, layout.button);
    SetFonts(layout, true);
}

void Form1::SetFonts(const FormLayout& layout, bool redraw) noexcept {
    font_ = ArialBold(layout.fontHeight);
    buttonFont_ = ArialBold(layout.buttonFontHeight);
    SendMessageA(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), redraw);
    SendMessageA(field_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), redraw);
    SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), redraw);
}

void Form1::OnCommand(int id, int code) noexcept {
    if (id == kPushButton2Id && code == BN_CLICKED) PushButton2_Click();
    if (id == kText1Id && code == EN_CHANGE) Text1_Change();
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
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Form1::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR form) noexcept {
    return reinterpret_cast<Form1*>(form)->HandleControlMessage(control, message, wParam, lParam);
}

LRESULT Form1::HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, ControlProc, kSubclassId);
    if (control == button_) {
        if (message == WM_MOUSEMOVE) Hover(HoverArea::Button);
        return DefSubclassProc(control, message, wParam, lParam);
    }
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
            Text1_GotFocus();
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
            // Only a move to another part of this window counts as leaving the field; switching to another
            // program or minimising keeps whatever is being typed.
            const HWND gaining = reinterpret_cast<HWND>(wParam);
            if (gaining && (gaining == window_ || IsChild(window_, gaining))) Text1_LostFocus();
            return result;
        }
        case WM_LBUTTONDOWN: {
            const bool entering = GetFocus() != control;
            const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
            if (entering) Text1_MouseDown();
            return result;
        }
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
            Text1_MouseUp();
            return result;
        }
        case WM_SETTEXT:
            return Text1_SetText(control, wParam, lParam);
        case EM_LIMITTEXT:
            // Nobody raises the field's limit: the step text stays short, whoever asks.
            return DefSubclassProc(control, message, wParam == 0 || wParam > kStepTextLimit ? kStepTextLimit : wParam,
                                   lParam);
        default:
            return DefSubclassProc(control, message, wParam, lParam);
    }
}

}  // namespace app
