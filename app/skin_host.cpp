// The main window's side of the skin: the file listing, the colours it stores, its controls and SkinFramework1.
#include <new>

#include "app/form1.h"
#include "win/path_text.h"
#include "win/win_handles.h"

namespace app {
namespace {

struct ControlList {
    std::vector<FormControl> controls;
    bool outOfMemory = false;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM list) noexcept {
    auto& into = *reinterpret_cast<ControlList*>(list);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    const auto style = static_cast<std::uint32_t>(GetWindowLongA(control, GWL_STYLE));
    try {
        into.controls.push_back({skin::KindOfControl(className, style), reinterpret_cast<std::uintptr_t>(control)});
    } catch (const std::bad_alloc&) {
        into.outOfMemory = true;  // nothing may be thrown through the platform
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void Form1::ApplySkin() { app::ApplySkin(*this); }

bool Form1::SkinFileListed(const std::wstring& path) {
    // A listing, not an existence test: a hidden file or a folder of that name does not count.
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(win::LongPathForm(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    const win::FindHandle listing(search);
    return ListedAsOrdinaryFile(found.dwFileAttributes);
}

void Form1::SetBackColour(StoredColour colour) {
    formColours_.SetBackColour(colour);
    InvalidateRect(window_, nullptr, TRUE);
}

std::vector<FormControl> Form1::Controls() {
    ControlList list;
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&list));
    if (list.outOfMemory) throw std::bad_alloc();
    return std::move(list.controls);
}

void Form1::SetControlBackColour(std::uintptr_t control, StoredColour colour) {
    const HWND handle = reinterpret_cast<HWND>(control);
    formColours_.SetControlBackColour(handle, colour);
    InvalidateRect(handle, nullptr, TRUE);
}

skin::SkinFramework& Form1::SkinFramework1() { return skinFramework1_; }

std::uintptr_t Form1::WindowHandle() { return reinterpret_cast<std::uintptr_t>(window_); }

bool Form1::OnEraseBackground(HDC dc) noexcept {
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, formColours_.BrushOf(window_));
    return true;
}

LRESULT Form1::OnCtlColor(HDC dc, HWND control) noexcept {
    // A frame shows its own background; the area around the button shows the window's.
    SetBkColor(dc, formColours_.ColourOf(control));
    return reinterpret_cast<LRESULT>(formColours_.BrushOf(control));
}

}  // namespace app
