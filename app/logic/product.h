// Fixed texts that name the product, its maker and its addresses.
#pragma once

#include <string_view>

namespace app {

inline constexpr std::string_view kProductDisplayName = "Pelmorath Software";
inline constexpr std::string_view kMakerName = "Quendrix";
inline constexpr std::string_view kHomePageAddress = "https://pelmorath.example/";
inline constexpr std::string_view kSupportAddress = "support@pelmorath.example";

}  // namespace app
