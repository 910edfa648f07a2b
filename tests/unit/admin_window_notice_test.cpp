// Unit tests of the decisions whether the window in front is out of reach and whether the user is warned of it.
#include <gtest/gtest.h>

#include <optional>

#include "app/logic/admin_window_notice.h"

namespace {

using app::AdminWindowFacts;
using app::WarnsOfAdminWindow;
using win::ProcessElevation;

constexpr std::uint32_t kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000, kLow = 0x1000;

constexpr ProcessElevation Limited(std::optional<std::uint32_t> level = kMedium) { return {false, level}; }
constexpr ProcessElevation Elevated(std::optional<std::uint32_t> level = kHigh) { return {true, level}; }

struct NoticeCase {
    const char* name;
    std::optional<ProcessElevation> own;
    std::optional<ProcessElevation> front;
    bool runUnderWay;
    bool warnedThisRun;
    bool warns;
};

TEST(WarnsOfAdminWindow, ElevationLevelRunAndOnce) {
    const NoticeCase cases[] = {
        {"an elevated window in front of a limited run", Limited(), Elevated(), true, false, true},
        {"warned already in this run", Limited(), Elevated(), true, true, false},
        {"outside a run", Limited(), Elevated(), false, false, false},
        {"a limited window", Limited(), Limited(), true, false, false},
        {"a lower level", Limited(), Limited(kLow), true, false, false},
        {"this program elevated", Elevated(), Elevated(), true, false, false},
        {"this program elevated, a system window", Elevated(), Elevated(kSystem), true, false, false},
        {"the front process could not be read", Limited(), std::nullopt, true, false, false},
        {"this program's token could not be read", std::nullopt, Elevated(), true, false, false},
        {"a higher level without elevation", Limited(), Limited(kHigh), true, false, true},
        {"an elevated window whose level could not be read", Limited(), Elevated(std::nullopt), true, false, true},
        {"no level of the front window", Limited(), Limited(std::nullopt), true, false, false},
        {"no level of this program", Limited(std::nullopt), Limited(kHigh), true, false, false},
    };
    for (const NoticeCase& c : cases) {
        EXPECT_EQ(WarnsOfAdminWindow({c.own, c.front, c.runUnderWay, c.warnedThisRun}), c.warns) << c.name;
    }
}

}  // namespace
