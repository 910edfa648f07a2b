// The window's colours, free of Windows: what a skin file changes (ApplySkin: find the file beside the program, turn
// the window to button face, hand the file to the skin engine) and what high contrast puts in their place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/logic/control_kind.h"
#include "win/logic/window_id.h"

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

// File attributes as the platform defines them: those for which a plain directory search passes a file over.
inline constexpr std::uint32_t kHiddenAttribute = 0x2, kSystemAttribute = 0x4, kDirectoryAttribute = 0x10;

// What a plain directory search finds: read-only and archive files, but no hidden or system file, no folder.
bool IsOrdinaryFile(std::uint32_t attributes);

// The one place that forms the skin file's path.
std::wstring SkinFilePath(std::wstring_view executableFolder);

struct FormControl {
    skin::ControlKind kind;
    win::WindowId window;
};

// What ApplySkin needs of the window and of its skin engine SkinFramework1. Any call may throw.
class SkinTarget {
public:
    // The window: true when a directory search finds the path with the ordinary attributes; its colour; every
    // control on it, frames' contents included, and their colours.
    virtual bool SkinFileFound(const std::wstring& path) = 0;
    virtual void SetBackColour(StoredColour colour) = 0;
    virtual std::vector<FormControl> Controls() = 0;
    virtual void SetControlBackColour(win::WindowId control, StoredColour colour) = 0;

    // The engine's operations (skin/skin_engine.h): it reads the skin file, takes its option bits and two settings
    // (skin::EngineSettings), and applies the loaded skin to the window.
    virtual void LoadSkin(const std::wstring& path, std::wstring_view password) = 0;
    virtual std::int32_t SkinOptions() = 0;
    virtual void SetSkinOptions(std::int32_t options) = 0;
    virtual void SetReadableText(bool on) = 0;
    virtual void SetButtonStates(bool on) = 0;
    virtual void ApplySkinToWindow() = 0;

protected:
    ~SkinTarget() = default;
};

// No skin file beside the program: nothing changes. Otherwise a failure ends it at once and reaches the caller;
// colours already changed stay changed.
void ApplySkin(SkinTarget& target, std::wstring_view executableFolder);

// System colours in the stored form: COLOR_WINDOW and COLOR_WINDOWTEXT (kButtonFace is COLOR_BTNFACE).
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
