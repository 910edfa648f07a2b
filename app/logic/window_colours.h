// The window's colours, free of Windows: what a skin file changes (ApplySkin: find the file beside the program, turn
// the window to button face, hand the file to the engine) and what high contrast puts in their place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/logic/control_kind.h"
#include "skin/logic/skin_framework.h"

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

// What a plain directory search finds: read-only and archive files, but no hidden or system file, no folder.
bool IsOrdinaryFile(std::uint32_t attributes);

// The one place that forms the skin file's path.
std::wstring SkinFilePath(std::wstring_view executableFolder);

struct FormControl {
    skin::ControlKind kind;
    std::uintptr_t handle;
};

// What ApplySkin needs of the window. Any call may throw.
class SkinTarget {
public:
    // Unicode, as folder names may be in any script.
    virtual std::wstring ExecutableFolder() = 0;
    // True when a directory search finds the path with the ordinary attributes.
    virtual bool SkinFileFound(const std::wstring& path) = 0;
    virtual void SetBackColour(StoredColour colour) = 0;
    // Every control of the window, frames' contents included.
    virtual std::vector<FormControl> Controls() = 0;
    virtual void SetControlBackColour(std::uintptr_t control, StoredColour colour) = 0;
    virtual skin::SkinFramework& SkinFramework1() = 0;
    virtual std::uintptr_t WindowHandle() = 0;

protected:
    ~SkinTarget() = default;
};

// No skin file: nothing changes. Otherwise a failure ends it at once and reaches the caller; colours already
// changed stay changed.
void ApplySkin(SkinTarget& target);

// System colours in the stored form: COLOR_WINDOW and COLOR_WINDOWTEXT.
inline constexpr StoredColour kSystemWindow = 0x80000005;
inline constexpr StoredColour kSystemWindowText = 0x80000008;

// What the window is asked colours for: its own background, and one request per kind of control. A push button
// asks only for the area around its face; the face and the caption it draws itself.
enum class FormPart { Window, Frame, Field, Button };

struct PartColours {
    StoredColour background;
    std::optional<StoredColour> text;  // nothing: the part keeps its own text colour
    friend bool operator==(const PartColours&, const PartColours&) = default;
};

// In high contrast Windows expects the system's colours: the window, its frame and the field take the window
// colour pair, which the user's contrast theme keeps readable, and the button draws itself in the button pair;
// the skin's colours are then not applied. Otherwise a part shows what the window stores for it, and the field
// keeps its own colours (nothing).
std::optional<PartColours> ColoursOf(FormPart part, StoredColour stored, bool highContrast);

}  // namespace app
