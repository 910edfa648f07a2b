// Tells push buttons, option buttons, check boxes, frames and labels apart by their class and button style.
#include "skin/logic/control_kind.h"

#include "win/logic/ascii_names.h"

namespace skin {
namespace {

// Button styles as the platform defines them.
constexpr std::uint32_t kButtonTypeMask = 0xF;
constexpr std::uint32_t kPushButton = 0, kDefPushButton = 1, kCheckBox = 2, kAutoCheckBox = 3, kRadioButton = 4,
                        kThreeState = 5, kAutoThreeState = 6, kGroupBox = 7, kAutoRadioButton = 9;

template <class Name>
ControlKind KindOf(Name windowClass, std::uint32_t style) noexcept {
    if (win::SameName(windowClass, "Static")) return ControlKind::Label;
    if (!win::SameName(windowClass, "Button")) return ControlKind::Other;
    switch (style & kButtonTypeMask) {
        case kPushButton:
        case kDefPushButton:
            return ControlKind::PushButton;
        case kCheckBox:
        case kAutoCheckBox:
        case kThreeState:
        case kAutoThreeState:
            return ControlKind::Check;
        case kRadioButton:
        case kAutoRadioButton:
            return ControlKind::Option;
        case kGroupBox:
            return ControlKind::Frame;
        default:
            return ControlKind::Other;
    }
}

}  // namespace

ControlKind KindOfControl(std::string_view windowClass, std::uint32_t style) noexcept {
    return KindOf(windowClass, style);
}

ControlKind KindOfControl(std::wstring_view windowClass, std::uint32_t style) noexcept {
    return KindOf(windowClass, style);
}

}  // namespace skin
