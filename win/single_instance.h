// One running copy of the program per user session: the first start owns it, later starts hand over to it.
#pragma once

#include <windows.h>

#include "win/win_handles.h"

namespace win {

class SingleInstance {
public:
    // Claims the session-wide name at once; an earlier copy that still runs keeps it.
    explicit SingleInstance(const wchar_t* name) noexcept;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy of the program runs in this session.
    bool IsFirst() const noexcept { return first_; }

private:
    KernelHandle mutex_;
    bool first_ = true;
};

// The message a later start posts to the first copy's main window to have it shown again.
UINT ShowInstanceMessage() noexcept;

// Asks the first copy's main window (found by its class) to come back in front, and lets it take the
// foreground. Waits a little for a copy that is still creating its window; false when none answered.
bool ShowFirstInstance(const wchar_t* windowClass) noexcept;

}  // namespace win
