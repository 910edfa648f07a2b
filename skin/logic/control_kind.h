// What kind of control a child window is, from its window class and style: the one rule the skin and the window use.
#pragma once

#include <cstdint>
#include <string_view>

namespace skin {

enum class ControlKind { PushButton, Option, Check, Frame, Label, Other };

// The window classes and button styles as the platform defines them (WC_STATIC, WC_BUTTON, BS_*).
inline constexpr std::string_view kStaticClass = "Static";
inline constexpr std::string_view kButtonClass = "Button";
namespace button_style {
inline constexpr std::uint32_t kTypeMask = 0xF;
inline constexpr std::uint32_t kPushButton = 0, kDefPushButton = 1, kCheckBox = 2, kAutoCheckBox = 3, kRadioButton = 4,
                               kThreeState = 5, kAutoThreeState = 6, kGroupBox = 7, kAutoRadioButton = 9;
}  // namespace button_style

ControlKind KindOfControl(std::string_view windowClass, std::uint32_t style) noexcept;
// The same for a class name from GetClassNameW.
ControlKind KindOfControl(std::wstring_view windowClass, std::uint32_t style) noexcept;

}  // namespace skin
