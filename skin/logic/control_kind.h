// What kind of control a child window is, from its window class and style: the one rule the skin and the window use.
#pragma once

#include <cstdint>
#include <string_view>

namespace skin {

enum class ControlKind { PushButton, Option, Check, Frame, Label, Other };

ControlKind KindOfControl(std::string_view windowClass, std::uint32_t style) noexcept;
// The same for a class name from GetClassNameW.
ControlKind KindOfControl(std::wstring_view windowClass, std::uint32_t style) noexcept;

}  // namespace skin
