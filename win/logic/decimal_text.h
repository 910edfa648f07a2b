// Whole numbers written out in decimal for the traces, the error report and the platform's missing error texts.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace win {

// The digits of a number, after a "-" when it is negative: no leading zeros, no separators, whatever the locale.
// The error report's line number is read back in exactly this form. Holds its own characters and allocates
// nothing, so a trace can use it when memory has run out.
class DecimalText {
public:
    constexpr explicit DecimalText(long long number) noexcept {
        const auto value = static_cast<unsigned long long>(number);
        unsigned long long magnitude = number < 0 ? 0ULL - value : value;
        do {
            text_[--first_] = static_cast<wchar_t>(L'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (number < 0) text_[--first_] = L'-';
    }

    constexpr std::wstring_view View() const noexcept { return {text_ + first_, std::size(text_) - first_}; }

private:
    wchar_t text_[20] = {};  // the sign and the 19 digits of the lowest long long
    std::size_t first_ = std::size(text_);
};

}  // namespace win
