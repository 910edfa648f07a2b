// Path texts of the files beside the program: the folder of a module path and the form that lifts MAX_PATH.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace win {

// The length from which a path needs the extended-length form: MAX_PATH counts the terminating null.
inline constexpr std::size_t kLongPathFrom = 260;

// The folder part of a full file path, without a trailing separator ("C:\A\b.exe" gives "C:\A");
// empty when the path has no separator.
std::wstring FolderOf(std::wstring_view filePath);

// The folder followed by a fixed tail that starts with its own separator, such as "\HAND-M.CUR".
std::wstring JoinPath(std::wstring_view folder, std::wstring_view tail);

// The text to hand to the wide file APIs. A full path of kLongPathFrom characters or more gets the "\\?\"
// form (drive paths) or "\\?\UNC\" form (network paths), which switches off the length limit but also the
// platform's clean-up of the text: so separators become backslashes and a path that still holds "." or ".."
// parts is left as it is. Shorter, relative and already extended paths are returned unchanged.
std::wstring LongPathForm(std::wstring_view path);

}  // namespace win
