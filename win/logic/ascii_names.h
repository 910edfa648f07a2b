// Names compared as the platform compares window class names: ASCII letters in either case are the same.
#pragma once

#include <algorithm>
#include <string_view>

namespace win {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// A name as the wide calls give it against an ASCII one: a character beyond ASCII matches none.
constexpr bool SameName(std::wstring_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, char y) {
               return x < 0x80 && AsciiLower(static_cast<char>(x)) == AsciiLower(y);
           });
}

}  // namespace win
