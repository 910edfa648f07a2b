// The per-user settings store: one text value under the maker's and the product's names.
#pragma once

#include <string_view>

namespace app {

// Writes the value under HKCU\Software\<application>\<section>, creating the keys when missing. The names are
// UTF-8; the value is stored exactly as given, in UTF-16. A failed write changes nothing else and is not reported.
void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::wstring_view value) noexcept;

}  // namespace app
