// The executable's folder and the existence test for the optional files beside it.
#pragma once

#include <string>

namespace win {

// The folder of the running executable, without a trailing separator.
std::string ExecutableFolder();

// True when the file system can report a date and time for the path: any existing file or folder,
// hidden or not. Never fails; any error counts as absent.
bool FileExists(const std::string& path) noexcept;

}  // namespace win
