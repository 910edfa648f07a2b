// What the keyboard hook does with one event, decided from the key states the platform reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "steering/logic/pointer_move.h"

namespace steering {

inline constexpr int kVkControl = 0x11;
inline constexpr int kVkU = 0x55;
// Keypad 5 with Num Lock off; with Num Lock on it is VK_NUMPAD5 and types a digit.
inline constexpr int kVkClear = 0x0C;

// The steering keys in the order they are tested, each with its move.
struct SteeringKey {
    int virtualKey;
    Move move;
};
inline constexpr std::array<SteeringKey, 8> kSteeringKeys{{
    {0x25, Move::Left},   // VK_LEFT
    {0x27, Move::Right},  // VK_RIGHT
    {0x26, Move::Up},     // VK_UP
    {0x28, Move::Down},   // VK_DOWN
    {0x64, Move::Left},   // VK_NUMPAD4
    {0x66, Move::Right},  // VK_NUMPAD6
    {0x68, Move::Up},     // VK_NUMPAD8
    {0x62, Move::Down},   // VK_NUMPAD2
}};

// The event the hook is called for, as the platform describes it.
struct KeyEvent {
    int nCode = 0;         // only 0 (an action) is examined
    bool keyDown = false;  // a press or an auto-repeat, with or without Alt
    int virtualKey = 0;
};

// What the decision asks for only when an event needs it, so that other events pay nothing for it.
class KeyStateSource {
public:
    // Answers as GetAsyncKeyState does: the high bit means down now. Inside a low-level hook "now" is before the
    // event, so the key the event presses is not down yet and the key it releases still is.
    virtual std::int16_t AsyncKeyState(int virtualKey) = 0;
    // False once the restore request is raised: the run is over, though its hook stays in until the run loop next
    // looks, and the events in between still come to it.
    virtual bool RunUnderWay() = 0;

protected:
    ~KeyStateSource() = default;
};

struct KeyEventDecision {
    bool restoreRequested = false;  // Ctrl+U: raise the restore request and return 0 without the next hook
    bool click = false;             // one left click where the pointer is after the moves; the key is handed on
    std::array<Move, kSteeringKeys.size()> moves{};
    std::size_t moveCount = 0;  // moves to make, in order, each from the pointer's position at that moment
};

// Non-action events are only handed on. A press of U while Ctrl is held (Alt allowed) is the restore request and
// wins over steering; nothing else is: the event's own key says it is U, so a U typed earlier without Ctrl, or
// another program asking for U's state, changes nothing. Ctrl is asked only on a press of U.
// A press of keypad 5 with Num Lock off clicks during a run. The hook is told of no auto-repeat: a repeat is a
// press of a key that was already down before the event, and gives no click. Its state, and whether the run goes
// on, are asked only on a press of that key.
KeyEventDecision DecideKeyEvent(const KeyEvent& event, KeyStateSource& keys);

}  // namespace steering
