// Whether the user has high contrast on.
#pragma once

namespace app {

// Asked afresh at each call: the user may turn it on or off at any time.
bool HighContrastOn() noexcept;

}  // namespace app
