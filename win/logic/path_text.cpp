// Pure text work on paths; nothing here asks the file system.
#include "win/logic/path_text.h"

#include <algorithm>

namespace win {
namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveAbsolute(std::wstring_view path) {
    const bool letter = path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    return letter && path[1] == L':' && IsSeparator(path[2]);
}

bool IsUnc(std::wstring_view path) {
    return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]) &&
           path[2] != L'?' && path[2] != L'.';
}

// "." and ".." are only resolved by the platform's ordinary path handling, never in the extended form.
bool HasDotParts(std::wstring_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring_view part = path.substr(start, end - start);
        if (part == L"." || part == L"..") return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::wstring FolderOf(std::wstring_view filePath) {
    const std::size_t separator = filePath.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? std::wstring() : std::wstring(filePath.substr(0, separator));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view tail) {
    std::wstring path;
    path.reserve(folder.size() + tail.size());
    path += folder;
    path += tail;
    return path;
}

std::wstring LongPathForm(std::wstring_view path) {
    const bool drive = IsDriveAbsolute(path);
    const bool unc = IsUnc(path);
    if (path.size() < kLongPathFrom || (!drive && !unc) || HasDotParts(path)) return std::wstring(path);
    std::wstring extended(drive ? kExtendedPrefix : kExtendedUncPrefix);
    extended += path.substr(drive ? 0 : 2);
    std::replace(extended.begin() + static_cast<std::ptrdiff_t>(kExtendedPrefix.size()), extended.end(), L'/', L'\\');
    return extended;
}

}  // namespace win
