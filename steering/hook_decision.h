// What the keyboard hook does with one event, decided from the key states the platform reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "steering/pointer_move.h"

namespace steering {

inline constexpr int kVkControl = 0x11;
inline constexpr int kVkU = 0x55;

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

// Answers as GetAsyncKeyState does: the high bit means down now, the low bit pressed since the previous
// query. Asking clears the low bit, so the order and the number of queries matter.
class KeyStateSource {
public:
    virtual std::int16_t AsyncKeyState(int virtualKey) = 0;

protected:
    ~KeyStateSource() = default;
};

struct HookVerdict {
    bool restoreRequested = false;  // Ctrl+U: raise the restore request and return 0 without the next hook
    std::array<Move, kSteeringKeys.size()> moves{};
    std::size_t moveCount = 0;  // moves to make, in order, each from the pointer's position at that moment
};

// Non-action events are only handed on. Ctrl+U wins over steering; U is asked only while Ctrl is down so
// that its pressed-since bit survives for a later query.
HookVerdict DecideKeyEvent(int nCode, KeyStateSource& keys);

}  // namespace steering
