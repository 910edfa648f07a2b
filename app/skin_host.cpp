// The main window's side of the skin: the file listing, its colours, its controls, SkinFramework1, high contrast.
#include "app/skin_host.h"

#include <new>

#include "app/high_contrast.h"
#include "win/files_beside_exe.h"
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

void FollowHighContrast(FormParts& parts) noexcept {
    const bool on = HighContrastOn();
    parts.colours.SetHighContrast(on);
    parts.skinFramework1.SetSuspended(on);
    RedrawWindow(parts.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring Form1Skin::ExecutableFolder() { return win::ExecutableFolderW(); }

bool Form1Skin::SkinFileListed(const std::wstring& path) {
    // A listing, not an existence test: a hidden file or a folder of that name does not count.
    WIN32_FIND_DATAW found;
    const win::FindHandle search(FindFirstFileW(win::LongPathForm(path).c_str(), &found));
    if (!search) return false;
    return ListedAsOrdinaryFile(found.dwFileAttributes);
}

void Form1Skin::SetBackColour(StoredColour colour) {
    parts_.colours.SetBackColour(colour);
    InvalidateRect(parts_.window, nullptr, TRUE);
}

std::vector<FormControl> Form1Skin::Controls() {
    ControlList list;
    EnumChildWindows(parts_.window, CollectControl, reinterpret_cast<LPARAM>(&list));
    if (list.outOfMemory) throw std::bad_alloc();
    return std::move(list.controls);
}

void Form1Skin::SetControlBackColour(std::uintptr_t control, StoredColour colour) {
    const HWND handle = reinterpret_cast<HWND>(control);
    parts_.colours.SetControlBackColour(handle, colour);
    InvalidateRect(handle, nullptr, TRUE);
}

skin::SkinFramework& Form1Skin::SkinFramework1() { return parts_.skinFramework1; }

std::uintptr_t Form1Skin::WindowHandle() { return reinterpret_cast<std::uintptr_t>(parts_.window); }

}  // namespace app
