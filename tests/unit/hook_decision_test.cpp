// Unit tests of the hook's decision for one keyboard event.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <vector>

#include "steering/logic/hook_decision.h"

namespace {

using steering::ButtonChange;
using steering::DecideKeyEvent;
using steering::HookMemory;
using steering::KeyEventDecision;
using steering::KeyEvent;
using steering::Move;
using steering::MouseButton;

constexpr int kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kU = 0x55, kS = 0x53, kLeft = 0x25, kRight = 0x27, kUp = 0x26,
              kDown = 0x28;
constexpr int kPad4 = 0x64, kPad6 = 0x66, kPad8 = 0x68, kPad2 = 0x62;
constexpr int kClear = 0x0C, kPad5 = 0x65;  // keypad 5 with Num Lock off, and with it on
constexpr int kNumLock = 0x90;

// Behaves like GetAsyncKeyState inside a low-level hook: the keys down before the event. The pressed-since bit
// is set on every key, as another program's queries leave it wherever they like: the decision must not use it.
class FakeKeys : public steering::KeyStateSource {
public:
    explicit FakeKeys(std::initializer_list<int> down, bool runUnderWay = true) : down_(down), run_(runUnderWay) {}
    explicit FakeKeys(const std::vector<int>& down) : down_(down.begin(), down.end()), run_(true) {}
    std::int16_t AsyncKeyState(int vk) override {
        queries.push_back(vk);
        return static_cast<std::int16_t>((down_.count(vk) ? 0x8000 : 0) | 1);
    }
    bool RunUnderWay() override { return run_; }
    bool Queried(int vk) const { return std::find(queries.begin(), queries.end(), vk) != queries.end(); }
    std::vector<int> queries;

private:
    std::set<int> down_;
    bool run_;
};

KeyEvent Press(int vk, MouseButton held = MouseButton::None, bool numLock = false) {
    return {0, true, vk, {held, 0, numLock}};
}
KeyEvent Release(int vk, MouseButton held = MouseButton::None) { return {0, false, vk, {held}}; }

constexpr ButtonChange kNoChange{};
constexpr ButtonChange kButtonDown{false, MouseButton::Primary};
constexpr ButtonChange kSecondaryButtonDown{false, MouseButton::Secondary};
constexpr ButtonChange kButtonUp{true, MouseButton::None};
constexpr MouseButton kHeld = MouseButton::Primary;
constexpr MouseButton kNone = MouseButton::None;

std::vector<Move> MovesOf(const KeyEventDecision& v) { return {v.moves.begin(), v.moves.begin() + v.moveCount}; }

struct DecisionCase {
    const char* name;
    KeyEvent event;
    std::initializer_list<int> down;  // before the event
    bool restore;
    std::vector<Move> moves;
    ButtonChange button = kNoChange;
    // False after Ctrl+U or the stop click: the run is over, and its hook sees events until the run loop removes it.
    bool runUnderWay = true;
};

TEST(DecideKeyEvent, RestoreKeysSteeringKeysAndKeypad5) {
    const DecisionCase cases[] = {
        {"nothing held", Press(kS), {}, false, {}},
        {"one arrow", Press(kS), {kLeft}, false, {Move::Left}},
        {"a held arrow moves on its own repeat and release", Release(kLeft), {kLeft}, false, {Move::Left}},
        {"the press of an arrow does not move yet", Press(kLeft), {}, false, {}},
        {"every steering key, in table order", Press(kS), {kPad2, kPad8, kPad6, kPad4, kDown, kUp, kRight, kLeft},
         false, {Move::Left, Move::Right, Move::Up, Move::Down, Move::Left, Move::Right, Move::Up, Move::Down}},
        {"arrow and its keypad twin move twice", Press(kS), {kLeft, kPad4}, false, {Move::Left, Move::Left}},
        {"left and right both move", Press(kS), {kLeft, kRight}, false, {Move::Left, Move::Right}},
        {"Ctrl does not block steering", Press(kS), {kCtrl, kDown}, false, {Move::Down}},
        // the restore keys: a press of U while Ctrl is held, and nothing else
        {"Ctrl+U", Press(kU), {kCtrl}, true, {}},
        {"Ctrl+Alt+U", Press(kU), {kCtrl, kAlt}, true, {}},
        {"Ctrl+U wins over a held arrow", Press(kU), {kCtrl, kLeft}, true, {}},
        {"auto-repeat of U with Ctrl held", Press(kU), {kCtrl, kU}, true, {}},
        {"U without Ctrl steers", Press(kU), {kRight}, false, {Move::Right}},
        {"U released while Ctrl is held", Release(kU), {kCtrl, kU, kRight}, false, {Move::Right}},
        {"Ctrl pressed while U is held", Press(kCtrl), {kU, kRight}, false, {Move::Right}},
        {"Ctrl+S after a U typed earlier", Press(kS), {kCtrl, kRight}, false, {Move::Right}},
        {"Ctrl+C while U is held", Press(0x43), {kCtrl, kU}, false, {}},
        // keypad 5 as a mouse button during a run with Num Lock off: down on its press, up on its release
        {"keypad 5 pressed puts the primary button down", Press(kClear), {}, false, {}, kButtonDown},
        {"keypad 5 repeating does nothing", Press(kClear, kHeld), {kClear}, false, {}},
        {"keypad 5 released lets it up", Release(kClear, kHeld), {kClear}, false, {}, kButtonUp},
        {"keypad 5 released with nothing held, as when it went down before the run", Release(kClear), {kClear},
         false, {}},
        {"Shift+keypad 5 is the secondary button", Press(kClear), {kShift}, false, {}, kSecondaryButtonDown},
        {"Shift+keypad 5 released lets it up, Shift still held", Release(kClear, MouseButton::Secondary),
         {kShift, kClear}, false, {}, kButtonUp},
        {"Ctrl+keypad 5 is the primary button, for a Ctrl+click", Press(kClear), {kCtrl}, false, {}, kButtonDown},
        {"Alt+keypad 5 is character entry and no button", Press(kClear), {kAlt}, false, {}},
        {"Alt+Shift+keypad 5 is no button either", Press(kClear), {kAlt, kShift}, false, {}},
        {"keypad 5 with Num Lock on types a digit", Press(kPad5, kNone, true), {}, false, {}},
        {"Shift+keypad 5 with Num Lock on comes as VK_CLEAR and is no button", Press(kClear, kNone, true), {kShift},
         false, {}},
        {"the same with Shift lifted around it, as Windows does", Press(kClear, kNone, true), {}, false, {}},
        {"keypad 5 after the run puts nothing down", Press(kClear), {}, false, {}, kNoChange, false},
        {"keypad 5 after the run lets a held button up", Press(kClear, kHeld), {}, false, {}, kButtonUp, false},
        {"keypad 5 pressed while an arrow is held moves and presses", Press(kClear), {kLeft}, false, {Move::Left},
         kButtonDown},
        // a drag: the moves made while keypad 5 is held carry the button
        {"an arrow tapped while keypad 5 is held moves and keeps the button", Release(kRight, kHeld),
         {kClear, kRight}, false, {Move::Right}},
        {"another key while keypad 5 is held", Press(kS, kHeld), {kClear, kRight}, false, {Move::Right}},
        // a release the hook never saw
        {"another key finds keypad 5 up: the button goes up", Press(kS, kHeld), {kRight}, false, {Move::Right},
         kButtonUp},
        {"a fresh press while the button is held: up, then down again", Press(kClear, kHeld), {}, false, {},
         {true, MouseButton::Primary}},
        {"a fresh Shift press while the primary is held", Press(kClear, kHeld), {kShift}, false, {},
         {true, MouseButton::Secondary}},
        {"Num Lock turned on while held: the release comes as the digit", Release(kPad5, kHeld), {kPad5}, false, {},
         kButtonUp},
        {"Num Lock turned on while held: keypad 5 still down as the digit", Press(kS, kHeld), {kPad5}, false, {}},
    };
    for (const DecisionCase& c : cases) {
        FakeKeys keys(c.down, c.runUnderWay);
        const KeyEventDecision v = DecideKeyEvent(c.event, keys);
        EXPECT_EQ(v.restoreRequested, c.restore) << c.name;
        EXPECT_EQ(MovesOf(v), c.moves) << c.name;
        EXPECT_EQ(v.button, c.button) << c.name;
    }
}

// Events in a row, each decided with what the hook remembers after the one before, as the hook does.
TEST(DecideKeyEvent, KeysKeptBackDuringADragAndNumLockFollowed) {
    struct Step {
        KeyEvent event;         // its memory is the one carried from the step before
        std::vector<int> down;  // the platform's key state before the event
        bool handOn;
        std::vector<Move> moves;
        ButtonChange button = kNoChange;
    };
    struct Case {
        const char* name;
        HookMemory start;
        std::vector<Step> steps;
        HookMemory end;
    };
    constexpr std::uint8_t kRightBit = 1u << 1, kPad6Bit = 1u << 5;  // their places in the steering table
    const Case cases[] = {
        {"a drag across two Right taps: the taps move and never reach the program",
         {},
         {{Press(kClear), {}, true, {}, kButtonDown},
          {Press(kRight), {kClear}, false, {}},
          {Release(kRight), {kClear}, false, {Move::Right}},
          {Press(kRight), {kClear}, false, {}},
          {Release(kRight), {kClear}, false, {Move::Right}},
          {Release(kClear), {kClear}, true, {}, kButtonUp},
          {Press(kRight), {}, true, {}},
          {Release(kRight), {kRight}, true, {Move::Right}}},
         {}},
        {"a held Right kept back repeats and moves by its own record",
         {},
         {{Press(kClear), {}, true, {}, kButtonDown},
          {Press(kRight), {kClear}, false, {}},
          {Press(kRight), {kClear}, false, {Move::Right}},
          {Press(kS), {kClear}, true, {Move::Right}},
          {Release(kRight), {kClear}, false, {Move::Right}}},
         {kHeld}},
        {"a press kept back keeps its release back after the button came up",
         {},
         {{Press(kClear), {}, true, {}, kButtonDown},
          {Press(kRight), {kClear}, false, {}},
          {Release(kClear), {kClear}, true, {Move::Right}, kButtonUp},
          {Press(kRight), {}, false, {Move::Right}},
          {Release(kRight), {}, false, {Move::Right}},
          {Press(kRight), {}, true, {}}},
         {}},
        {"a press handed on before the button went down: its repeats are kept back, its release goes on",
         {},
         {{Press(kRight), {}, true, {}},
          {Press(kClear), {kRight}, true, {Move::Right}, kButtonDown},
          {Press(kRight), {kRight, kClear}, false, {Move::Right}},
          {Release(kRight), {kRight, kClear}, true, {Move::Right}}},
         {kHeld}},
        {"keypad 5 found up by an arrow: the button goes up and the arrow goes on",
         {kHeld},
         {{Press(kRight), {}, true, {}, kButtonUp}, {Release(kRight), {kRight}, true, {Move::Right}}},
         {}},
        {"other keys, Ctrl+U's Ctrl and keypad 5's own events go on during a drag",
         {},
         {{Press(kClear), {}, true, {}, kButtonDown},
          {Press(kShift), {kClear}, true, {}},
          {Press(kClear), {kClear, kShift}, true, {}},
          {Release(kShift), {kClear, kShift}, true, {}},
          {Press(kCtrl), {kClear}, true, {}}},
         {kHeld}},
        {"the keypad's steering digits are kept back as the arrows are, and mean Num Lock is on",
         {},
         {{Press(kClear), {}, true, {}, kButtonDown},
          {Press(kPad6), {kClear}, false, {}},
          {Release(kPad6), {kClear}, false, {Move::Right}}},
         {kHeld, 0, true}},
        {"two keys kept back at once", {kHeld},
         {{Press(kRight), {kClear}, false, {}}, {Press(kPad6), {kClear}, false, {Move::Right}}},
         {kHeld, kRightBit | kPad6Bit, true}},
        {"Num Lock turned on during the run: keypad 5 no longer clicks",
         {},
         {{Press(kNumLock), {}, true, {}}, {Release(kNumLock), {kNumLock}, true, {}}, {Press(kClear), {}, true, {}}},
         {kNone, 0, true}},
        {"Num Lock turned off during the run: keypad 5 clicks", {kNone, 0, true},
         {{Press(kNumLock), {}, true, {}}, {Press(kClear), {}, true, {}, kButtonDown}}, {kHeld}},
        {"Num Lock toggled twice, with a repeat of its own in between",
         {},
         {{Press(kNumLock), {}, true, {}},
          {Press(kNumLock), {kNumLock}, true, {}},
          {Release(kNumLock), {kNumLock}, true, {}},
          {Press(kNumLock), {}, true, {}},
          {Release(kNumLock), {kNumLock}, true, {}}},
         {}},
        {"a digit corrects a toggle that was off at the start: Shift+keypad 5 is then no click",
         {},
         {{Press(0x68), {}, true, {}}, {Press(kClear), {kShift}, true, {}}},
         {kNone, 0, true}},
    };
    for (const Case& c : cases) {
        HookMemory memory = c.start;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            KeyEvent event = step.event;
            event.memory = memory;
            FakeKeys keys(step.down);
            const KeyEventDecision v = DecideKeyEvent(event, keys);
            EXPECT_EQ(v.handOn, step.handOn) << c.name << ", step " << i;
            EXPECT_EQ(MovesOf(v), step.moves) << c.name << ", step " << i;
            EXPECT_EQ(v.button, step.button) << c.name << ", step " << i;
            memory = v.memory;
        }
        EXPECT_EQ(memory, c.end) << c.name;
    }
}

