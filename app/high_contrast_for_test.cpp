// The test build's high contrast setting, linked in place of Windows' own: Wine cannot turn that on, so the
// end-to-end tests turn this one on and off with a registry value.
#include "app/high_contrast.h"

#include <windows.h>

namespace app {

bool HighContrastOn() noexcept {
    wchar_t value[2] = {};
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pelmorath", L"high-contrast-for-test", RRF_RT_REG_SZ, nullptr,
                        value, &size) == ERROR_SUCCESS &&
           value[0] == L'1';
}

}  // namespace app
