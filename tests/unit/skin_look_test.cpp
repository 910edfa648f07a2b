// Unit tests of the engine's option bit and settings: which parts it colours and how their text stays readable.
#include <gtest/gtest.h>

#include "skin/logic/skin_look.h"

namespace {

using skin::Colour;
using skin::EngineSettings;
using skin::Paint;
using skin::PlainPart;
using skin::SkinColours;

constexpr Colour kBlack{0, 0, 0}, kWhite{255, 255, 255}, kNavy{0, 0, 128}, kYellow{255, 255, 0};
constexpr Colour kFace{245, 245, 245}, kGrey{128, 128, 128}, kDarkGrey{100, 100, 100};
constexpr PlainPart kPlain{kFace, kBlack};

SkinColours Everything() {
    SkinColours s;
    s.windowBackground = kNavy;
    s.frameBackground = kNavy;
    s.frameText = kYellow;
    s.fieldBackground = kBlack;
    s.fieldText = kWhite;
    s.buttonFace = kNavy;
    s.buttonText = kWhite;
    s.buttonHotFace = Colour{0, 0, 200};
    s.buttonPressedFace = Colour{0, 0, 60};
    return s;
}

TEST(EngineOptions, BitZeroDecidesWhetherControlsAreColoured) {
    const struct {
        std::int32_t options;
        bool controls;
    } cases[] = {{0, false}, {1, true}, {2, false}, {3, true}, {-1, true}, {-2, false}};
    for (const auto& c : cases) {
        const EngineSettings settings{c.options, false, false};
        const SkinColours s = Everything();
        EXPECT_EQ(skin::WindowBackground(s), kNavy) << "the background always follows the skin";
        EXPECT_EQ(skin::FramePaint(s, settings, kPlain).has_value(), c.controls) << c.options;
        EXPECT_EQ(skin::FieldPaint(s, settings, kPlain).has_value(), c.controls) << c.options;
        EXPECT_EQ(skin::ButtonPaint(s, settings, kPlain).has_value(), c.controls) << c.options;
    }
}

TEST(EngineOptions, PartsTheSkinDoesNotNameKeepThePlainLook) {
    const EngineSettings settings{skin::kColourControls, true, true};
    EXPECT_FALSE(skin::WindowBackground({}).has_value());
    EXPECT_FALSE(skin::FramePaint({}, settings, kPlain).has_value());
    EXPECT_FALSE(skin::FieldPaint({}, settings, kPlain).has_value());
    EXPECT_FALSE(skin::ButtonPaint({}, settings, kPlain).has_value());

    // One key of a part given: the other colour of that part comes from the plain look.
    SkinColours textOnly;
    textOnly.frameText = kNavy;
    textOnly.fieldText = kNavy;
    EXPECT_EQ(skin::FramePaint(textOnly, settings, kPlain), (Paint{kFace, kNavy}));
    EXPECT_EQ(skin::FieldPaint(textOnly, settings, {kWhite, kBlack}), (Paint{kWhite, kNavy}));
    // On a skinned window the frame keeps the host's colours rather than letting the window show through.
    SkinColours windowOnly;
    windowOnly.windowBackground = kNavy;
    EXPECT_EQ(skin::FramePaint(windowOnly, settings, kPlain), (Paint{kFace, kBlack}));
    EXPECT_FALSE(skin::FieldPaint(windowOnly, settings, kPlain).has_value());
    EXPECT_FALSE(skin::ButtonPaint(windowOnly, settings, kPlain).has_value());

    SkinColours backgroundOnly;
    backgroundOnly.frameBackground = kGrey;
    EXPECT_EQ(skin::FramePaint(backgroundOnly, settings, {kFace, kDarkGrey}), (Paint{kGrey, kBlack}))
        << "system text too faint on the skin's background becomes black";
}

TEST(EngineSettings, ReadableTextReplacesOnlyFaintText) {
    const struct {
        const char* name;
        Colour text, background;
        bool readable;
        Colour drawn;
    } cases[] = {
        {"white on navy stays", kWhite, kNavy, true, kWhite},
        {"yellow on black stays", kYellow, kBlack, true, kYellow},
        {"navy on navy becomes white", kNavy, kNavy, true, kWhite},
        {"white on white becomes black", kWhite, kWhite, true, kBlack},
        {"grey on dark grey becomes white", kGrey, kDarkGrey, true, kWhite},
        {"yellow on white becomes black", kYellow, kWhite, true, kBlack},
        {"off: navy on navy as given", kNavy, kNavy, false, kNavy},
    };
    for (const auto& c : cases) {
        SkinColours s;
        s.fieldBackground = c.background;
        s.fieldText = c.text;
        const EngineSettings settings{skin::kColourControls, c.readable, false};
        EXPECT_EQ(skin::FieldPaint(s, settings, kPlain), (Paint{c.background, c.drawn})) << c.name;
    }
    EXPECT_NEAR(skin::ContrastRatio(kBlack, kWhite), 21.0, 0.01);
    EXPECT_NEAR(skin::ContrastRatio(kNavy, kNavy), 1.0, 1e-9);
}

TEST(EngineSettings, ButtonStatesGiveHoverAndPressedFaces) {
    const SkinColours s = Everything();
    const auto on = skin::ButtonPaint(s, {skin::kColourControls, true, true}, kPlain);
    ASSERT_TRUE(on.has_value());
    EXPECT_EQ(on->normal, (Paint{kNavy, kWhite}));
    EXPECT_EQ(on->hot, (Paint{Colour{0, 0, 200}, kWhite}));
    EXPECT_EQ(on->pressed, (Paint{Colour{0, 0, 60}, kWhite}));

    const auto off = skin::ButtonPaint(s, {skin::kColourControls, true, false}, kPlain);
    ASSERT_TRUE(off.has_value());
    EXPECT_EQ(off->hot, off->normal);
    EXPECT_EQ(off->pressed, off->normal);

    // Only the plain face given: hover and pressed are steps from the face towards the text, pressed further.
    SkinColours faceOnly;
    faceOnly.buttonFace = kBlack;
    faceOnly.buttonText = kWhite;
    const auto derived = skin::ButtonPaint(faceOnly, {skin::kColourControls, true, true}, kPlain);
    ASSERT_TRUE(derived.has_value());
    const int hot = derived->hot.background.red, pressed = derived->pressed.background.red;
    EXPECT_GT(hot, 0);
    EXPECT_GT(pressed, hot);
    EXPECT_LT(pressed, 255);
    EXPECT_EQ(derived->hot.background.red, derived->hot.background.blue) << "a grey between black and white";

    // Readable text is judged on each face: white text on a pale pressed face turns black there only.
    SkinColours palePressed = Everything();
    palePressed.buttonPressedFace = Colour{250, 250, 250};
    const auto mixed = skin::ButtonPaint(palePressed, {skin::kColourControls, true, true}, kPlain);
    ASSERT_TRUE(mixed.has_value());
    EXPECT_EQ(mixed->normal.text, kWhite);
    EXPECT_EQ(mixed->pressed.text, kBlack);
}

}  // namespace
