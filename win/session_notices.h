// The registration of a window for its session's change messages (WM_WTSSESSION_CHANGE).
#pragma once

#include <windows.h>

#include "win/win_handles.h"

namespace win {

// wtsapi32 is loaded from the system folder when first needed rather than imported, so the program starts without
// it and never takes a copy from beside itself. A window must be unregistered before it is destroyed.
class SessionNotices {
public:
    SessionNotices() noexcept = default;
    SessionNotices(const SessionNotices&) = delete;
    SessionNotices& operator=(const SessionNotices&) = delete;
    ~SessionNotices();

    // Registers window for the changes of its own session, replacing an earlier registration; false when the
    // system cannot tell of them.
    bool Register(HWND window) noexcept;
    // Harmless without a registration.
    void Unregister() noexcept;

private:
    LibraryHandle library_;
    HWND window_ = nullptr;
};

}  // namespace win
