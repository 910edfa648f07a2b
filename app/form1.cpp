// Form1's window: class, creation, layout for the DPI, and the routing of messages to the handlers.
#include "app/form1.h"

#include <commctrl.h>

#include <utility>

#include "app/bring_back.h"
#include "app/error_box.h"
#include "app/pointer_hover.h"
#include "app/run_control.h"
#include "app/step_field.h"
#include "app/step_text_limit.h"
#include "app/tray_handlers.h"
#include "win/dpi.h"
#include "win/message_pump.h"
#include "win/single_instance.h"

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

Form1::Form1(HINSTANCE instance, ApplicationWindow& application) noexcept : parts_(instance, application, *this) {}

bool Form1::Create() noexcept {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = parts_.instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kForm1Class;
    if (!RegisterClassExA(&windowClass)) return false;

    parts_.bringBackMessage = win::BringBackMessage();
    parts_.dpi = win::SystemDpi();
    // Created at its final size and place: every later move or resize of a top-level window is another round
    // trip to the display server before the window can show.
    const RECT outer = CentredOuterRect(parts_.dpi);
    if (!CreateWindowExA(kFormExStyle, kForm1Class, kDesignCaption, kFormStyle, outer.left, outer.top,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, parts_.instance, this)) {
        return false;
    }
    parts_.created = true;
    const HWND window = parts_.window;
    ownWindow_.reset(window);
    // A later start by a user whose program runs without elevation may still ask an elevated copy to come back.
    if (parts_.bringBackMessage != 0) {
        ChangeWindowMessageFilterEx(window, parts_.bringBackMessage, MSGFLT_ALLOW, nullptr);
    }
    // The window may sit on a monitor whose DPI differs from the system's.
    if (const int dpi = win::WindowDpi(window); dpi != parts_.dpi) {
        ApplyLayout(dpi);
        const RECT scaled = CentredOuterRect(parts_.dpi);
        SetWindowPos(window, nullptr, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void Form1::Load() noexcept { Form_Load(startUp_, ReportsOf(parts_.window)); }

void Form1::Show() noexcept {
    const HWND window = parts_.window;
    RECT outer{};
    GetWindowRect(window, &outer);
    const POINT origin = CentredOrigin(outer);
    if (origin.x != outer.left || origin.y != outer.top) {
        SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(parts_.field);
    parts_.shown = true;
    PostMessageA(window, kLoadAfterShowMessage, 0, 0);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->parts_.window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return form ? form->HandleMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    FormParts& parts = parts_;
    if (message == parts.bringBackMessage && message != 0) {
        OnBringBack(parts, presence_);
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ERASEBKGND:
            parts.colours.EraseBackground(parts.window, reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (const HBRUSH brush = parts.colours.ColourControl(message, reinterpret_cast<HDC>(wParam),
                                                                 reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_SETCURSOR:
            if (OnSetCursor(parts, LOWORD(lParam))) return TRUE;
            break;
        case WM_MOUSEMOVE:
            // The frame lets the mouse through to the window, so both report here; their rule is the same.
            Hover(parts, HoverArea::Background);
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
            OnSize();
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
            FollowHighContrast(parts);
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) FollowHighContrast(parts);
            UpdateStepFormat(parts);
            OnDisplayChange();
            break;
        case kLoadAfterShowMessage:
            Form_LoadAfterShow(startUp_, ReportsOf(parts.window));
            return 0;
        case WM_INPUT:
            OnRawInput(parts, static_cast<unsigned long>(GetMessageTime()));
            break;  // the platform frees the input's data in DefWindowProc
        case WM_POWERBROADCAST:
        case WM_WTSSESSION_CHANGE:
            OnSystemNotice(parts, message, wParam);
            return TRUE;  // what a power broadcast is to answer; a session change's answer is not read
        case WM_DESTROY:
            Form_Unload(UnloadExitCode(parts.created));
        default:
            if (parts.cSysTray1Window.IsTaskbarCreated(message)) cSysTray1_TaskbarCreated(parts);
            break;
    }
    return DefWindowProcA(parts.window, message, wParam, lParam);
}

bool Form1::OnCreate() noexcept {
    FormParts& parts = parts_;
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    const FormLayout layout = LayoutForDpi(parts.dpi);
    const auto id = [](int controlId) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)); };
    // Each control is created in its place, so none is moved again before the first show.
    const PixelRect& f = layout.frame;
    parts.frame = CreateWindowExA(0, WC_BUTTONA, kFrameCaption, kChild | BS_GROUPBOX, f.left, f.top, f.width,
                                  f.height, parts.window, id(kFrame1Id), parts.instance, nullptr);
    // Screen readers and voice control name an edit by the static text just before it in z-order, and a frame is
    // no static text: this one, never shown, gives the field the frame's caption as its name.
    CreateWindowExA(0, WC_STATICA, kFrameCaption, WS_CHILD, 0, 0, 0, 0, parts.window, nullptr, parts.instance,
                    nullptr);
    // Created before the button so that the tab order runs field, button. Unicode, so that the step text is the
    // text typed, in any script.
    const PixelRect& t = layout.field;
    parts.field = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, kInitialStep, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                                  t.left, t.top, t.width, t.height, parts.window, id(kText1Id), parts.instance, nullptr);
    const PixelRect& b = layout.button;
    parts.button = CreateWindowExA(0, WC_BUTTONA, std::string(kStartCaption).c_str(),
                                   kChild | WS_TABSTOP | BS_PUSHBUTTON, b.left, b.top, b.width, b.height, parts.window,
                                   id(kPushButton2Id), parts.instance, nullptr);
    if (!parts.frame || !parts.field || !parts.button) return false;
    // Nothing is drawn yet: the first show paints the controls in their fonts.
    SetFonts(layout, false);
    // Before the subclass, which costs every message that passes it a lookup of its data; the limit is within
    // the subclass's own, and the text read is the designed one.
    SendMessageW(parts.field, EM_LIMITTEXT, kStepTextLimit, 0);
    LoadStep(parts);
    SetWindowSubclass(parts.field, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(parts.button, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    parts.lastFocus = parts.field;
    FollowHighContrast(parts);
    CreateSysTray1(parts, kSysTray1Id);
    return true;
}

void Form1::ApplyLayout(int dpi) noexcept {
    parts_.dpi = dpi;
    const FormLayout layout = LayoutForDpi(dpi);
    Place(parts_.frame, layout.frame);
    Place(parts_.field, layout.field);
    Place(parts_.button, layout.button);
    SetFonts(layout, true);
}

void Form1::SetFonts(const FormLayout& layout, bool redraw) noexcept {
    // The controls take the new fonts before the old ones go: a control may paint with its font at any time.
    win::FontHandle font = ArialBold(layout.fontHeight);
    win::FontHandle buttonFont = ArialBold(layout.buttonFontHeight);
    SendMessageA(parts_.frame, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), redraw);
    SendMessageA(parts_.field, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), redraw);
    SendMessageA(parts_.button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.get()), redraw);
    parts_.font = std::move(font);
    parts_.buttonFont = std::move(buttonFont);
}

void Form1::OnCommand(int id, int code) noexcept {
    if (id == kPushButton2Id && code == BN_CLICKED) {
        // A click sent by another program (BM_CLICK from UI Automation's Invoke, say) is answered before a run
        // starts: the start road returns only when the run is over.
        win::ReleaseSender();
        PushButton2_Click(run_, presence_, ReportsOf(parts_.window));
    }
    if (id == kText1Id && code == EN_CHANGE) Text1_Change(parts_);
}

void Form1::OnActivate(bool active) noexcept {
    // An ordinary window forgets its focused control on deactivation; give it back as a dialog would.
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(parts_.window, focus)) parts_.lastFocus = focus;
    } else if (parts_.lastFocus && !IsIconic(parts_.window)) {
        SetFocus(parts_.lastFocus);
    }
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) noexcept {
    ApplyLayout(dpi);
    const HWND window = parts_.window;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsIconic(window) && GetWindowPlacement(window, &placement)) {
        // Moving a minimised window moves its icon and leaves the size it is restored to: that size is set
        // instead, in place. A window hidden in the tray stays hidden.
        const FormLayout layout = LayoutForDpi(dpi);
        const RECT outer =
            win::WindowRectForClient(layout.clientWidth, layout.clientHeight, kFormStyle, kFormExStyle, dpi);
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + (outer.right - outer.left);
        normal.bottom = normal.top + (outer.bottom - outer.top);
        placement.showCmd = IsWindowVisible(window) ? SW_SHOWMINNOACTIVE : SW_HIDE;
        SetWindowPlacement(window, &placement);
        return;
    }
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::OnSize() noexcept {
    try {
        Form_Resize(tray_, presence_);
    } catch (...) {
        // No trap here: a minimise that fails halfway leaves the window as the platform left it.
    }
}

