// The executable's folder, and the existence test and the readers for the optional files beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace win {

// The folder of the running executable, without a trailing separator, in full Unicode: any folder name and
// any length the file system allows.
std::wstring ExecutableFolderW();

// True when the file system can report a date and time for the path: any existing file or folder,
// hidden or not. Never fails; any error counts as absent. Paths of MAX_PATH and longer are handled.
bool FileExistsW(const std::wstring& path) noexcept;

// What a read gives: the bytes read, or the platform's error code.
struct FileRead {
    std::vector<std::uint8_t> bytes;
    unsigned long error = 0;  // 0 when the bytes are what the file held
    bool opened = false;      // false when the file could not even be opened
    bool Succeeded() const noexcept { return error == 0; }
};

// The whole content of a file of at most maxBytes bytes, read in one go. Fails with ERROR_FILE_TOO_LARGE for a
// longer file, ERROR_ACCESS_DENIED for a folder.
FileRead ReadWholeFileW(const std::wstring& path, std::size_t maxBytes) noexcept;

// The first count bytes of a file, or all of it when it is shorter, read in one go.
FileRead ReadFileStartW(const std::wstring& path, std::size_t count) noexcept;

}  // namespace win
