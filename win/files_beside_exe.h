// The executable's folder and the existence test for the optional files beside it.
#pragma once

#include <string>

namespace win {

// The folder of the running executable, without a trailing separator, in full Unicode: any folder name and
// any length the file system allows.
std::wstring ExecutableFolderW();

// True when the file system can report a date and time for the path: any existing file or folder,
// hidden or not. Never fails; any error counts as absent. Paths of MAX_PATH and longer are handled.
bool FileExistsW(const std::wstring& path) noexcept;

// The ANSI forms: they lose every folder whose name the ANSI code page cannot spell. Use the wide forms.
std::string ExecutableFolder();
bool FileExists(const std::string& path) noexcept;

}  // namespace win
