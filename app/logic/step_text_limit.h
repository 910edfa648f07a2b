// How much of a text the step-size field keeps: a step size never needs more than a few characters.
#pragma once

#include <cstddef>

namespace app {

// Long enough for any step size written out in full, with blanks and grouping; short enough that no text in the
// field can keep the thread busy (the edit control is slow on very long digit runs).
inline constexpr std::size_t kStepTextLimit = 64;

// The length of the part of a zero-terminated UTF-16 text that the field keeps: all of it up to the limit,
// else the first limit units without a lone first half of a surrogate pair at the cut. Reads at most
// limit + 1 units, however long the text is.
template <class Unit>
std::size_t LengthWithinLimit(const Unit* text, std::size_t limit = kStepTextLimit) noexcept {
    if (limit == 0) return 0;
    std::size_t length = 0;
    while (length <= limit && text[length] != Unit{0}) ++length;
    if (length <= limit) return length;
    const auto last = static_cast<unsigned>(text[limit - 1]) & 0xFFFFu;
    return last >= 0xD800u && last <= 0xDBFFu ? limit - 1 : limit;
}

}  // namespace app
