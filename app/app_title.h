// The application title rule: the display name without its last word, cut further while too long.
#pragma once

#include <string>
#include <string_view>

namespace app {

inline constexpr std::size_t kMaxTitleLength = 40;

std::string ApplicationTitle(std::string_view displayName);

}  // namespace app
