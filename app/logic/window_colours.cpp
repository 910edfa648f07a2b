// ApplySkin's steps and the rules it relies on, and the colours high contrast asks for.
#include "app/logic/window_colours.h"

#include "win/logic/path_text.h"

namespace app {
namespace {

// Attribute bits as the platform defines them.
constexpr std::uint32_t kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10;

}  // namespace

bool IsOrdinaryFile(std::uint32_t attributes) { return (attributes & (kHidden | kSystem | kDirectory)) == 0; }

std::wstring SkinFilePath(std::wstring_view executableFolder) { return win::JoinPath(executableFolder, kSkinFileName); }

void ApplySkin(SkinTarget& target) {
    if (!target.SkinFileFound(SkinFilePath(target.ExecutableFolder()))) return;

    target.SetBackColour(kButtonFace);
    for (const FormControl& control : target.Controls()) {
        if (TakesButtonFace(control.kind)) target.SetControlBackColour(control.handle, kButtonFace);
    }

    skin::SkinFramework& engine = target.SkinFramework1();
    engine.LoadSkin(SkinFilePath(target.ExecutableFolder()), "");
    engine.SetOptions(engine.Options() | skin::kColourControls);
    engine.SetReadableText(true);
    engine.SetButtonStates(true);
    engine.ApplyTo(target.WindowHandle());
}

std::optional<PartColours> ColoursOf(FormPart part, StoredColour stored, bool highContrast) {
    if (highContrast) {
        if (part == FormPart::Button) return PartColours{kSystemWindow, std::nullopt};
        return PartColours{kSystemWindow, kSystemWindowText};
    }
    if (part == FormPart::Field) return std::nullopt;
    return PartColours{stored, std::nullopt};
}

}  // namespace app
