// What each part of a skinned window looks like, from the skin's colours, the engine's settings and the system.
#pragma once

#include <cstdint>
#include <optional>

#include "skin/logic/skin_file.h"

namespace skin {

// Text against its background must reach at least this contrast ratio when readable text is on.
inline constexpr double kMinimumContrast = 3.0;

// Bit 0 of the option bits: colour the window's controls (frames, text fields, push buttons) as well as the
// window's own background. Without it only the background takes the skin. The other bits are kept as given
// and mean nothing yet.
inline constexpr std::int32_t kColourControls = 1;

// The engine's settings, as the window that wears a skin sets them.
struct EngineSettings {
    std::int32_t options = 0;
    // A text colour too faint against its background (contrast below 3:1), whether the skin gave it or the system
    // did, is drawn in black or white instead, whichever reads better.
    bool readableText = false;
    // The push button shows its hover face under the pointer and its pressed face while held down. Off, it always
    // shows its plain face.
    bool buttonStates = false;
};

struct Paint {
    Colour background;
    Colour text;
    friend bool operator==(const Paint&, const Paint&) = default;
};

struct ButtonLook {
    Paint normal;
    Paint hot;
    Paint pressed;
    Colour border;
    friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

// The colours a part has without the skin: what the host or the system gives it.
struct PlainPart {
    Colour background;
    Colour text;
};

// WCAG contrast ratio, from 1 (same luminance) to 21 (black on white).
double ContrastRatio(Colour a, Colour b);

// The text colour itself, or black or white when it is too faint against the background.
Colour ReadableOn(Colour text, Colour background);

// From a towards b by a share of 0 to 1.
Colour Mix(Colour a, Colour b, double share);

// Nothing: the engine leaves that part as the host draws it. Frames are drawn on a skinned window even when the
// skin names no frame colour, in the host's colours, since the window's colour would otherwise show through them.
std::optional<Colour> WindowBackground(const SkinColours& skin);
std::optional<Paint> FramePaint(const SkinColours& skin, const EngineSettings& settings, PlainPart plain);
std::optional<Paint> FieldPaint(const SkinColours& skin, const EngineSettings& settings, PlainPart plain);
std::optional<ButtonLook> ButtonPaint(const SkinColours& skin, const EngineSettings& settings, PlainPart plain);

}  // namespace skin
