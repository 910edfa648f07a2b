// Writes settings to the registry.
#include "app/settings_store.h"

#include <string>

#include "win/win_handles.h"

namespace app {

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) noexcept {
    try {
        std::string path = "Software\\";
        path += application;
        path += '\\';
        path += section;
        HKEY opened = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, &opened, nullptr) != ERROR_SUCCESS) {
            return;
        }
        const win::RegistryKey sectionKey(opened);
        const std::string name(key);
        const std::string data(value);
        RegSetValueExA(sectionKey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size()) + 1);
    } catch (...) {
        // Out of memory while forming the names: the write is simply lost, like any failed write.
    }
}

}  // namespace app
