// The main window's colours and skin, high contrast, and the pointer over the button.
#include "app/window_look.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <new>

#include "app/build_seams.h"
#include "win/dpi.h"
#include "win/failure_trace.h"
#include "win/files_beside_exe.h"
#include "win/logic/handler_failure.h"
#include "win/logic/path_text.h"
#include "win/system_error.h"

namespace app {
namespace {

// The platform's numbers that the window's colour rules and the pointer file's check copy.
static_assert(kHiddenAttribute == FILE_ATTRIBUTE_HIDDEN && kSystemAttribute == FILE_ATTRIBUTE_SYSTEM &&
              kDirectoryAttribute == FILE_ATTRIBUTE_DIRECTORY);
static_assert(IsSystemColour(kButtonFace) && SystemColourIndex(kButtonFace) == COLOR_BTNFACE);
static_assert(IsSystemColour(kSystemWindow) && SystemColourIndex(kSystemWindow) == COLOR_WINDOW);
static_assert(IsSystemColour(kSystemWindowText) && SystemColourIndex(kSystemWindowText) == COLOR_WINDOWTEXT);
static_assert(kIconFileType == RES_ICON && kCursorFileType == RES_CURSOR);
static_assert(bitmap::kHeaderSize == sizeof(BITMAPINFOHEADER) &&
              bitmap::kWidth == offsetof(BITMAPINFOHEADER, biWidth) &&
              bitmap::kHeight == offsetof(BITMAPINFOHEADER, biHeight) &&
              bitmap::kPlanes == offsetof(BITMAPINFOHEADER, biPlanes) &&
              bitmap::kBitCount == offsetof(BITMAPINFOHEADER, biBitCount) &&
              bitmap::kCompression == offsetof(BITMAPINFOHEADER, biCompression) &&
              bitmap::kColoursUsed == offsetof(BITMAPINFOHEADER, biClrUsed));
static_assert(bitmap::kUncompressed == BI_RGB && bitmap::kPaletteEntrySize == sizeof(RGBQUAD));

constexpr UINT_PTR kSubclassId = 1;

COLORREF ColourOf(StoredColour colour) noexcept {
    return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : static_cast<COLORREF>(colour);
}

struct ControlList {
    std::vector<FormControl> controls;
    bool outOfMemory = false;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM list) noexcept {
    auto& into = *reinterpret_cast<ControlList*>(list);
    wchar_t className[32] = {};
    GetClassNameW(control, className, static_cast<int>(std::size(className)));
    const auto style = static_cast<std::uint32_t>(GetWindowLongW(control, GWL_STYLE));
    try {
        into.controls.push_back({skin::KindOfControl(className, style), win::IdOf(control)});
    } catch (const std::bad_alloc&) {
        // Nothing may be thrown through the platform: Controls throws it again, to the start-up report.
        win::TraceFailure(L"window controls", win::kOutOfMemory);
        into.outOfMemory = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void WindowLook::Attach(HWND window, HWND button) noexcept {
    window_ = window;
    SetWindowSubclass(button, ButtonProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void WindowLook::ApplySkin(std::wstring_view executableFolder) { app::ApplySkin(*this, executableFolder); }

void WindowLook::LoadPointerImage(const std::wstring& path) {
    // Read once and checked by our own code: the platform's loaders have crashed on crafted cursor files, and
    // the bytes they get are exactly the bytes that passed.
    const win::FileRead file = win::ReadWholeFileW(path, kMaxCursorFileSize);
    if (!file.Succeeded()) {
        if (file.error == ERROR_FILE_TOO_LARGE) throw win::HandlerFailure(kInvalidPicture);
        SetLastError(file.error);
        win::ThrowLastError(kInvalidPicture);
    }
    const CursorFile cursor = CheckCursorFile(file.bytes);
    if (cursor.fault != CursorFault::None) throw win::HandlerFailure(kInvalidPicture);
    const int side = win::SystemMetricForDpi(SM_CXCURSOR, win::WindowDpi(window_));
    const CursorImage& image = cursor.images[ChooseCursorImage(cursor.images, side)];
    std::vector<std::uint8_t> resource = CursorResource(file.bytes, image);
    // The image's own size: the file's picture is shown as drawn, as the file loader shows it.
    constexpr DWORD kResourceVersion = 0x00030000;
    SetLastError(ERROR_SUCCESS);
    win::CursorHandle pointer(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                       kResourceVersion, image.width, image.height, LR_DEFAULTCOLOR));
    if (!pointer) win::ThrowLastError(kInvalidPicture);
    customPointer_ = std::move(pointer);
}

void WindowLook::FollowHighContrast() noexcept {
    highContrast_ = HighContrastOn();
    skinFramework1_.SetSuspended(highContrast_);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowLook::EraseBackground(HDC dc) noexcept {
    RECT client{};
    GetClientRect(window_, &client);
    const std::optional<PartColours> colours = ColoursOf(FormPart::Window, back_, highContrast_);
    FillRect(dc, &client, BrushOf(colours ? colours->background : back_));
}

HBRUSH WindowLook::ColourControl(UINT message, HDC dc, HWND control) noexcept {
    const FormPart part = message == WM_CTLCOLOREDIT  ? FormPart::Field
                          : message == WM_CTLCOLORBTN ? FormPart::Button
                                                      : FormPart::Frame;
    const std::optional<PartColours> colours = ColoursOf(part, StoredOf(control), highContrast_);
    if (!colours) return nullptr;
    if (colours->text) SetTextColor(dc, ColourOf(*colours->text));
    SetBkColor(dc, ColourOf(colours->background));
    return BrushOf(colours->background);
}

bool WindowLook::OnSetCursor(int hitTest) noexcept {
    // With the default setting every area keeps its own pointer (the field its text beam).
    if (hitTest != HTCLIENT) return false;
    const HCURSOR pointer = PointerFor(pointerSetting_);
    if (!pointer) return false;
    SetCursor(pointer);
    return true;
}

void WindowLook::Hover(HoverArea area) noexcept {
    const PointerSetting next = AfterHover(pointerSetting_, area);
    if (next == pointerSetting_) return;
    pointerSetting_ = next;
    // The platform asks for the pointer only on the next move; show the new one now.
    const HCURSOR pointer = PointerFor(next);
    SetCursor(pointer ? pointer : LoadCursorW(nullptr, IDC_ARROW));
}

bool WindowLook::SkinFileFound(const std::wstring& path) {
    // A directory search, not an existence test: a hidden file or a folder of that name does not count.
    WIN32_FIND_DATAW found;
    const win::FindHandle search(FindFirstFileW(win::LongPathForm(path).c_str(), &found));
    return search && IsOrdinaryFile(found.dwFileAttributes);
}

void WindowLook::SetBackColour(StoredColour colour) {
    back_ = colour;
    InvalidateRect(window_, nullptr, TRUE);
}

std::vector<FormControl> WindowLook::Controls() {
    ControlList list;
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&list));
    if (list.outOfMemory) throw std::bad_alloc();
    return std::move(list.controls);
}

void WindowLook::SetControlBackColour(win::WindowId control, StoredColour colour) {
    const HWND handle = win::HandleOf(control);
    const auto known = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c.first == handle; });
    if (known != controls_.end()) {
        known->second = colour;
    } else {
        controls_.emplace_back(handle, colour);
    }
    InvalidateRect(handle, nullptr, TRUE);
}

LRESULT CALLBACK WindowLook::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) noexcept {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(button, ButtonProc, kSubclassId);
    if (message == WM_MOUSEMOVE) reinterpret_cast<WindowLook*>(self)->Hover(HoverArea::Button);
    return DefSubclassProc(button, message, wParam, lParam);
}

StoredColour WindowLook::StoredOf(HWND control) const noexcept {
    const auto known = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c.first == control; });
    return known != controls_.end() ? known->second : back_;
}

HBRUSH WindowLook::BrushOf(StoredColour colour) noexcept {
    // System colours are looked up at each use, so they follow a change of the system's.
    if (IsSystemColour(colour)) return GetSysColorBrush(SystemColourIndex(colour));
    return brushes_.For(static_cast<COLORREF>(colour));
}

HCURSOR WindowLook::PointerFor(PointerSetting setting) const noexcept {
    switch (setting) {
        case PointerSetting::Busy:
            return LoadCursorW(nullptr, IDC_WAIT);
        case PointerSetting::Custom:
            return customPointer_ ? customPointer_.get() : LoadCursorW(nullptr, IDC_ARROW);
        case PointerSetting::Default:
            break;
    }
    return nullptr;
}

}  // namespace app
