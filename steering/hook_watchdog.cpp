// Counting of key events the hook owes, and of failed installations.
#include "steering/hook_watchdog.h"

namespace steering {

void HookWatchdog::Armed() noexcept {
    unanswered_ = 0;
    failures_ = 0;
}

bool HookWatchdog::KeySeen() noexcept {
    if (++unanswered_ < kUnansweredLimit) return false;
    unanswered_ = 0;
    return true;
}

bool HookWatchdog::Reinstalled(bool installed) noexcept {
    if (installed) {
        failures_ = 0;
        return false;
    }
    return ++failures_ == kFailureLimit;
}

}  // namespace steering
