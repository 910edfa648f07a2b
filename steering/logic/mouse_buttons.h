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

// Remembers the physical button that went down, so that its up names the same one even when the swap setting
// changed in between, and so that no button goes down twice without an up.
class ButtonHold {
public:
    // The swap setting is the one at this press.
    ButtonInputs Change(const ButtonChange& change, bool buttonsSwapped) noexcept;
    // Lets the held button up, if any: the run is over.
    ButtonInputs Release() noexcept;
    PhysicalButton Held() const noexcept { return held_; }

private:
    PhysicalButton held_ = PhysicalButton::None;
};

}  // namespace steering
