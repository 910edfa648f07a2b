// ApplySkin: find the skin file beside the program, turn the window to button face, hand the file to the engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/control_kind.h"
#include "skin/skin_framework.h"

namespace app {

inline constexpr std::wstring_view kSkinFileName = L"\\x\\o.cjs";

// A colour as the window stores it: 0x00BBGGRR, or, with the high bit set, a system colour's index.
using StoredColour = std::uint32_t;
inline constexpr StoredColour kStoredWhite = 0x00FFFFFF;
inline constexpr StoredColour kButtonFace = 0x8000000F;

constexpr bool IsSystemColour(StoredColour colour) { return (colour & 0x80000000u) != 0; }
constexpr int SystemColourIndex(StoredColour colour) { return static_cast<int>(colour & 0xFFu); }

// Option buttons, check boxes, frames and labels take the window's button face; the rest keep their own.
constexpr bool TakesButtonFace(skin::ControlKind kind) {
    return kind != skin::ControlKind::PushButton && kind != skin::ControlKind::Other;
}

// What a plain directory listing shows: read-only and archive files, but no hidden or system file, no folder.
bool ListedAsOrdinaryFile(std::uint32_t attributes);

// The one place that forms the skin file's path.
std::wstring SkinFilePath(std::wstring_view executableFolder);

struct FormControl {
    skin::ControlKind kind;
    std::uintptr_t handle;
};

// What ApplySkin needs of the window. Any call may throw.
class SkinHost {
public:
    // Unicode, as folder names may be in any script.
    virtual std::wstring ExecutableFolder() = 0;
    // True when a directory listing with the ordinary attributes finds the path.
    virtual bool SkinFileListed(const std::wstring& path) = 0;
    virtual void SetBackColour(StoredColour colour) = 0;
    // Every control of the window, frames' contents included.
    virtual std::vector<FormControl> Controls() = 0;
    virtual void SetControlBackColour(std::uintptr_t control, StoredColour colour) = 0;
    virtual skin::SkinFramework& SkinFramework1() = 0;
    virtual std::uintptr_t WindowHandle() = 0;

protected:
    ~SkinHost() = default;
};

// No skin file: nothing changes. Otherwise a failure ends it at once and reaches the caller; colours already
// changed stay changed.
void ApplySkin(SkinHost& host);

}  // namespace app
