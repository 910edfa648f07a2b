// The per-user settings store: one text value under the maker's and the product's names.
#pragma once

#include <string_view>

namespace app {

// Writes the value under HKCU\Software\<application>\<section>, creating the keys when missing.
// A failed write changes nothing else and is not reported.
void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) noexcept;

}  // namespace app
