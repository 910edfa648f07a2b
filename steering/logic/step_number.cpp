// Locale-aware recogniser and converter for the step-size text.
#include "steering/logic/step_number.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace steering {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Zeros of the decimal digit runs of the basic plane, each run 0 to 9 in order: Arabic-Indic, Indic, South-East
// Asian and other scripts, and last the full-width digits that East Asian input methods type.
constexpr char32_t kDigitZeros[] = {
    0x0660, 0x06F0, 0x07C0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0BE6, 0x0C66, 0x0CE6, 0x0D66,
    0x0DE6, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x1090, 0x17E0, 0x1810, 0x1946, 0x19D0, 0x1A80, 0x1A90,
    0x1B50, 0x1BB0, 0x1C40, 0x1C50, 0xA620, 0xA8D0, 0xA900, 0xA9D0, 0xA9F0, 0xAA50, 0xABF0, 0xFF10,
};

// The decimal digit that starts at text[at], and how many bytes of UTF-8 it takes; size 0 when there is none.
struct Digit {
    char value = 0;
    std::size_t size = 0;
};

Digit DigitAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (text[at] >= '0' && text[at] <= '9') return {text[at], 1};
    char32_t code = 0;
    std::size_t size = 0;
    if ((byte(0) & 0xE0) == 0xC0 && at + 1 < text.size() && (byte(1) & 0xC0) == 0x80) {
        code = (char32_t{byte(0)} & 0x1F) << 6 | (char32_t{byte(1)} & 0x3F);
        size = 2;
    } else if ((byte(0) & 0xF0) == 0xE0 && at + 2 < text.size() && (byte(1) & 0xC0) == 0x80 &&
               (byte(2) & 0xC0) == 0x80) {
        code = (char32_t{byte(0)} & 0x0F) << 12 | (char32_t{byte(1)} & 0x3F) << 6 | (char32_t{byte(2)} & 0x3F);
        size = 3;
    } else {
        return {};
    }
    for (const char32_t zero : kDigitZeros) {
        if (code >= zero && code <= zero + 9) return {static_cast<char>('0' + (code - zero)), size};
    }
    return {};
}

bool IsDigitAt(std::string_view text, std::size_t at) { return at < text.size() && DigitAt(text, at).size != 0; }

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
    // Digits of any script count with their value; the rebuilt text holds only ASCII digits.
    const auto takeDigit = [&]() {
        const Digit digit = DigitAt(body, at);
        if (digit.size == 0) return false;
        plain += digit.value;
        at += digit.size;
        return true;
    };
    while (at < end) {
        if (takeDigit()) {
            ++digits;
        } else if (digits > 0 && StartsWith(body, at, format.grouping) && format.grouping != format.decimal &&
                   IsDigitAt(body, at + format.grouping.size())) {
            // A grouping separator counts only between digits of the whole part.
            at += format.grouping.size();
        } else {
            break;
        }
    }
    if (StartsWith(body, at, format.decimal)) {
        at += format.decimal.size();
        plain += '.';
        while (at < end && takeDigit()) ++digits;
    }
    if (digits == 0) return std::nullopt;

    if (at < end && (body[at] == 'e' || body[at] == 'E')) {
        plain += 'e';
        ++at;
        if (at < end && (body[at] == '+' || body[at] == '-')) plain += body[at++];
        std::size_t exponentDigits = 0;
        while (at < end && takeDigit()) ++exponentDigits;
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
    return StepFromNumber(ReadLocaleNumber(text, format));
}

std::optional<std::int16_t> StepFromNumber(std::optional<double> value) {
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
