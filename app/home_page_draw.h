// The one-in-a-hundred draw at start-up that opens the maker's home page.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace app {

inline constexpr int kHomePageNumber = 7;

// A draw of 1..100 from a sample in [0, 1).
int DrawOneToHundred(double unitSample);

// Draws once from the generator and tells whether this start opens the home page.
bool HomePageDrawHits(const std::function<double()>& nextUnitSample);

// A generator of samples in [0, 1), reseeded from the time of day as the draw wants.
class TimeOfDayGenerator {
public:
    explicit TimeOfDayGenerator(std::uint32_t secondsSinceMidnight);
    double Next();

private:
    std::uint32_t state_;
};

// The command line that opens the home page in the user's browser.
std::string HomePageCommandLine();

}  // namespace app
