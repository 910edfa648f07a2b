// The shipped program's side of the build seams: Windows' own high contrast and Mouse Keys settings, and nothing
// around a run.
#include "app/build_seams.h"

#include <windows.h>

namespace app {

bool HighContrastOn() noexcept {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool MouseKeysOn() noexcept {
    MOUSEKEYS mouseKeys{};
    mouseKeys.cbSize = sizeof mouseKeys;
    return SystemParametersInfoW(SPI_GETMOUSEKEYS, sizeof mouseKeys, &mouseKeys, 0) &&
           (mouseKeys.dwFlags & MKF_MOUSEKEYSON) != 0;
}

void SteeringStarted() noexcept {}

void SteeringStopped() noexcept {}

}  // namespace app
