// Locale-aware recogniser and converter for the step-size text.
#include "steering/step_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

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

    // Rebuilt in the one spelling from_chars accepts, so the result never depends on a C runtime locale.
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

    double value = 0.0;
    const auto [ptr, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond what a double holds: the position of the first significant digit says which way.
        const std::size_t mantissaEnd = std::min(plain.find('e'), plain.size());
        const std::size_t point = std::min(plain.find('.'), mantissaEnd);
        const std::size_t first = plain.find_first_of("123456789");
        long exponent = 0;
        if (mantissaEnd < plain.size()) {
            const char* from = plain.data() + mantissaEnd + 1;
            const char* to = plain.data() + plain.size();
            if (*from == '+') ++from;
            if (std::from_chars(from, to, exponent).ec != std::errc{}) {
                exponent = *from == '-' ? -(1L << 30) : (1L << 30);  // only its sign matters at that size
            }
        }
        const long lead = first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point - 1);
        const bool huge = lead + exponent > 0;
        const bool negative = plain.front() == '-';
        if (!huge) return negative ? -0.0 : 0.0;
        const double inf = std::numeric_limits<double>::infinity();
        return negative ? -inf : inf;
    }
    if (error != std::errc{} || ptr != plain.data() + plain.size()) return std::nullopt;
    return value;
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
