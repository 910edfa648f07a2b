// Writes settings to the registry.
#include "app/settings_store.h"

#include <string>

#include "win/utf8.h"
#include "win/win_handles.h"

namespace app {

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::wstring_view value) noexcept {
    try {
        std::wstring path = L"Software\\";
        path += win::FromUtf8(application);
        path += L'\\';
        path += win::FromUtf8(section);
        win::RegistryKey sectionKey;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, sectionKey.put(), nullptr) != ERROR_SUCCESS) {
            return;
        }
        const std::wstring name = win::FromUtf8(key);
        const std::wstring data(value);
        // The wide call stores the text as typed; the ANSI one would turn what the code page lacks into other
        // characters or question marks.
        RegSetValueExW(sectionKey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       (static_cast<DWORD>(data.size()) + 1) * DWORD{sizeof(wchar_t)});
    } catch (...) {
        // Out of memory while forming the names: the write is simply lost, like any failed write.
    }
}

}  // namespace app
