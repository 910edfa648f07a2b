// Unit tests of the hover rules for the window's pointer setting.
#include <gtest/gtest.h>

#include "app/logic/cursor_file.h"

namespace {

using app::AfterHover;
using app::HoverArea;
using app::PointerSetting;

TEST(AfterHover, ButtonAsksForCustomAndTheRestForDefaultButBusyStays) {
    const struct {
        PointerSetting before;
        HoverArea area;
        PointerSetting after;
    } cases[] = {
        {PointerSetting::Default, HoverArea::Button, PointerSetting::Custom},
        {PointerSetting::Custom, HoverArea::Button, PointerSetting::Custom},
        {PointerSetting::Busy, HoverArea::Button, PointerSetting::Busy},
        {PointerSetting::Custom, HoverArea::Frame, PointerSetting::Default},
        {PointerSetting::Default, HoverArea::Frame, PointerSetting::Default},
        {PointerSetting::Busy, HoverArea::Frame, PointerSetting::Busy},
        {PointerSetting::Custom, HoverArea::Background, PointerSetting::Default},
        {PointerSetting::Busy, HoverArea::Background, PointerSetting::Busy},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AfterHover(c.before, c.area), c.after) << int(c.before) << " over area " << int(c.area);
    }
}

}  // namespace
