// Home-page draw: the number, the generator and the command.
#include "app/home_page_draw.h"

#include "app/product.h"

namespace app {

int DrawOneToHundred(double unitSample) {
    const int n = static_cast<int>(unitSample * 100.0) + 1;
    return n < 1 ? 1 : (n > 100 ? 100 : n);  // guards a generator that strays outside [0, 1)
}

bool HomePageDrawHits(const std::function<double()>& nextUnitSample) {
    return DrawOneToHundred(nextUnitSample()) == kHomePageNumber;
}

// Park-Miller minimal standard generator: small, well known, and uniform enough for a 1-in-100 draw.
TimeOfDayGenerator::TimeOfDayGenerator(std::uint32_t secondsSinceMidnight)
    : state_(secondsSinceMidnight % 2147483646u + 1u) {
    // The first sample after seeding follows the seed almost linearly, so neighbouring seconds would draw
    // the same number; one step scatters them.
    Next();
}

double TimeOfDayGenerator::Next() {
    state_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(state_) * 48271u % 2147483647u);
    return static_cast<double>(state_ - 1u) / 2147483646.0;
}

std::string HomePageCommandLine() {
    std::string command = "explorer \"";
    command += kHomePageAddress;
    command += '"';
    return command;
}

}  // namespace app
