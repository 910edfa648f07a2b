// Converts the designed twips layout to pixels.
#include "app/logic/window_layout.h"

#include <cstdint>

#include "win/logic/twips.h"

namespace app {
namespace {

// Designed positions and sizes in twips; the field's are relative to the frame.
constexpr int kClientWidth = 8040, kClientHeight = 1605;
constexpr int kFrameLeft = 120, kFrameTop = 120, kFrameWidth = 7800, kFrameHeight = 825;
constexpr int kFieldLeft = 240, kFieldTop = 300, kFieldWidth = 7275, kFieldHeight = 350;
constexpr int kButtonLeft = 120, kButtonTop = 1080, kButtonWidth = 7800, kButtonHeight = 405;
constexpr int kFontCentipoints = 900, kButtonFontCentipoints = 1125;
constexpr int kCentipointsPerInch = 7200;

int Scale(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

PixelRect Rect(int left, int top, int width, int height, int dpi) {
    return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi), TwipsToPixels(height, dpi)};
}

}  // namespace

int TwipsToPixels(int twips, int dpi) { return Scale(twips, dpi, win::kTwipsPerInch); }

FormLayout LayoutForDpi(int dpi) {
    FormLayout layout;
    layout.clientWidth = TwipsToPixels(kClientWidth, dpi);
    layout.clientHeight = TwipsToPixels(kClientHeight, dpi);
    layout.frame = Rect(kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight, dpi);
    layout.field = Rect(kFrameLeft + kFieldLeft, kFrameTop + kFieldTop, kFieldWidth, kFieldHeight, dpi);
    layout.button = Rect(kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight, dpi);
    layout.fontHeight = -Scale(kFontCentipoints, dpi, kCentipointsPerInch);
    layout.buttonFontHeight = -Scale(kButtonFontCentipoints, dpi, kCentipointsPerInch);
    return layout;
}

}  // namespace app
