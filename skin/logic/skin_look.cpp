// Works out the colours of each skinned part, filling gaps from the plain look and keeping text readable.
#include "skin/logic/skin_look.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
// Derived button faces when the skin names only the plain one: a step towards the text colour.
constexpr double kHotShare = 0.15;
constexpr double kPressedShare = 0.30;
constexpr double kBorderShare = 0.50;

double Linear(std::uint8_t channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(Colour c) { return 0.2126 * Linear(c.red) + 0.7152 * Linear(c.green) + 0.0722 * Linear(c.blue); }

std::uint8_t MixChannel(std::uint8_t a, std::uint8_t b, double share) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * std::clamp(share, 0.0, 1.0)));
}

Paint Finish(Colour background, Colour text, const EngineSettings& settings) {
    return {background, settings.readableText ? ReadableOn(text, background) : text};
}

bool ColoursControls(const EngineSettings& settings) { return (settings.options & kColourControls) != 0; }

}  // namespace

double ContrastRatio(Colour a, Colour b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour ReadableOn(Colour text, Colour background) {
    if (ContrastRatio(text, background) >= kMinimumContrast) return text;
    return ContrastRatio(kBlack, background) >= ContrastRatio(kWhite, background) ? kBlack : kWhite;
}

Colour Mix(Colour a, Colour b, double share) {
    return {MixChannel(a.red, b.red, share), MixChannel(a.green, b.green, share), MixChannel(a.blue, b.blue, share)};
}

std::optional<Colour> WindowBackground(const SkinColours& skin) { return skin.windowBackground; }

std::optional<Paint> FramePaint(const SkinColours& skin, const EngineSettings& settings, PlainPart plain) {
    // A frame lets the window show through; on a skinned window it is drawn so that it keeps its own colour.
    if (!ColoursControls(settings) || (!skin.frameBackground && !skin.frameText && !skin.windowBackground)) {
        return std::nullopt;
    }
    return Finish(skin.frameBackground.value_or(plain.background), skin.frameText.value_or(plain.text), settings);
}

std::optional<Paint> FieldPaint(const SkinColours& skin, const EngineSettings& settings, PlainPart plain) {
    if (!ColoursControls(settings) || (!skin.fieldBackground && !skin.fieldText)) return std::nullopt;
    return Finish(skin.fieldBackground.value_or(plain.background), skin.fieldText.value_or(plain.text), settings);
}

std::optional<ButtonLook> ButtonPaint(const SkinColours& skin, const EngineSettings& settings, PlainPart plain) {
    if (!ColoursControls(settings) ||
        (!skin.buttonFace && !skin.buttonText && !skin.buttonHotFace && !skin.buttonPressedFace)) {
        return std::nullopt;
    }
    const Colour face = skin.buttonFace.value_or(plain.background);
    const Colour text = skin.buttonText.value_or(plain.text);
    ButtonLook look;
    look.normal = Finish(face, text, settings);
    if (settings.buttonStates) {
        look.hot = Finish(skin.buttonHotFace.value_or(Mix(face, text, kHotShare)), text, settings);
        look.pressed = Finish(skin.buttonPressedFace.value_or(Mix(face, text, kPressedShare)), text, settings);
    } else {
        look.hot = look.normal;
        look.pressed = look.normal;
    }
    look.border = Mix(face, look.normal.text, kBorderShare);
    return look;
}

}  // namespace skin
