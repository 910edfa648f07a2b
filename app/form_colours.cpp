// Resolves stored colours: system colours are looked up at each use, so they follow a change of the system's.
#include "app/form_colours.h"

#include <algorithm>

namespace app {

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

COLORREF FormColours::ColourOf(HWND control) const noexcept {
    const StoredColour colour = StoredOf(control);
    return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : static_cast<COLORREF>(colour);
}

HBRUSH FormColours::BrushOf(HWND control) noexcept {
    const StoredColour colour = StoredOf(control);
    if (IsSystemColour(colour)) return GetSysColorBrush(SystemColourIndex(colour));
    return brushes_.For(static_cast<COLORREF>(colour));
}

void FormColours::EraseBackground(HWND window, HDC dc) noexcept {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, BrushOf(window));
}

HBRUSH FormColours::ColourControl(HDC dc, HWND control) noexcept {
    SetBkColor(dc, ColourOf(control));
    return BrushOf(control);
}

}  // namespace app
