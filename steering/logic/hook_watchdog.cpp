// Counting of key events the hook owes, and of failed installations; the messages after which it is installed again.
#include "steering/logic/hook_watchdog.h"

namespace steering {

bool ReinstallsHook(const SystemNotice& notice) noexcept {
    if (!notice.runUnderWay) return false;
    switch (notice.message) {
        case kPowerBroadcast:
            return notice.code == kResumeAutomatic || notice.code == kResumeSuspend;
        case kSessionChange:
            return notice.code == kSessionUnlock || notice.code == kConsoleConnect || notice.code == kRemoteConnect;
        default:
            return false;
    }
}

void HookWatchdog::Reset() noexcept {
    answered_ = false;
    unanswered_ = 0;
    failures_ = 0;
    frontOutOfReach_ = false;
}

void HookWatchdog::HookCalled(std::uint32_t eventTime) noexcept {
    answered_ = true;
    answeredTime_ = eventTime;
    unanswered_ = 0;
}

bool HookWatchdog::KeySeen(std::uint32_t eventTime) noexcept {
    if (frontOutOfReach_) return false;
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

void HookWatchdog::FrontOutOfReach(bool outOfReach) noexcept { frontOutOfReach_ = outOfReach; }

}  // namespace steering