void Form1::MouseUp(std::int16_t&, std::int32_t&) {
    try {
        cSysTray1_MouseUp(presence_);
    } catch (...) {
        // The window stays as it was; the next release over the icon tries again.
    }
}

void Form1::OnClose() noexcept { Close(UnloadExitCode(parts_.created)); }

void Form1::OnQuit(int exitCode) noexcept { Close(exitCode); }

void Form1::Close(int exitCode) noexcept {
    // A close or a quit that arrives while the yields of this one run finds the program ending already.
    if (closing_) return;
    closing_ = true;
    Form_QueryUnload(tray_, presence_, ReportsOf(parts_.window));
    Form_Unload(exitCode);
}

void Form1::Form_Unload(int exitCode) noexcept {
    // A run loop may still be waiting on the stack: the program ends here rather than unwinding into it.
    ExitProcess(static_cast<UINT>(exitCode));
}

LRESULT CALLBACK Form1::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR form) noexcept {
    auto* self = reinterpret_cast<Form1*>(form);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, ControlProc, kSubclassId);
    if (control == self->parts_.button) {
        if (message == WM_MOUSEMOVE) Hover(self->parts_, HoverArea::Button);
        return DefSubclassProc(control, message, wParam, lParam);
    }
    return self->HandleFieldMessage(control, message, wParam, lParam);
}

LRESULT Form1::HandleFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    FormParts& parts = parts_;
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            Text1_GotFocus(parts);
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            // Only a move to another part of this window counts as leaving the field; switching to another
            // program or minimising keeps whatever is being typed.
            const HWND gaining = reinterpret_cast<HWND>(wParam);
            if (gaining && (gaining == parts.window || IsChild(parts.window, gaining))) Text1_LostFocus(parts);
            return result;
        }
        case WM_LBUTTONDOWN: {
            const bool entering = GetFocus() != field;
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            if (entering) Text1_MouseDown(parts);
            return result;
        }
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            Text1_MouseUp(parts);
            return result;
        }
        case WM_SETTEXT:
            return Text1_SetText(field, wParam, lParam);
        case EM_LIMITTEXT:
            // Nobody raises the field's limit: the step text stays short, whoever asks.
            return DefSubclassProc(field, message, wParam == 0 || wParam > kStepTextLimit ? kStepTextLimit : wParam,
                                   lParam);
        default:
            return DefSubclassProc(field, message, wParam, lParam);
    }
}

}  // namespace app
