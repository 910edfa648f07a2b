// The skin engine's Win32 side: reading the file, the settings, and hooking the window and its frames to route
// their messages. What it paints is in skin_paint.cpp.
#include "skin/skin_engine.h"

#include <cstdint>
#include <iterator>
#include <new>
#include <string>
#include <utility>

#include "skin/logic/control_kind.h"
#include "win/failure_trace.h"
#include "win/files_beside_exe.h"
#include "win/logic/handler_failure.h"
#include "win/system_error.h"
#include "win/utf8.h"

namespace skin {
namespace {

// SetWindowSubclass tells a window's subclasses apart by procedure and id together, so any id of the engine's own
// would do: "SK" in ASCII names it as the skin engine's wherever a window's subclasses are listed.
constexpr UINT_PTR kSkinSubclassId = 0x534B;

// The classes and styles by which the engine tells the controls apart.
static_assert(kStaticClass == WC_STATICA && kButtonClass == WC_BUTTONA);
namespace style = button_style;
static_assert(style::kTypeMask == BS_TYPEMASK && style::kPushButton == BS_PUSHBUTTON &&
              style::kDefPushButton == BS_DEFPUSHBUTTON && style::kCheckBox == BS_CHECKBOX &&
              style::kAutoCheckBox == BS_AUTOCHECKBOX && style::kRadioButton == BS_RADIOBUTTON &&
              style::kThreeState == BS_3STATE && style::kAutoThreeState == BS_AUTO3STATE &&
              style::kGroupBox == BS_GROUPBOX && style::kAutoRadioButton == BS_AUTORADIOBUTTON);

std::vector<std::uint8_t> ReadSkinFile(const std::wstring& path) {
    // One byte beyond the limit is enough to tell that a file is too large.
    win::FileRead read = win::ReadFileStartW(path, kMaxSkinFileBytes + 1);
    if (!read.Succeeded()) {
        throw win::HandlerFailure(std::wstring(L"The skin file could not be ") + (read.opened ? L"read" : L"opened") +
                                  L": " + win::SystemErrorDescription(read.error));
    }
    return std::move(read.bytes);
}

ControlKind KindOfWindow(HWND window) noexcept {
    wchar_t className[16] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    return KindOfControl(std::wstring_view(className), static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE)));
}

}  // namespace

SkinEngine::~SkinEngine() { Detach(); }

void SkinEngine::LoadSkin(const std::wstring& path, std::wstring_view password) {
    if (!password.empty()) throw win::HandlerFailure(L"Skin files have no password");
    const std::vector<std::uint8_t> bytes = ReadSkinFile(path);
    const ParseResult parsed =
        ParseSkinFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    // The parser quotes the file's text in ASCII only.
    if (!parsed.colours) throw win::HandlerFailure(win::FromUtf8(parsed.error));
    skin_ = parsed.colours;
    Repaint();
}

void SkinEngine::SetOptions(std::int32_t options) noexcept {
    settings_.options = options;
    Repaint();
}

void SkinEngine::SetReadableText(bool on) noexcept {
    settings_.readableText = on;
    Repaint();
}

void SkinEngine::SetButtonStates(bool on) noexcept {
    settings_.buttonStates = on;
    Repaint();
}

