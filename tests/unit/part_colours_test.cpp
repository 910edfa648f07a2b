// Unit tests of the colours each part of the window is painted in, with high contrast off and on.
#include <gtest/gtest.h>

#include <optional>

#include "app/part_colours.h"

namespace {

using app::FormPart;
using app::PartColours;

constexpr app::StoredColour kSkinBlue = 0x00302010;

// A background; the part keeps its own text colour.
PartColours Back(app::StoredColour background) { return {background, std::nullopt}; }
// The system's window pair.
const PartColours kWindowPair{app::kSystemWindow, app::kSystemWindowText};

struct ColourCase {
    const char* name;
    FormPart part;
    app::StoredColour stored;
    bool highContrast;
    std::optional<PartColours> colours;
};

TEST(ColoursOf, StoredColoursOrInHighContrastTheSystemsWindowPair) {
    const ColourCase cases[] = {
        {"the window, white as designed", FormPart::Window, app::kStoredWhite, false, Back(app::kStoredWhite)},
        {"the window in button face under a skin", FormPart::Window, app::kButtonFace, false, Back(app::kButtonFace)},
        {"the frame, white", FormPart::Frame, app::kStoredWhite, false, Back(app::kStoredWhite)},
        {"a frame colour of its own", FormPart::Frame, kSkinBlue, false, Back(kSkinBlue)},
        {"around the button, the window's", FormPart::Button, app::kButtonFace, false, Back(app::kButtonFace)},
        {"the field keeps its own", FormPart::Field, app::kStoredWhite, false, std::nullopt},
        {"the window in high contrast", FormPart::Window, app::kStoredWhite, true, kWindowPair},
        {"the skinned window in high contrast", FormPart::Window, app::kButtonFace, true, kWindowPair},
        {"the frame in high contrast", FormPart::Frame, kSkinBlue, true, kWindowPair},
        {"the field in high contrast", FormPart::Field, app::kStoredWhite, true, kWindowPair},
        {"around the button in high contrast; the button draws its own face and caption", FormPart::Button,
         app::kButtonFace, true, Back(app::kSystemWindow)},
    };
    for (const ColourCase& c : cases) {
        EXPECT_EQ(app::ColoursOf(c.part, c.stored, c.highContrast), c.colours) << c.name;
    }
}

}  // namespace
