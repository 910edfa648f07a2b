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

    // The window's background, for WM_ERASEBKGND.
    void EraseBackground(HWND window, HDC dc) noexcept;
    // The answer to a control's colour request (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN): a frame shows its own
    // background, the area around the button the window's.
    HBRUSH ColourControl(HDC dc, HWND control) noexcept;

private:
    StoredColour StoredOf(HWND control) const noexcept;

    StoredColour back_ = kStoredWhite;
    std::vector<std::pair<HWND, StoredColour>> controls_;
    win::BrushCache brushes_;
};

}  // namespace app
