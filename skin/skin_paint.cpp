// What the skin engine paints: the colours it answers the window's controls with, the background, push buttons
// through custom draw, and frames in full.
#include "skin/skin_engine.h"

#include <new>
#include <optional>
#include <string>

#include "win/dpi.h"
#include "win/failure_trace.h"
#include "win/window_text.h"

namespace skin {
namespace {

constexpr int kFrameTextInset = 8;         // pixels at 96 DPI from the frame's left edge to its caption
constexpr int kFrameTextGap = 2;           // cleared around the caption where it cuts the border
constexpr int kFocusInset = 3;
constexpr double kDisabledShare = 0.5;
constexpr double kFrameBorderShare = 0.5;  // the border halfway between background and caption

COLORREF ToColorRef(Colour c) { return RGB(c.red, c.green, c.blue); }
Colour FromColorRef(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }
Colour SystemColour(int index) { return FromColorRef(GetSysColor(index)); }

Colour BrushColour(HBRUSH brush, Colour otherwise) noexcept {
    LOGBRUSH logical{};
    if (brush && GetObjectW(brush, sizeof logical, &logical) == sizeof logical && logical.lbStyle == BS_SOLID) {
        return FromColorRef(logical.lbColor);
    }
    return otherwise;
}

// A control's text to draw: without memory for it, the control is drawn without its text.
std::wstring CaptionOf(HWND control) noexcept {
    try {
        return win::WindowTextW(control);
    } catch (const std::bad_alloc&) {
        win::TraceFailure(L"skin caption", win::kOutOfMemory);
        return {};
    }
}

// Parts of the window's other controls that lie over the frame (its field) are theirs to paint.
void ExcludeOverlappingSiblings(HWND frame, HDC dc) noexcept {
    RECT frameRect{};
    GetWindowRect(frame, &frameRect);
    for (HWND sibling = GetWindow(GetParent(frame), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        RECT rect{}, overlap{};
        if (sibling == frame || !IsWindowVisible(sibling) || !GetWindowRect(sibling, &rect)) continue;
        if (!IntersectRect(&overlap, &rect, &frameRect)) continue;
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&overlap), 2);
        ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
    }
}

class SelectedFont {
public:
    SelectedFont(HDC dc, HWND control) noexcept
        : dc_(dc), previous_(SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)))) {}
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    ~SelectedFont() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

HBRUSH SkinEngine::BrushFor(Colour colour) noexcept { return brushes_.For(ToColorRef(colour)); }

bool SkinEngine::OnEraseBackground(HWND window, HDC dc) noexcept {
    const std::optional<Colour> background = WindowBackground(*skin_);
    if (!background) return false;
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, BrushFor(*background));
    return true;
}

LRESULT SkinEngine::OnCtlColorFrame(HWND window, HDC dc, HWND frame) noexcept {
    // The host decides the frame's plain look; the skin changes what it names.
    const LRESULT host = DefSubclassProc(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(frame));
    const PlainPart plain{BrushColour(reinterpret_cast<HBRUSH>(host), FromColorRef(GetBkColor(dc))),
                          SystemColour(COLOR_WINDOWTEXT)};
    const std::optional<Paint> paint = FramePaint(*skin_, settings_, plain);
    if (!paint) return host;
    SetTextColor(dc, ToColorRef(paint->text));
    SetBkColor(dc, ToColorRef(paint->background));
    return reinterpret_cast<LRESULT>(BrushFor(paint->background));
}

LRESULT SkinEngine::OnCtlColorField(HWND window, HDC dc, HWND field) noexcept {
    const PlainPart plain{SystemColour(COLOR_WINDOW), SystemColour(COLOR_WINDOWTEXT)};
    const std::optional<Paint> paint = FieldPaint(*skin_, settings_, plain);
    if (!paint) {
        return DefSubclassProc(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field));
    }
    SetTextColor(dc, ToColorRef(paint->text));
    SetBkColor(dc, ToColorRef(paint->background));
    return reinterpret_cast<LRESULT>(BrushFor(paint->background));
}

