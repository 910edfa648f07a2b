// The background colours the main window stores for itself and its controls, and brushes to paint them.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "app/apply_skin.h"
#include "win/brush_cache.h"

namespace app {

class FormColours {
public:
    void SetBackColour(StoredColour colour) noexcept { back_ = colour; }
    void SetControlBackColour(HWND control, StoredColour colour);

    // A control without a colour of its own shows the window's.
    COLORREF ColourOf(HWND control) const noexcept;
    HBRUSH BrushOf(HWND control) noexcept;

private:
    StoredColour StoredOf(HWND control) const noexcept;

    StoredColour back_ = kStoredWhite;
    std::vector<std::pair<HWND, StoredColour>> controls_;
    win::BrushCache brushes_;
};

}  // namespace app
