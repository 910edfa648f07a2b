// The rules of what belongs to the program rather than its window: the application title derived from the display
// name, and the one-in-a-hundred roll at start-up that opens the maker's home page.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace app {

inline constexpr std::size_t kMaxTitleLength = 40;

// The display name without its last word, cut further while too long.
std::wstring ApplicationTitle(std::wstring_view displayName);

inline constexpr int kHomePageNumber = 7;

// A roll of 1..100 from a sample in [0, 1).
int RollOneToHundred(double unitSample);

// Rolls once from the generator and tells whether this start opens the home page.
bool HomePageRollHits(const std::function<double()>& nextUnitSample);

// A generator of samples in [0, 1), reseeded from the time of day as the roll wants.
class TimeOfDayGenerator {
public:
    explicit TimeOfDayGenerator(std::uint32_t secondsSinceMidnight);
    double Next();

private:
    std::uint32_t state_;
};

// The command line that opens the home page in the user's browser.
std::wstring HomePageCommandLine();

}  // namespace app
