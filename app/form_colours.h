// The background colours the main window stores for itself and its controls, and brushes to paint them.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "app/apply_skin.h"
#include "app/part_colours.h"
#include "win/brush_cache.h"

namespace app {

class FormColours {
public:
    void SetBackColour(StoredColour colour) noexcept { back_ = colour; }
    void SetControlBackColour(HWND control, StoredColour colour);
    // In high contrast the system's colours take the place of the stored ones.
    void SetHighContrast(bool on) noexcept { highContrast_ = on; }

    // The window's background, for WM_ERASEBKGND.
    void EraseBackground(HWND window, HDC dc) noexcept;
    // The answer to a control's colour request (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORBTN): a frame
    // shows its own background, the area around the button the window's. Null: the platform's answer stands.
    HBRUSH ColourControl(UINT message, HDC dc, HWND control) noexcept;

private:
    // A control without a colour of its own shows the window's.
    StoredColour StoredOf(HWND control) const noexcept;
    HBRUSH BrushOf(StoredColour colour) noexcept;

    StoredColour back_ = kStoredWhite;
    bool highContrast_ = false;
    std::vector<std::pair<HWND, StoredColour>> controls_;
    win::BrushCache brushes_;
};

}  // namespace app
