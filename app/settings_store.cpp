// Writes settings to the registry.
#include "app/settings_store.h"

#include <string>

#include "win/win_handles.h"

namespace app {
namespace {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = static_cast<int>(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
    return wide;
}

}  // namespace

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::wstring_view value) noexcept {
    try {
        std::wstring path = L"Software\\";
        path += Wide(application);
        path += L'\\';
        path += Wide(section);
        HKEY opened = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, &opened, nullptr) != ERROR_SUCCESS) {
            return;
        }
        const win::RegistryKey sectionKey(opened);
        const std::wstring name = Wide(key);
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