TEST(DecideKeyEvent, AsksForCtrlOnlyOnAPressOfU) {
    FakeKeys steering({kCtrl, kLeft});
    DecideKeyEvent(Press(kS), steering);
    EXPECT_FALSE(steering.Queried(kCtrl));
    EXPECT_FALSE(steering.Queried(kU));

    FakeKeys restore({kCtrl, kLeft});
    DecideKeyEvent(Press(kU), restore);
    EXPECT_EQ(restore.queries, (std::vector<int>{kCtrl})) << "nothing more is asked after the restore";
}

TEST(DecideKeyEvent, AsksTheEventsOwnSteeringKeyFirstAndEveryKeyOnce) {
    const std::vector<int> table{kLeft, kRight, kUp, kDown, kPad4, kPad6, kPad8, kPad2};
    struct Case {
        KeyEvent event;
        int first;
        std::vector<int> more;  // asked besides the steering keys
        bool runUnderWay = true;
    };
    // Keypad 5's questions come only with its own events, and with other events only while it holds a button.
    const Case cases[] = {{Press(kRight), kRight, {}},
                          {Release(kPad2), kPad2, {}},
                          {Press(kS), kLeft, {}},
                          {Release(kU), kLeft, {}},
                          {Press(kClear), kClear, {kClear, kAlt, kShift}},
                          {Release(kClear), kLeft, {}},
                          {Press(kClear), kLeft, {}, false},
                          {Press(kPad5), kLeft, {}},
                          {Press(kS, kHeld), kClear, {kClear, kPad5}},
                          {Release(kPad2, kHeld), kPad2, {kClear, kPad5}}};
    for (const Case& c : cases) {
        FakeKeys keys({kRight, kPad2, kUp}, c.runUnderWay);
        const KeyEventDecision v = DecideKeyEvent(c.event, keys);
        ASSERT_FALSE(keys.queries.empty());
        EXPECT_EQ(keys.queries.front(), c.first);
        std::vector<int> asked = keys.queries;
        std::sort(asked.begin(), asked.end());
        std::vector<int> want = table;
        want.insert(want.end(), c.more.begin(), c.more.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(asked, want) << "each key is asked exactly once, keypad 5's only where it must be";
        EXPECT_EQ(MovesOf(v), (std::vector<Move>{Move::Right, Move::Up, Move::Down})) << "moves keep the table order";
    }
}

TEST(DecideKeyEvent, NonActionEventsAreHandedOnUntouched) {
    for (int nCode : {-1, 1, 3}) {
        FakeKeys keys({kCtrl, kLeft, kUp});
        const KeyEventDecision v = DecideKeyEvent({nCode, true, kU, {}}, keys);
        EXPECT_FALSE(v.restoreRequested);
        EXPECT_EQ(v.moveCount, 0u);
        EXPECT_TRUE(keys.queries.empty()) << "nCode " << nCode;
    }
}

}  // namespace
