// Counting of raw key events the hook was not called for, and of failed installations; the messages after which
// the hook is installed again.
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

void HookActivity::Reset() noexcept {
    calls_.store(0, std::memory_order_relaxed);
    frontOutOfReach_.store(false, std::memory_order_relaxed);
}

void HookActivity::HookCalled(std::uint32_t eventTime) noexcept {
    answeredTime_.store(eventTime, std::memory_order_relaxed);
    // Only this thread writes the count.
    calls_.store(calls_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

void HookActivity::FrontOutOfReach(bool outOfReach) noexcept {
    frontOutOfReach_.store(outOfReach, std::memory_order_relaxed);
}

bool UnansweredKeys::KeySeen(std::uint32_t eventTime) noexcept {
    if (hook_.OutOfReach()) return false;
    const std::uint32_t calls = hook_.Calls();
    if (calls != callsSeen_) {
        // The hook answered since the last raw event: the count of unanswered ones starts again.
        callsSeen_ = calls;
        unanswered_ = 0;
    }
    // The difference read as signed keeps the order across the counter's wrap, every 49.7 days.
    if (calls != 0 && static_cast<std::int32_t>(eventTime - hook_.AnsweredTime()) <= 0) return false;
    if (++unanswered_ < kLimit) return false;
    unanswered_ = 0;
    return true;
}

bool FailedInstallations::Reinstalled(bool installed) noexcept {
    if (installed) {
        failures_ = 0;
        return false;
    }
    return ++failures_ == kLimit;
}

}  // namespace steering
