// Unit tests of the twips-to-pixels layout of the main window.
#include <gtest/gtest.h>

#include "app/logic/window_layout.h"

namespace {

using app::LayoutForDpi;
using app::PixelRect;

TEST(LayoutForDpi, MatchesTheDesignAt96Dpi) {
    const app::FormLayout l = LayoutForDpi(96);
    EXPECT_EQ(l.clientWidth, 536);
    EXPECT_EQ(l.clientHeight, 107);
    EXPECT_EQ(l.frame, (PixelRect{8, 8, 520, 55}));
    EXPECT_EQ(l.field, (PixelRect{24, 28, 485, 23}));  // inside the frame, given in client coordinates
    EXPECT_EQ(l.button, (PixelRect{8, 72, 520, 27}));
    EXPECT_EQ(l.fontHeight, -12);
    EXPECT_EQ(l.buttonFontHeight, -15);
}

TEST(LayoutForDpi, ScalesWithTheDpiRoundingToNearest) {
    const app::FormLayout l = LayoutForDpi(144);
    EXPECT_EQ(l.clientWidth, 804);
    EXPECT_EQ(l.clientHeight, 161);  // 160.5
    EXPECT_EQ(l.field, (PixelRect{36, 42, 728, 35}));
    EXPECT_EQ(l.button, (PixelRect{12, 108, 780, 41}));  // 40.5
    EXPECT_EQ(l.fontHeight, -18);
    EXPECT_EQ(l.buttonFontHeight, -23);  // 22.5
}

}  // namespace
