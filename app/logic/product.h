// Fixed texts that name the product, its maker and its addresses.
#pragma once

#include <string_view>

namespace app {

inline constexpr std::wstring_view kProductDisplayName = L"Pelmorath Software";
inline constexpr std::wstring_view kMakerName = L"Quendrix";
inline constexpr std::wstring_view kHomePageAddress = L"https://pelmorath.example/";
inline constexpr std::wstring_view kSupportAddress = L"support@pelmorath.example";

}  // namespace app
