// The hook's decision for one keyboard event.
#include "steering/logic/hook_decision.h"

namespace steering {
namespace {

bool IsDownNow(std::int16_t state) { return state < 0; }

}  // namespace

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
    // needs anyway; keypad 5 with Num Lock off, which steers nothing, is asked first for the same reason. The
    // answers do not depend on the order; the moves keep the table's order.
    std::array<bool, kSteeringKeys.size()> down{};
    std::size_t asked = kSteeringKeys.size();
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (kSteeringKeys[i].virtualKey == event.virtualKey) asked = i;
    }
    if (asked < kSteeringKeys.size()) {
        down[asked] = IsDownNow(keys.AsyncKeyState(event.virtualKey));
    } else if (event.virtualKey == kVkClear && event.keyDown && keys.RunUnderWay()) {
        // Asked in the steering key's place, and only here: a steering key's events pay nothing for the click.
        decision.click = !IsDownNow(keys.AsyncKeyState(kVkClear));
    }
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (i != asked) down[i] = IsDownNow(keys.AsyncKeyState(kSteeringKeys[i].virtualKey));
    }
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (down[i]) decision.moves[decision.moveCount++] = kSteeringKeys[i].move;
    }
    return decision;
}

}  // namespace steering
