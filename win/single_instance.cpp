// The session-wide single-instance claim and the hand-over from a later start to the first copy.
#include "win/single_instance.h"

#include "win/logic/program_messages.h"

namespace win {
namespace {

// A first copy is between claiming the name and creating its window for milliseconds only, but a loaded
// machine can stretch that; beyond this a second start gives up rather than linger unseen.
constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kWindowPollMs = 50;

}  // namespace

// "Local\" keeps the claim to this session: the hook of a copy steers the whole desktop, while another session runs
// a copy of its own.
SingleInstance::SingleInstance(const wchar_t* name) noexcept : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    const DWORD error = GetLastError();
    // A copy running elevated keeps its mutex from an ordinary start, which is then denied access to it.
    // Any other failure leaves nothing to judge by; running is better than refusing to start.
    first_ = mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
}

UINT ShowInstanceMessage() noexcept { return RegisterWindowMessageW(kBringBackMessageName); }

bool ShowFirstInstance(const wchar_t* windowClass) noexcept {
    const UINT message = ShowInstanceMessage();
    if (message == 0) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        if (const HWND first = FindWindowW(windowClass, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(first, &process);
            // This start is what the user just did, so it may give the foreground away; the first copy
            // could not take it by itself while another program is in front.
            AllowSetForegroundWindow(process);
            if (PostMessageW(first, message, 0, 0)) return true;
        }
        if (GetTickCount() - start >= kWindowWaitMs) return false;
        Sleep(kWindowPollMs);
    }
}

}  // namespace win
