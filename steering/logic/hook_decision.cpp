// The hook's decision for one keyboard event.
#include "steering/logic/hook_decision.h"

namespace steering {
namespace {

bool IsDownNow(std::int16_t state) { return state < 0; }

bool IsKeypad5(int virtualKey) { return virtualKey == kVkClear || virtualKey == kVkNumpad5; }

ButtonChange DecideKeypad5(const KeyEvent& event, KeyStateSource& keys) {
    const bool held = event.held != MouseButton::None;
    if (!event.keyDown || !keys.RunUnderWay()) return {held, MouseButton::None};
    // With nothing held a digit needs no question at all.
    if (event.virtualKey != kVkClear && !held) return {};
    if (IsDownNow(keys.AsyncKeyState(event.virtualKey))) return {};  // an auto-repeat
    ButtonChange change{held, MouseButton::None};
    if (event.virtualKey == kVkClear && !keys.NumLockOn() && !IsDownNow(keys.AsyncKeyState(kVkMenu))) {
        change.press = IsDownNow(keys.AsyncKeyState(kVkShift)) ? MouseButton::Secondary : MouseButton::Primary;
    }
    return change;
}

}  // namespace

bool Keypad5Up(KeyStateSource& keys) {
    return !IsDownNow(keys.AsyncKeyState(kVkClear)) && !IsDownNow(keys.AsyncKeyState(kVkNumpad5));
}

KeyEventDecision DecideKeyEvent(const KeyEvent& event, KeyStateSource& keys) {
    KeyEventDecision decision;
    if (event.nCode != 0) return decision;

    if (event.keyDown && event.virtualKey == kVkU && IsDownNow(keys.AsyncKeyState(kVkControl))) {
        decision.restoreRequested = true;
        return decision;
    }
    // Wine answers a key that is up from a per-thread snapshot of all key states, but only while the snapshot is
    // newer than the last input; a key that is down always takes a round trip to the server, and that trip renews
    // the snapshot. A key event renews nothing, so the first key asked costs a trip whatever its state. Asking the
    // event's own key first (a held arrow repeating, or being released) makes that one trip the one the held key
    // needs anyway; keypad 5, which steers nothing, is asked first for the same reason. The answers do not depend
    // on the order; the moves keep the table's order.
    std::array<bool, kSteeringKeys.size()> down{};
    std::size_t asked = kSteeringKeys.size();
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (kSteeringKeys[i].virtualKey == event.virtualKey) asked = i;
    }
    if (asked < kSteeringKeys.size()) {
        down[asked] = IsDownNow(keys.AsyncKeyState(event.virtualKey));
    } else if (IsKeypad5(event.virtualKey)) {
        decision.button = DecideKeypad5(event, keys);
    }
    if (event.held != MouseButton::None && !IsKeypad5(event.virtualKey)) decision.button.release = Keypad5Up(keys);
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (i != asked) down[i] = IsDownNow(keys.AsyncKeyState(kSteeringKeys[i].virtualKey));
    }
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (down[i]) decision.moves[decision.moveCount++] = kSteeringKeys[i].move;
    }
    return decision;
}

}  // namespace steering
