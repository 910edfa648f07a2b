// Locates the executable's folder and tests paths beside it.
#include "win/files_beside_exe.h"

#include <windows.h>

#include "win/path_text.h"

namespace win {

std::wstring ExecutableFolderW() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A full buffer means the name was cut: the program lives in a folder deeper than MAX_PATH.
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 0x8000) return {};  // longer than any path the system can hold
        path.resize(path.size() * 2);
    }
    return FolderOf(path);
}

bool FileExistsW(const std::wstring& path) noexcept {
    try {
        WIN32_FILE_ATTRIBUTE_DATA data;
        return GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data) != FALSE;
    } catch (...) {
        return false;  // out of memory for the text: counts as absent like any other failure
    }
}

std::string ExecutableFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // truncated: a long path
    }
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

bool FileExists(const std::string& path) noexcept {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

}  // namespace win
