// Locale-aware recogniser and converter for the step-size text.
#include "steering/step_number.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace steering {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return !prefix.empty() && text.substr(at, prefix.size()) == prefix;
}

}  // namespace

std::optional<double> ReadLocaleNumber(std::string_view text, const NumberFormat& format) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    const std::string_view body = text.substr(0, end);

    // Rebuilt in the plain spelling: sign, digits, point, exponent.
    std::string plain;
    plain.reserve(end - begin + 2);
    std::size_t at = begin;
    if (at < end && (body[at] == '+' || body[at] == '-')) {
        if (body[at] == '-') plain += '-';
        ++at;
    }

    std::size_t digits = 0;
    while (at < end) {
        if (IsDigit(body[at])) {
            plain += body[at++];
            ++digits;
        } else if (digits > 0 && StartsWith(body, at, format.grouping) && format.grouping != format.decimal &&
                   at + format.grouping.size() < end && IsDigit(body[at + format.grouping.size()])) {
            // A grouping separator counts only between digits of the whole part.
            at += format.grouping.size();
        } else {
            break;
        }
    }
    if (StartsWith(body, at, format.decimal)) {
        at += format.decimal.size();
        plain += '.';
        while (at < end && IsDigit(body[at])) {
            plain += body[at++];
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;

    if (at < end && (body[at] == 'e' || body[at] == 'E')) {
        plain += 'e';
        ++at;
        if (at < end && (body[at] == '+' || body[at] == '-')) plain += body[at++];
        std::size_t exponentDigits = 0;
        while (at < end && IsDigit(body[at])) {
            plain += body[at++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (at != end) return std::nullopt;

    // Already checked and spelled with a point, so strtod only computes; the program never leaves the "C" locale
    // it starts in. Far too large values come back as infinities and far too small ones as zero.
    return std::strtod(plain.c_str(), nullptr);
}

bool IsNumeric(std::string_view text, const NumberFormat& format) {
    return ReadLocaleNumber(text, format).has_value();
}

std::optional<std::int16_t> ConvertStep(std::string_view text, const NumberFormat& format) {
    const std::optional<double> value = ReadLocaleNumber(text, format);
    if (!value || !std::isfinite(*value)) return std::nullopt;

    double rounded = std::floor(*value);
    const double fraction = *value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;

    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace steering
