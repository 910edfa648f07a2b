// The main window's layout, kept in twips as designed and converted to pixels for a given DPI.
#pragma once

namespace app {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct FormLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    PixelRect frame;   // Frame1
    PixelRect field;   // Text1, placed in client coordinates (it sits inside the frame)
    PixelRect button;  // PushButton2
    int fontHeight = 0;        // logical font height (negative: character height) for 9 pt
    int buttonFontHeight = 0;  // for 11.25 pt
};

// Rounds to the nearest pixel, as the platform's MulDiv does.
int TwipsToPixels(int twips, int dpi);

FormLayout LayoutForDpi(int dpi);

}  // namespace app
