// Physical buttons for the keypad's presses, and the one held.
#include "steering/logic/mouse_buttons.h"

namespace steering {

PhysicalButton PhysicalButtonFor(MouseButton button, bool buttonsSwapped) {
    switch (button) {
        case MouseButton::Primary:
            return buttonsSwapped ? PhysicalButton::Right : PhysicalButton::Left;
        case MouseButton::Secondary:
            return buttonsSwapped ? PhysicalButton::Left : PhysicalButton::Right;
        case MouseButton::None:
            break;
    }
    return PhysicalButton::None;
}

ButtonInputs ButtonHold::Change(const ButtonChange& change, bool buttonsSwapped) const noexcept {
    if (!change.release && change.press == MouseButton::None) return {};
    return {held_, PhysicalButtonFor(change.press, buttonsSwapped)};
}

}  // namespace steering
