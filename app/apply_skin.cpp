// ApplySkin's steps and the rules it relies on: which controls follow the window, which files a listing shows.
#include "app/apply_skin.h"

#include "win/path_text.h"

namespace app {
namespace {

// Attribute bits as the platform defines them.
constexpr std::uint32_t kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10;

}  // namespace

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
