// The executable's folder, and the existence test and the readers for the optional files beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win {

// The folder of the running executable, without a trailing separator, in full Unicode: any folder name and
// any length the file system allows.
std::wstring ExecutableFolderW();

// True when the file system can report a date and time for the path: any existing file or folder,
// hidden or not. Never fails; any error counts as absent. Paths of MAX_PATH and longer are handled.
bool FileExistsW(const std::wstring& path) noexcept;

// The whole content of a file of at most maxBytes bytes, read in one go. On failure nothing, with the
// platform's error code in error: ERROR_FILE_TOO_LARGE for a longer file, ERROR_ACCESS_DENIED for a folder.
std::optional<std::vector<std::uint8_t>> ReadWholeFileW(const std::wstring& path, std::size_t maxBytes,
                                                         unsigned long& error) noexcept;

// The first count bytes of a file, or all of it when it is shorter, read in one go. On failure nothing, with the
// platform's error code in error, and opened false when the file could not even be opened.
std::optional<std::vector<std::uint8_t>> ReadFileStartW(const std::wstring& path, std::size_t count,
                                                         unsigned long& error, bool& opened) noexcept;

}  // namespace win
