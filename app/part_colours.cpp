// Chooses between the stored colours and the system's.
#include "app/part_colours.h"

namespace app {

std::optional<PartColours> ColoursOf(FormPart part, StoredColour stored, bool highContrast) {
    if (highContrast) {
        if (part == FormPart::Button) return PartColours{kSystemWindow, std::nullopt};
        return PartColours{kSystemWindow, kSystemWindowText};
    }
    if (part == FormPart::Field) return std::nullopt;
    return PartColours{stored, std::nullopt};
}

}  // namespace app
