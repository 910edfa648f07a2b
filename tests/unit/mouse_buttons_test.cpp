// Unit tests of the physical buttons that the keypad's presses send, and of the one held between them.
#include <gtest/gtest.h>

#include <vector>

#include "steering/logic/mouse_buttons.h"

namespace {

using steering::ButtonChange;
using steering::ButtonHold;
using steering::ButtonInputs;
using steering::MouseButton;
using steering::PhysicalButton;

constexpr PhysicalButton kNone = PhysicalButton::None, kLeft = PhysicalButton::Left, kRight = PhysicalButton::Right;
constexpr ButtonChange kPrimaryDown{false, MouseButton::Primary};
constexpr ButtonChange kSecondaryDown{false, MouseButton::Secondary};
constexpr ButtonChange kUp{true, MouseButton::None};

TEST(ButtonHold, SendsThePhysicalButtonAfterTheUsersSwapAndEveryDownGetsItsUp) {
    struct Step {
        ButtonChange change;
        bool swapped;
        ButtonInputs sent;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a tap", {{kPrimaryDown, false, {kNone, kLeft}}, {kUp, false, {kLeft, kNone}}}},
        {"a tap with the buttons swapped", {{kPrimaryDown, true, {kNone, kRight}}, {kUp, true, {kRight, kNone}}}},
        {"the secondary button", {{kSecondaryDown, false, {kNone, kRight}}, {kUp, false, {kRight, kNone}}}},
        {"the secondary button, swapped", {{kSecondaryDown, true, {kNone, kLeft}}, {kUp, true, {kLeft, kNone}}}},
        {"the swap changed while held: the up names the button that went down",
         {{kPrimaryDown, false, {kNone, kLeft}}, {kUp, true, {kLeft, kNone}}}},
        {"a press while held: up first, never two downs",
         {{kPrimaryDown, false, {kNone, kLeft}},
          {kSecondaryDown, false, {kLeft, kRight}},
          {kUp, false, {kRight, kNone}}}},
        {"a release with nothing held sends nothing", {{kUp, false, {}}}},
        {"up and down in one change",
         {{kPrimaryDown, false, {kNone, kLeft}}, {{true, MouseButton::Primary}, false, {kLeft, kLeft}},
          {kUp, false, {kLeft, kNone}}}},
        {"no change keeps the button held", {{kPrimaryDown, false, {kNone, kLeft}}, {{}, false, {}},
                                              {kUp, false, {kLeft, kNone}}}},
    };
    for (const Case& c : cases) {
        ButtonHold hold;
        for (const Step& step : c.steps) EXPECT_EQ(hold.Change(step.change, step.swapped), step.sent) << c.name;
        EXPECT_EQ(hold.Held(), kNone) << c.name;
    }
}

TEST(ButtonHold, TheEndOfARunLetsTheHeldButtonUpOnce) {
    ButtonHold hold;
    hold.Change(kSecondaryDown, true);
    EXPECT_EQ(hold.Release(), (ButtonInputs{kLeft, kNone}));
    EXPECT_EQ(hold.Release(), ButtonInputs{});
}

}  // namespace
