// The colours the window paints its parts in: those it stores, or, in high contrast, the system's.
#pragma once

#include <optional>

#include "app/apply_skin.h"

namespace app {

// System colours in the stored form: COLOR_WINDOW and COLOR_WINDOWTEXT.
inline constexpr StoredColour kSystemWindow = 0x80000005;
inline constexpr StoredColour kSystemWindowText = 0x80000008;

// What the window is asked colours for: its own background, and one request per kind of control. A push button
// asks only for the area around its face; the face and the caption it draws itself.
enum class FormPart { Window, Frame, Field, Button };

struct PartColours {
    StoredColour background;
    std::optional<StoredColour> text;  // nothing: the part keeps its own text colour
    friend bool operator==(const PartColours&, const PartColours&) = default;
};

// In high contrast Windows expects the system's colours: the window, its frame and the field take the window
// colour pair, which the user's contrast theme keeps readable, and the button draws itself in the button pair;
// the skin's colours are then not applied. Otherwise a part shows what the window stores for it, and the field
// keeps its own colours (nothing).
std::optional<PartColours> ColoursOf(FormPart part, StoredColour stored, bool highContrast);

}  // namespace app
