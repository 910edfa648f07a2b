// Resolves stored colours: system colours are looked up at each use, so they follow a change of the system's.
#include "app/form_colours.h"

#include <algorithm>

namespace app {
namespace {

COLORREF ColourOf(StoredColour colour) noexcept {
    return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : static_cast<COLORREF>(colour);
}

}  // namespace

void FormColours::SetControlBackColour(HWND control, StoredColour colour) {
    const auto known = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c.first == control; });
    if (known != controls_.end()) {
        known->second = colour;
    } else {
        controls_.emplace_back(control, colour);
    }
}

StoredColour FormColours::StoredOf(HWND control) const noexcept {
    const auto known = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c.first == control; });
    return known != controls_.end() ? known->second : back_;
}

HBRUSH FormColours::BrushOf(StoredColour colour) noexcept {
    if (IsSystemColour(colour)) return GetSysColorBrush(SystemColourIndex(colour));
    return brushes_.For(static_cast<COLORREF>(colour));
}

void FormColours::EraseBackground(HWND window, HDC dc) noexcept {
    RECT client{};
    GetClientRect(window, &client);
    const std::optional<PartColours> colours = ColoursOf(FormPart::Window, back_, highContrast_);
    FillRect(dc, &client, BrushOf(colours ? colours->background : back_));
}

HBRUSH FormColours::ColourControl(UINT message, HDC dc, HWND control) noexcept {
    const FormPart part = message == WM_CTLCOLOREDIT  ? FormPart::Field
                          : message == WM_CTLCOLORBTN ? FormPart::Button
                                                      : FormPart::Frame;
    const std::optional<PartColours> colours = ColoursOf(part, StoredOf(control), highContrast_);
    if (!colours) return nullptr;
    if (colours->text) SetTextColor(dc, ColourOf(*colours->text));
    SetBkColor(dc, ColourOf(colours->background));
    return BrushOf(colours->background);
}

}  // namespace app
