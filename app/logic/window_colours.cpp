// ApplySkin's steps and the rules it relies on, and the colours high contrast asks for.
#include "app/logic/window_colours.h"

#include "skin/logic/skin_look.h"
#include "win/logic/path_text.h"

namespace app {

bool IsOrdinaryFile(std::uint32_t attributes) {
    return (attributes & (kHiddenAttribute | kSystemAttribute | kDirectoryAttribute)) == 0;
}

std::wstring SkinFilePath(std::wstring_view executableFolder) { return win::JoinPath(executableFolder, kSkinFileName); }

void ApplySkin(SkinTarget& target, std::wstring_view executableFolder) {
    const std::wstring path = SkinFilePath(executableFolder);
    if (!target.SkinFileFound(path)) return;

    target.SetBackColour(kButtonFace);
    for (const FormControl& control : target.Controls()) {
        if (TakesButtonFace(control.kind)) target.SetControlBackColour(control.window, kButtonFace);
    }

    target.LoadSkin(path, L"");
    target.SetSkinOptions(target.SkinOptions() | skin::kColourControls);
    target.SetReadableText(true);
    target.SetButtonStates(true);
    target.ApplySkinToWindow();
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