void SkinEngine::ApplyTo(HWND target) {
    if (!skin_) throw win::HandlerFailure(L"No skin has been loaded");
    if (!IsWindow(target)) throw win::HandlerFailure(L"The skin cannot be applied: the window does not exist");
    Detach();
    if (!SetWindowSubclass(target, WindowSubclass, kSkinSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        throw win::HandlerFailure(L"The skin cannot be applied to the window");
    }
    window_ = target;
    FrameHooking hooking{this, false};
    EnumChildWindows(target, HookFrame, reinterpret_cast<LPARAM>(&hooking));
    if (hooking.outOfMemory) {
        Detach();
        throw std::bad_alloc();
    }
    Repaint();
}

void SkinEngine::SetSuspended(bool suspended) noexcept {
    suspended_ = suspended;
    Repaint();
}

BOOL CALLBACK SkinEngine::HookFrame(HWND child, LPARAM hooking) noexcept {
    auto& into = *reinterpret_cast<FrameHooking*>(hooking);
    if (KindOfWindow(child) != ControlKind::Frame) return TRUE;
    try {
        // Listed before it is hooked, so that every hooked frame is unhooked again.
        into.engine->frames_.push_back(child);
    } catch (const std::bad_alloc&) {
        // Nothing may be thrown through the platform: ApplyTo throws it again, to its caller.
        win::TraceFailure(L"skin frames", win::kOutOfMemory);
        into.outOfMemory = true;
        return FALSE;
    }
    if (!SetWindowSubclass(child, FrameSubclass, kSkinSubclassId, reinterpret_cast<DWORD_PTR>(into.engine))) {
        into.engine->frames_.pop_back();
    }
    return TRUE;
}

void SkinEngine::Detach() noexcept {
    for (HWND frame : frames_) {
        if (IsWindow(frame)) RemoveWindowSubclass(frame, FrameSubclass, kSkinSubclassId);
    }
    frames_.clear();
    if (window_ && IsWindow(window_)) RemoveWindowSubclass(window_, WindowSubclass, kSkinSubclassId);
    window_ = nullptr;
}

void SkinEngine::Repaint() noexcept {
    if (window_) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool SkinEngine::PaintsFrames() const noexcept {
    return !suspended_ && skin_ && FramePaint(*skin_, settings_, {}).has_value();
}

LRESULT CALLBACK SkinEngine::WindowSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR engine) noexcept {
    return reinterpret_cast<SkinEngine*>(engine)->OnWindowMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK SkinEngine::FrameSubclass(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR engine) noexcept {
    return reinterpret_cast<SkinEngine*>(engine)->OnFrameMessage(frame, message, wParam, lParam);
}

LRESULT SkinEngine::OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (suspended_ && message != WM_NCDESTROY) return DefSubclassProc(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            if (OnEraseBackground(window, reinterpret_cast<HDC>(wParam))) return TRUE;
            break;
        // The engine answers a control's colour request first; what it hands on reaches the window's own answer,
        // its host's colours (in the program, the main window's look).
        case WM_CTLCOLORSTATIC:
            if (KindOfWindow(reinterpret_cast<HWND>(lParam)) == ControlKind::Frame) {
                return OnCtlColorFrame(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            }
            break;
        case WM_CTLCOLOREDIT:
            return OnCtlColorField(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLORBTN:
            return OnCtlColorButton(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == static_cast<UINT>(NM_CUSTOMDRAW) &&
                KindOfWindow(header->hwndFrom) == ControlKind::PushButton) {
                return OnCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
            }
            break;
        }
        case WM_SYSCOLORCHANGE: {
            // The colours the skin leaves to the system have just changed.
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            Repaint();
            return result;
        }
        case WM_NCDESTROY: {
            Detach();
            return DefSubclassProc(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT SkinEngine::OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(frame, FrameSubclass, kSkinSubclassId);
        std::erase(frames_, frame);
        return DefSubclassProc(frame, message, wParam, lParam);
    }
    if (!PaintsFrames()) return DefSubclassProc(frame, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;  // the paint below covers every pixel
        case WM_PAINT:
            PaintFrame(frame);
            return 0;
        case WM_SETTEXT:
        case WM_ENABLE:
        case WM_SETFONT:
        case WM_UPDATEUISTATE: {
            // The control would draw these changes straight away in its own colours.
            const LRESULT result = DefSubclassProc(frame, message, wParam, lParam);
            InvalidateRect(frame, nullptr, TRUE);
            return result;
        }
        default:
            return DefSubclassProc(frame, message, wParam, lParam);
    }
}

}  // namespace skin
