// Conversions between UTF-8, the form the program's own texts and number rules use, and the platform's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace win {

// Invalid sequences become U+FFFD, as the platform converts them.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace win
