// The skin engine's five operations, as the window that wears a skin drives them, and what its settings mean.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skin {

// Bit 0 of the option bits: colour the window's controls (frames, text fields, push buttons) as well as the
// window's own background. Without it only the background takes the skin. The other bits are kept as given
// and mean nothing yet.
inline constexpr std::int32_t kColourControls = 1;

// LoadSkin and ApplyTo fail with win::HandlerFailure; its description names the file's line when the file is at fault.
class SkinFramework {
public:
    // Reads and checks the skin file. Skin files are plain text, so the password must be empty.
    virtual void LoadSkin(const std::wstring& path, std::string_view password) = 0;

    virtual std::int32_t Options() const = 0;
    virtual void SetOptions(std::int32_t options) = 0;

    // Readable text: a text colour too faint against its background (contrast below 3:1), whether the skin
    // gave it or the system did, is drawn in black or white instead, whichever reads better.
    virtual void SetReadableText(bool on) = 0;

    // Button states: the push button shows its hover face under the pointer and its pressed face while held
    // down. Off, it always shows its plain face.
    virtual void SetButtonStates(bool on) = 0;

    // Applies the loaded skin to the window (a window handle) and the controls on it, and repaints them.
    virtual void ApplyTo(std::uintptr_t window) = 0;

protected:
    ~SkinFramework() = default;
};

}  // namespace skin
