// The twip, the unit the window and the tray control are laid out in: 1440 to the logical inch.
#pragma once

namespace win {

inline constexpr int kTwipsPerInch = 1440;

}  // namespace win
