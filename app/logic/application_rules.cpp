// The application title rule, and the home page's roll, generator and command.
#include "app/logic/application_rules.h"

#include "app/logic/product.h"

namespace app {

std::wstring ApplicationTitle(std::wstring_view displayName) {
    std::wstring_view title = displayName;
    // The first cut happens before any length test, so the last word always goes. A name without a
    // space has nothing left to cut and stays whole rather than emptied.
    do {
        const std::size_t space = title.rfind(L' ');
        if (space == std::wstring_view::npos) break;
        title = title.substr(0, space);
    } while (title.size() > kMaxTitleLength);
    return std::wstring(title);
}

int RollOneToHundred(double unitSample) {
    const int n = static_cast<int>(unitSample * 100.0) + 1;
    return n < 1 ? 1 : (n > 100 ? 100 : n);  // guards a generator that strays outside [0, 1)
}

bool HomePageRollHits(const std::function<double()>& nextUnitSample) {
    return RollOneToHundred(nextUnitSample()) == kHomePageNumber;
}

// Park-Miller minimal standard generator: small, well known, and uniform enough for a 1-in-100 roll.
TimeOfDayGenerator::TimeOfDayGenerator(std::uint32_t secondsSinceMidnight)
    : state_(secondsSinceMidnight % 2147483646u + 1u) {
    // The first sample after seeding follows the seed almost linearly, so neighbouring seconds would roll
    // the same number; one step scatters them.
    Next();
}

double TimeOfDayGenerator::Next() {
    state_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(state_) * 48271u % 2147483647u);
    return static_cast<double>(state_ - 1u) / 2147483646.0;
}

std::wstring HomePageCommandLine() {
    std::wstring command = L"explorer \"";
    command += kHomePageAddress;
    command += L'"';
    return command;
}

}  // namespace app
