// Whether the user is warned that the window in front is out of the steering's reach, and the words of the warning.
#pragma once

#include <optional>
#include <string_view>

#include "win/logic/elevation.h"

namespace app {

// Shown on the tray icon once per run, titled with the product's name.
inline constexpr std::wstring_view kAdminWindowBalloonText =
    L"cannot steer while an administrator window is in front: Windows keeps its keys from other programs.\r\n"
    L"Click a window of an ordinary program to steer again, or start Pelmorath as administrator.";

struct AdminWindowFacts {
    std::optional<win::ProcessElevation> own;    // nothing when this program's token could not be read
    std::optional<win::ProcessElevation> front;  // nothing when the front window's process could not be read
    bool runUnderWay = false;
    bool warnedThisRun = false;
};

// Windows withholds the keys typed into a window of a higher integrity level from the hooks of a lower one: an
// elevated window in front of a program that is not elevated, or any window of a higher level where both levels
// can be read. True when the window in front is out of the steering's reach.
bool FrontOutOfReach(const AdminWindowFacts& facts) noexcept;

// True when the user is to be warned now that the window in front is out of reach.
bool WarnsOfAdminWindow(const AdminWindowFacts& facts) noexcept;

}  // namespace app
