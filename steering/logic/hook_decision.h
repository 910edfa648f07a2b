// What the keyboard hook does with one event, decided from the key states the platform reports and from what the
// hook remembers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "steering/logic/pointer_move.h"

namespace steering {

inline constexpr int kVkShift = 0x10;    // VK_SHIFT
inline constexpr int kVkControl = 0x11;  // VK_CONTROL
inline constexpr int kVkMenu = 0x12;     // VK_MENU, Alt
inline constexpr int kVkU = 0x55;
// Keypad 5 with Num Lock off, and (on Windows, which lifts Shift around it) Shift+keypad 5 with Num Lock on.
inline constexpr int kVkClear = 0x0C;    // VK_CLEAR
// The keypad's digits, which come only while Num Lock is on; keypad 5 as a digit never clicks.
inline constexpr int kVkNumpad0 = 0x60;  // VK_NUMPAD0
inline constexpr int kVkNumpad5 = 0x65;  // VK_NUMPAD5
inline constexpr int kVkNumpad9 = 0x69;  // VK_NUMPAD9
inline constexpr int kVkNumLock = 0x90;  // VK_NUMLOCK

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

// A mouse button as the user names it: the primary one (left, unless the buttons are swapped) or the secondary.
enum class MouseButton : std::uint8_t { None, Primary, Secondary };

// What the hook remembers from one event to the next, because the key state the platform reports cannot tell it.
struct HookMemory {
    MouseButton held = MouseButton::None;  // the button keypad 5 holds down, as the hook last decided
    // The steering keys whose press the hook kept from the programs, one bit per entry of kSteeringKeys. Windows
    // never marks a key down whose press a hook kept back, so the hook keeps that state itself.
    std::uint8_t keptBack = 0;
    // Num Lock's toggle. A thread's key state changes only as that thread reads key messages, and the hook's thread
    // reads none during a run: the hook follows the toggle itself from the state its thread read at the run's start.
    bool numLockOn = false;
    friend bool operator==(const HookMemory&, const HookMemory&) = default;
};

// The event the hook is called for, as the platform describes it, with what the hook remembers before it.
struct KeyEvent {
    int nCode = 0;         // only 0 (an action) is examined
    bool keyDown = false;  // a press or an auto-repeat, with or without Alt
    int virtualKey = 0;
    HookMemory memory;
};

// What the decision asks of the platform only when an event needs it, so that other events pay nothing for it.
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

// What happens to the mouse button keypad 5 holds: first the held one goes up, then another goes down.
struct ButtonChange {
    bool release = false;
    MouseButton press = MouseButton::None;
    friend bool operator==(const ButtonChange&, const ButtonChange&) = default;
};

struct KeyEventDecision {
    bool restoreRequested = false;  // Ctrl+U: raise the restore request and return 0 without the next hook
    // False: the key is kept from the programs, the hook's result says so and no later hook is called.
    bool handOn = true;
    ButtonChange button;  // made where the pointer is after the moves
    std::array<Move, kSteeringKeys.size()> moves{};
    std::size_t moveCount = 0;  // moves to make, in order, each from the pointer's position at that moment
    HookMemory memory;          // what the hook remembers after the event
};

// Non-action events are only handed on. A press of U while Ctrl is held (Alt allowed) is the restore request and
// wins over steering; nothing else is: the event's own key says it is U, so a U typed earlier without Ctrl, or
// another program asking for U's state, changes nothing. Ctrl is asked only on a press of U.
//
// Keypad 5 is a mouse button during a run while Num Lock is off: its press puts the primary button down (the
// secondary one with Shift; Ctrl is left to make a Ctrl+click; with Alt it is Windows' character entry, and
// nothing goes down), its release lets it up, and its auto-repeats, presses of a key that was down already, do
// nothing. A fresh press while a button is held, or any other event that finds keypad 5 up, lets the held button
// up: its release went by unseen. The keypad-5 questions are asked on keypad 5's own events only, and on other
// events only while a button is held.
//
// While a button stays held, the steering keys move the pointer but are kept from the programs, whose own caret
// moves would undo a drag's selection. A key whose press was kept back has its repeats and its release kept back
// too, even once the button is up; a key whose press was handed on has its release handed on.
//
// Num Lock's toggle flips on each press of Num Lock (not on its repeats), and is on whenever a keypad digit arrives.
KeyEventDecision DecideKeyEvent(const KeyEvent& event, KeyStateSource& keys);

// Whether keypad 5 is up under either of its codes (Num Lock may have been toggled while it was held).
bool Keypad5Up(KeyStateSource& keys);

}  // namespace steering
