// Which physical mouse button the keypad's presses send, and the one the program holds down between them.
#pragma once

#include <cstdint>

#include "steering/logic/hook_decision.h"

namespace steering {

// Injected button events name physical buttons; Windows applies the user's swap to them afterwards.
enum class PhysicalButton : std::uint8_t { None, Left, Right };

PhysicalButton PhysicalButtonFor(MouseButton button, bool buttonsSwapped);

// The injected button events for one change, sent in this order: the button held goes up, then another goes down.
struct ButtonInputs {
    PhysicalButton up = PhysicalButton::None;
    PhysicalButton down = PhysicalButton::None;
    friend bool operator==(const ButtonInputs&, const ButtonInputs&) = default;
};

// Remembers the physical button that is down, so that its up names the same one even when the swap setting changed
// in between, and so that no button goes down twice without an up. It follows what the system took, not what was
// asked: the system refuses injected input now and then (the secure desktop, a window of a higher integrity level),
// and a button whose up was refused is still down.
class ButtonHold {
public:
    // The events for one change, the swap setting being the one at this press. A press with a button still held
    // lets it up first, whether or not the hook saw the release go by.
    ButtonInputs Change(const ButtonChange& change, bool buttonsSwapped) const noexcept;
    // The event that lets the held button up, if any.
    ButtonInputs Release() const noexcept { return {held_, PhysicalButton::None}; }

    // Sends inputs in order through send(button, down), which answers whether the system took that event, and
    // holds what was taken: the held button counts as up only once its up was taken, and no down follows an up that
    // was refused. Returns what was taken.
    template <class SendEvent>
    ButtonInputs Send(const ButtonInputs& inputs, SendEvent&& send) {
        ButtonInputs taken;
        if (inputs.up != PhysicalButton::None) {
            if (!send(inputs.up, false)) return taken;
            taken.up = inputs.up;
            held_ = PhysicalButton::None;
        }
        if (inputs.down != PhysicalButton::None && send(inputs.down, true)) {
            taken.down = inputs.down;
            held_ = inputs.down;
        }
        return taken;
    }

    PhysicalButton Held() const noexcept { return held_; }

private:
    PhysicalButton held_ = PhysicalButton::None;
};

}  // namespace steering