LRESULT SkinEngine::OnCtlColorButton(HWND window, HDC dc, HWND button) noexcept {
    // What shows around a button's rounded corners is the window's background.
    const std::optional<Colour> background = WindowBackground(*skin_);
    if (!background) {
        return DefSubclassProc(window, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button));
    }
    SetBkColor(dc, ToColorRef(*background));
    return reinterpret_cast<LRESULT>(BrushFor(*background));
}

LRESULT SkinEngine::OnCustomDraw(const NMCUSTOMDRAW& draw) noexcept {
    const PlainPart plain{SystemColour(COLOR_BTNFACE), SystemColour(COLOR_BTNTEXT)};
    const std::optional<ButtonLook> look = ButtonPaint(*skin_, settings_, plain);
    if (!look) return CDRF_DODEFAULT;
    // Some button implementations stop after the erase stage when told to skip the default, others go on to
    // the paint stage: drawing the whole button at both stages is right either way.
    if (draw.dwDrawStage != CDDS_PREERASE && draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    PaintButton(draw, *look);
    return CDRF_SKIPDEFAULT;
}

void SkinEngine::PaintButton(const NMCUSTOMDRAW& draw, const ButtonLook& look) noexcept {
    const HWND button = draw.hdr.hwndFrom;
    const HDC dc = draw.hdc;
    const UINT state = draw.uItemState;
    const Paint& paint = (state & CDIS_SELECTED) ? look.pressed : (state & CDIS_HOT) ? look.hot : look.normal;
    RECT rect = draw.rc;
    FillRect(dc, &rect, BrushFor(paint.background));
    FrameRect(dc, &rect, BrushFor(look.border));

    const auto uiState = static_cast<UINT>(SendMessageW(button, WM_QUERYUISTATE, 0, 0));
    const Colour text = (state & CDIS_DISABLED) ? Mix(paint.text, paint.background, kDisabledShare) : paint.text;
    RECT textRect = rect;
    if (state & CDIS_SELECTED) OffsetRect(&textRect, 1, 1);
    {
        const SelectedFont font(dc, button);
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldText = SetTextColor(dc, ToColorRef(text));
        const std::wstring caption = CaptionOf(button);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((uiState & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0));
        SetTextColor(dc, oldText);
        SetBkMode(dc, oldMode);
    }
    if ((state & CDIS_FOCUS) && !(uiState & UISF_HIDEFOCUS)) {
        const int inset = MulDiv(kFocusInset, win::WindowDpi(button), USER_DEFAULT_SCREEN_DPI);
        InflateRect(&rect, -inset, -inset);
        // The focus cue is drawn inverted, so it shows on any face.
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &rect);
    }
}

void SkinEngine::PaintFrame(HWND frame) noexcept {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(frame, &ps);
    if (!dc) return;
    ExcludeOverlappingSiblings(frame, dc);
    // Asked the way the control itself asks, so that the host and the skin both have their say.
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(frame)));
    const Colour background = BrushColour(brush, FromColorRef(GetBkColor(dc)));
    Colour text = FromColorRef(GetTextColor(dc));
    if (!IsWindowEnabled(frame)) text = Mix(text, background, kDisabledShare);

    RECT client{};
    GetClientRect(frame, &client);
    FillRect(dc, &client, BrushFor(background));

    const SelectedFont font(dc, frame);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring caption = CaptionOf(frame);
    RECT border = client;
    border.top += metrics.tmHeight / 2;
    FrameRect(dc, &border, BrushFor(Mix(background, text, kFrameBorderShare)));

    if (!caption.empty()) {
        const int dpi = win::WindowDpi(frame);
        const int inset = MulDiv(kFrameTextInset, dpi, USER_DEFAULT_SCREEN_DPI);
        const int gap = MulDiv(kFrameTextGap, dpi, USER_DEFAULT_SCREEN_DPI);
        const auto uiState = static_cast<UINT>(SendMessageW(frame, WM_QUERYUISTATE, 0, 0));
        const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | ((uiState & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0);
        RECT textRect{inset, 0, client.right - inset, metrics.tmHeight};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, format | DT_CALCRECT);
        RECT cleared{textRect.left - gap, textRect.top, textRect.right + gap, textRect.bottom};
        FillRect(dc, &cleared, BrushFor(background));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(text));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, format);
    }
    EndPaint(frame, &ps);
}

}  // namespace skin
