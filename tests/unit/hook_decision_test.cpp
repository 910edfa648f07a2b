// Unit tests of the hook's decision for one keyboard event.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <vector>

#include "steering/hook_decision.h"

namespace {

using steering::DecideKeyEvent;
using steering::HookVerdict;
using steering::Move;

constexpr int kCtrl = 0x11, kU = 0x55, kLeft = 0x25, kRight = 0x27, kUp = 0x26, kDown = 0x28;
constexpr int kPad4 = 0x64, kPad6 = 0x66, kPad8 = 0x68, kPad2 = 0x62;

// Behaves like GetAsyncKeyState: high bit while down, low bit once per press until it is queried.
class FakeKeys : public steering::KeyStateSource {
public:
    FakeKeys(std::initializer_list<int> down, std::initializer_list<int> pressed = {}) {
        for (int vk : down) down_[vk] = true;
        for (int vk : pressed) pressed_[vk] = true;
    }
    std::int16_t AsyncKeyState(int vk) override {
        queries.push_back(vk);
        std::int16_t state = down_[vk] ? std::int16_t(0x8000) : 0;
        if (pressed_[vk]) state |= 1;
        pressed_[vk] = false;
        return state;
    }
    bool Queried(int vk) const { return std::find(queries.begin(), queries.end(), vk) != queries.end(); }
    std::vector<int> queries;

private:
    std::map<int, bool> down_, pressed_;
};

std::vector<Move> MovesOf(const HookVerdict& v) { return {v.moves.begin(), v.moves.begin() + v.moveCount}; }

struct DecisionCase {
    const char* name;
    std::initializer_list<int> down, pressed;
    bool restore;
    std::vector<Move> moves;
};

TEST(DecideKeyEvent, RestoreKeysAndSteeringKeys) {
    const DecisionCase cases[] = {
        {"nothing held", {}, {}, false, {}},
        {"one arrow", {kLeft}, {}, false, {Move::Left}},
        {"every steering key, in table order", {kPad2, kPad8, kPad6, kPad4, kDown, kUp, kRight, kLeft}, {}, false,
         {Move::Left, Move::Right, Move::Up, Move::Down, Move::Left, Move::Right, Move::Up, Move::Down}},
        {"arrow and its keypad twin move twice", {kLeft, kPad4}, {}, false, {Move::Left, Move::Left}},
        {"left and right both move", {kLeft, kRight}, {}, false, {Move::Left, Move::Right}},
        {"pressed earlier but not down now", {}, {kLeft, kUp}, false, {}},
        {"Ctrl+U wins over a held arrow", {kCtrl, kU, kLeft}, {kU}, true, {}},
        {"Ctrl+U with U already released", {kCtrl, kLeft}, {kU}, true, {}},
        {"Ctrl held, U not pressed since last query", {kCtrl, kU, kDown}, {}, false, {Move::Down}},
        {"U pressed without Ctrl steers", {kRight}, {kU}, false, {Move::Right}},
    };
    for (const DecisionCase& c : cases) {
        FakeKeys keys(c.down, c.pressed);
        const HookVerdict v = DecideKeyEvent(0, keys);
        EXPECT_EQ(v.restoreRequested, c.restore) << c.name;
        EXPECT_EQ(MovesOf(v), c.moves) << c.name;
    }
}

TEST(DecideKeyEvent, UIsNotQueriedWithoutCtrlSoItsPressSurvives) {
    FakeKeys keys({kLeft}, {kU});
    DecideKeyEvent(0, keys);
    EXPECT_FALSE(keys.Queried(kU));
    EXPECT_EQ(keys.AsyncKeyState(kU) & 1, 1) << "the press of U was consumed";
}

TEST(DecideKeyEvent, CtrlUAsksNothingMoreAfterTheRestore) {
    FakeKeys keys({kCtrl, kLeft}, {kU});
    DecideKeyEvent(0, keys);
    EXPECT_EQ(keys.queries, (std::vector<int>{kCtrl, kU}));
}

TEST(DecideKeyEvent, NonActionEventsAreHandedOnUntouched) {
    for (int nCode : {-1, 1, 3}) {
        FakeKeys keys({kCtrl, kLeft, kUp}, {kU});
        const HookVerdict v = DecideKeyEvent(nCode, keys);
        EXPECT_FALSE(v.restoreRequested);
        EXPECT_EQ(v.moveCount, 0u);
        EXPECT_TRUE(keys.queries.empty()) << "nCode " << nCode;
    }
}

}  // namespace
