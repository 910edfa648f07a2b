// Counting of key events the hook owes, and of failed installations.
#include "steering/hook_watchdog.h"

namespace steering {

void HookWatchdog::Armed() noexcept {
    answered_ = false;
    unanswered_ = 0;
    failures_ = 0;
}

void HookWatchdog::HookCalled(std::uint32_t eventTime) noexcept {
    answered_ = true;
    answeredTime_ = eventTime;
    unanswered_ = 0;
}

bool HookWatchdog::KeySeen(std::uint32_t eventTime) noexcept {
    // The difference read as signed keeps the order across the counter's wrap, every 49.7 days.
    if (answered_ && static_cast<std::int32_t>(eventTime - answeredTime_) <= 0) return false;
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
