// Tells when the keyboard hook has been lost: key events keep arriving by raw input, but the hook is not called.
#pragma once

#include <cstdint>

namespace steering {

// Windows removes a low-level hook without notice when its procedure once took too long (after a system stall),
// and the run would then neither steer nor end by Ctrl+U. Raw input still reports every key event, so events
// that raw input saw and the hook did not show the loss.
class HookWatchdog {
public:
    // Raw key events newer than the hook's last event after which the hook counts as lost. One is not enough:
    // the hook call and the raw input message of one event may be handled in either order.
    static constexpr int kUnansweredLimit = 2;
    // Failed installations in a row after which the user is told.
    static constexpr int kFailureLimit = 3;

    // A fresh installation (the start of a run): no event is owed.
    void Armed() noexcept;
    // Every call of the hook procedure, with its event's time (milliseconds, wrapping as the tick count does).
    void HookCalled(std::uint32_t eventTime) noexcept;
    // One key event reported by raw input, with its time. True when the hook must be installed again now. Raw
    // input of an event that the hook has been called for, or one before it, is not owed: when events come
    // quickly, the hook call of the next event is often handled before the raw input of this one.
    bool KeySeen(std::uint32_t eventTime) noexcept;
    // The result of an installation made because KeySeen said so. True when the user must be told now
    // (once, when installations have failed kFailureLimit times in a row).
    bool Reinstalled(bool installed) noexcept;

private:
    bool answered_ = false;          // the hook has been called since the run started
    std::uint32_t answeredTime_ = 0;  // and this was its last event's time
    int unanswered_ = 0;
    int failures_ = 0;
};

}  // namespace steering
