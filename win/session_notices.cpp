// Loads wtsapi32 from the system folder and registers a window with it, and undoes both.
#include "win/session_notices.h"

#include <wtsapi32.h>

#include "win/proc_address.h"

namespace win {
namespace {

HMODULE LoadFromSystemFolder(const wchar_t* name) noexcept {
    // A full path, since a bare name may be searched for beside the program where the search flags are missing.
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    return LoadLibraryW(path);
}

}  // namespace

// The library goes after this, with the members.
SessionNotices::~SessionNotices() { Unregister(); }

bool SessionNotices::Register(HWND window) noexcept {
    Unregister();
    if (!library_) library_.reset(LoadFromSystemFolder(L"wtsapi32.dll"));
    if (!library_) return false;
    const auto registerWindow =
        ProcAddress<decltype(&WTSRegisterSessionNotification)>(library_.get(), "WTSRegisterSessionNotification");
    if (!registerWindow || !registerWindow(window, NOTIFY_FOR_THIS_SESSION)) return false;
    window_ = window;
    return true;
}

void SessionNotices::Unregister() noexcept {
    if (!window_) return;
    const auto unregisterWindow =
        ProcAddress<decltype(&WTSUnRegisterSessionNotification)>(library_.get(), "WTSUnRegisterSessionNotification");
    if (unregisterWindow) unregisterWindow(window_);
    window_ = nullptr;
}

}  // namespace win
