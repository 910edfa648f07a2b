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

ButtonInputs ButtonHold::Change(const ButtonChange& change, bool buttonsSwapped) noexcept {
    if (!change.release && change.press == MouseButton::None) return {};
    // A press with a button still held lets it up first, whether or not the hook saw the release go by.
    ButtonInputs inputs = Release();
    inputs.down = PhysicalButtonFor(change.press, buttonsSwapped);
    held_ = inputs.down;
    return inputs;
}

ButtonInputs ButtonHold::Release() noexcept {
    const ButtonInputs inputs{held_, PhysicalButton::None};
    held_ = PhysicalButton::None;
    return inputs;
}

}  // namespace steering
