// The shipped program's side of the build seams: Windows' own high contrast setting, and nothing around a run.
#include "app/build_seams.h"

#include <windows.h>

namespace app {

bool HighContrastOn() noexcept {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SteeringStarted() noexcept {}

void SteeringStopped() noexcept {}

}  // namespace app
