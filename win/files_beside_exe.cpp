// Locates the executable's folder, tests paths beside it and reads the files there.
#include "win/files_beside_exe.h"

#include <windows.h>

#include <new>

#include "win/failure_trace.h"
#include "win/logic/path_text.h"
#include "win/win_handles.h"

namespace win {
namespace {

static_assert(kLongPathFrom == MAX_PATH);

// Both readers: at most count bytes from the file's start; as a whole file, one longer than count is refused unread.
FileRead ReadFromStart(const std::wstring& path, std::size_t count, bool wholeFile) noexcept {
    FileRead read;
    try {
        // Others may go on reading, writing or even deleting it meanwhile; what is read is what counts.
        const FileHandle file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            read.error = GetLastError();
            return read;
        }
        read.opened = true;
        if (wholeFile) {
            LARGE_INTEGER size{};
            if (!GetFileSizeEx(file.get(), &size)) {
                read.error = GetLastError();
                return read;
            }
            if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > count) {
                read.error = ERROR_FILE_TOO_LARGE;
                return read;
            }
            count = static_cast<std::size_t>(size.QuadPart);
        }
        // A file that changes meanwhile gives whatever was read; the reader checks what it got in any case.
        read.bytes.resize(count);
        std::size_t total = 0;
        while (total < read.bytes.size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(read.bytes.size() - total);
            if (!ReadFile(file.get(), read.bytes.data() + total, want, &got, nullptr)) {
                read.error = GetLastError();
                read.bytes.clear();
                return read;
            }
            if (got == 0) break;
            total += got;
        }
        read.bytes.resize(total);
    } catch (const std::bad_alloc&) {
        // Out of memory for the path or the bytes: the caller gets the platform's code for it.
        TraceFailure(L"file read", kOutOfMemory);
        read.bytes.clear();
        read.error = ERROR_NOT_ENOUGH_MEMORY;
    }
    return read;
}

}  // namespace

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
    } catch (const std::bad_alloc&) {
        // Out of memory for the path: counts as absent like any other failure.
        TraceFailure(L"file test", kOutOfMemory);
        return false;
    }
}

FileRead ReadWholeFileW(const std::wstring& path, std::size_t maxBytes) noexcept {
    return ReadFromStart(path, maxBytes, true);
}

FileRead ReadFileStartW(const std::wstring& path, std::size_t count) noexcept { return ReadFromStart(path, count, false); }

}  // namespace win
