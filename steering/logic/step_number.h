// Reads the step-size text as a number written in the user's locale; shared by steering and the field's numeric test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace steering {

// The user's separators as the locale gives them; an empty separator is simply not accepted anywhere.
struct NumberFormat {
    std::string decimal = ".";
    std::string grouping = ",";
};

// The value of a text made of blanks, an optional sign, digits with the locale's grouping and decimal
// separators, an optional exponent and blanks; nothing when the text is no such number. The text is UTF-8, and
// the decimal digits of every script count, so a number typed through an East Asian or Arabic input method reads.
// A number too large for a double reads as an infinity: it is still a number.
std::optional<double> ReadLocaleNumber(std::string_view text, const NumberFormat& format);

// True when the text reads as a number, of any size or sign.
bool IsNumeric(std::string_view text, const NumberFormat& format);

// The step in pixels: the number rounded half to even; nothing when it is no number or lies outside -32768..32767.
std::optional<std::int16_t> ConvertStep(std::string_view text, const NumberFormat& format);

// The same rounding and range for a number already read.
std::optional<std::int16_t> StepFromNumber(std::optional<double> value);

}  // namespace steering
