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

// Sends every event, as the system does when nothing keeps injected input out.
bool TakeAll(PhysicalButton, bool) { return true; }

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
        for (const Step& step : c.steps) {
            EXPECT_EQ(hold.Send(hold.Change(step.change, step.swapped), TakeAll), step.sent) << c.name;
        }
        EXPECT_EQ(hold.Held(), kNone) << c.name;
    }
}

TEST(ButtonHold, TheEndOfARunLetsTheHeldButtonUpOnce) {
    ButtonHold hold;
    hold.Send(hold.Change(kSecondaryDown, true), TakeAll);
    EXPECT_EQ(hold.Send(hold.Release(), TakeAll), (ButtonInputs{kLeft, kNone}));
    EXPECT_EQ(hold.Release(), ButtonInputs{});
}

TEST(ButtonHold, AButtonIsUpOnlyOnceTheSystemTookItsUp) {
    struct Case {
        const char* name;
        ButtonChange change;  // made while the left button is held
        std::vector<bool> answers;  // the system's, event by event
        std::vector<ButtonInputs> sentEvents;  // one event each
        PhysicalButton heldAfter;
    };
    const ButtonInputs leftUp{kLeft, kNone}, leftDown{kNone, kLeft}, rightDown{kNone, kRight};
    const Case cases[] = {
        {"an up refused: still held, to be let up again", kUp, {false}, {leftUp}, kLeft},
        {"an up refused: no down follows it", kSecondaryDown, {false}, {leftUp}, kLeft},
        {"an up taken and a down refused: nothing held", kSecondaryDown, {true, false}, {leftUp, rightDown}, kNone},
        {"both taken", kSecondaryDown, {true, true}, {leftUp, rightDown}, kRight},
        {"a press while held, its up taken", kPrimaryDown, {true, true}, {leftUp, leftDown}, kLeft},
    };
    for (const Case& c : cases) {
        ButtonHold hold;
        hold.Send(hold.Change(kPrimaryDown, false), TakeAll);
        std::vector<ButtonInputs> sent;
        std::size_t answer = 0;
        hold.Send(hold.Change(c.change, false), [&](PhysicalButton button, bool down) {
            sent.push_back(down ? ButtonInputs{kNone, button} : ButtonInputs{button, kNone});
            return c.answers.at(answer++);
        });
        EXPECT_EQ(sent, c.sentEvents) << c.name;
        EXPECT_EQ(hold.Held(), c.heldAfter) << c.name;
    }
}

}  // namespace
