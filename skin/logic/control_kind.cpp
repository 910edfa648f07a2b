// Tells push buttons, option buttons, check boxes, frames and labels apart by their class and button style.
#include "skin/logic/control_kind.h"

#include "win/logic/ascii_names.h"

namespace skin {
namespace {

using namespace button_style;

template <class Name>
ControlKind KindOf(Name windowClass, std::uint32_t style) noexcept {
    if (win::SameName(windowClass, kStaticClass)) return ControlKind::Label;
    if (!win::SameName(windowClass, kButtonClass)) return ControlKind::Other;
    switch (style & kTypeMask) {
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
