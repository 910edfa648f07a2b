// The hook's decision for one keyboard event.
#include "steering/logic/hook_decision.h"

namespace steering {
namespace {

bool IsDownNow(std::int16_t state) { return state < 0; }

bool IsKeypad5(int virtualKey) { return virtualKey == kVkClear || virtualKey == kVkNumpad5; }

bool IsKeypadDigit(int virtualKey) { return virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad9; }

std::uint8_t BitOf(std::size_t steeringKey) { return static_cast<std::uint8_t>(1u << steeringKey); }

ButtonChange DecideKeypad5(const KeyEvent& event, KeyStateSource& keys) {
    const bool held = event.memory.held != MouseButton::None;
    if (!event.keyDown || !keys.RunUnderWay()) return {held, MouseButton::None};
    // With nothing held a digit needs no question at all.
    if (event.virtualKey != kVkClear && !held) return {};
    if (IsDownNow(keys.AsyncKeyState(event.virtualKey))) return {};  // an auto-repeat
    ButtonChange change{held, MouseButton::None};
    if (event.virtualKey == kVkClear && !event.memory.numLockOn && !IsDownNow(keys.AsyncKeyState(kVkMenu))) {
        change.press = IsDownNow(keys.AsyncKeyState(kVkShift)) ? MouseButton::Secondary : MouseButton::Primary;
    }
    return change;
}

bool NumLockAfter(const KeyEvent& event, KeyStateSource& keys) {
    if (!event.keyDown) return event.memory.numLockOn;
    if (IsKeypadDigit(event.virtualKey)) return true;
    // Num Lock is down already before a repeat of its own.
    if (event.virtualKey == kVkNumLock && !IsDownNow(keys.AsyncKeyState(kVkNumLock))) return !event.memory.numLockOn;
    return event.memory.numLockOn;
}

// A steering key's event: kept from the programs while the button stays held, and always when its press was.
void KeepBackWhileHeld(const KeyEvent& event, std::size_t key, bool downBefore, KeyEventDecision& decision) {
    const std::uint8_t bit = BitOf(key);
    const std::uint8_t keptBack = event.memory.keptBack;
    if ((keptBack & bit) != 0) {
        decision.handOn = false;
        if (!event.keyDown) decision.memory.keptBack = static_cast<std::uint8_t>(keptBack & ~bit);
    } else if (event.keyDown && event.memory.held != MouseButton::None && !decision.button.release) {
        // A repeat of a key whose press went on is kept back as well, but its release will go on.
        decision.handOn = false;
        if (!downBefore) decision.memory.keptBack = static_cast<std::uint8_t>(keptBack | bit);
    }
}

MouseButton HeldAfter(const KeyEvent& event, const ButtonChange& change) {
    return change.release || change.press != MouseButton::None ? change.press : event.memory.held;
}

}  // namespace

bool Keypad5Up(KeyStateSource& keys) {
    return !IsDownNow(keys.AsyncKeyState(kVkClear)) && !IsDownNow(keys.AsyncKeyState(kVkNumpad5));
}

KeyEventDecision DecideKeyEvent(const KeyEvent& event, KeyStateSource& keys) {
    KeyEventDecision decision;
    decision.memory = event.memory;
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
    // on the order; the moves keep the table's order. A key the hook kept back is down by its own record.
    const std::uint8_t keptBack = event.memory.keptBack;
    std::array<bool, kSteeringKeys.size()> down{};
    std::size_t asked = kSteeringKeys.size();
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (kSteeringKeys[i].virtualKey == event.virtualKey) asked = i;
    }
    if (asked < kSteeringKeys.size()) {
        down[asked] = (keptBack & BitOf(asked)) != 0 || IsDownNow(keys.AsyncKeyState(event.virtualKey));
    } else if (IsKeypad5(event.virtualKey)) {
        decision.button = DecideKeypad5(event, keys);
    }
    if (event.memory.held != MouseButton::None && !IsKeypad5(event.virtualKey)) {
        decision.button.release = Keypad5Up(keys);
    }
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (i == asked) continue;
        down[i] = (keptBack & BitOf(i)) != 0 || IsDownNow(keys.AsyncKeyState(kSteeringKeys[i].virtualKey));
    }
    for (std::size_t i = 0; i < kSteeringKeys.size(); ++i) {
        if (down[i]) decision.moves[decision.moveCount++] = kSteeringKeys[i].move;
    }

    decision.memory.held = HeldAfter(event, decision.button);
    decision.memory.numLockOn = NumLockAfter(event, keys);
    if (asked < kSteeringKeys.size()) KeepBackWhileHeld(event, asked, down[asked], decision);
    return decision;
}

}  // namespace steering
