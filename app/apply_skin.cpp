// ApplySkin's steps and the rules it relies on: which controls follow the window, which files a listing shows.
#include "app/apply_skin.h"

#include <algorithm>

#include "win/path_text.h"

namespace app {
namespace {

// Attribute bits and button styles as the platform defines them.
constexpr std::uint32_t kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10;
constexpr std::uint32_t kButtonTypeMask = 0xF;
constexpr std::uint32_t kCheckBox = 2, kAutoCheckBox = 3, kRadioButton = 4, kThreeState = 5, kAutoThreeState = 6,
                        kGroupBox = 7, kAutoRadioButton = 9;

bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

ControlKind KindOfControl(std::string_view windowClass, std::uint32_t style) {
    if (SameName(windowClass, "Static")) return ControlKind::Label;
    if (!SameName(windowClass, "Button")) return ControlKind::Other;
    switch (style & kButtonTypeMask) {
        case kCheckBox:
        case kAutoCheckBox:
        case kThreeState:
        case kAutoThreeState:
            return ControlKind::Check;
        case kRadioButton:
        case kAutoRadioButton:
            return ControlKind::Option;
        case kGroupBox:
            return ControlKind::Frame;
        default:
            return ControlKind::Other;
    }
}

bool ListedAsOrdinaryFile(std::uint32_t attributes) { return (attributes & (kHidden | kSystem | kDirectory)) == 0; }

std::wstring SkinFilePath(std::wstring_view executableFolder) { return win::JoinPath(executableFolder, kSkinFileName); }

void ApplySkin(SkinHost& host) {
    if (!host.SkinFileListed(SkinFilePath(host.ExecutableFolder()))) return;

    host.SetBackColour(kButtonFace);
    for (const FormControl& control : host.Controls()) {
        if (TakesButtonFace(control.kind)) host.SetControlBackColour(control.handle, kButtonFace);
    }

    skin::SkinFramework& engine = host.SkinFramework1();
    engine.LoadSkin(SkinFilePath(host.ExecutableFolder()), "");
    engine.SetOptions(engine.Options() | skin::kColourControls);
    engine.SetReadableText(true);
    engine.SetButtonStates(true);
    engine.ApplyTo(host.WindowHandle());
}

}  // namespace app
