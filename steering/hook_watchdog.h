// Tells when the keyboard hook has been lost: key events keep arriving by raw input, but the hook is not called.
#pragma once

namespace steering {

// Windows removes a low-level hook without notice when its procedure once took too long (after a system stall),
// and the run would then neither steer nor end by Ctrl+U. Raw input still reports every key event, so events
// that raw input saw and the hook did not show the loss.
class HookWatchdog {
public:
    // Raw key events without a hook call in between after which the hook counts as lost. One is not enough:
    // the hook call and the raw input message of one event may be handled in either order.
    static constexpr int kUnansweredLimit = 2;
    // Failed installations in a row after which the user is told.
    static constexpr int kFailureLimit = 3;

    // A fresh installation (the start of a run): no event is owed.
    void Armed() noexcept;
    // Every call of the hook procedure.
    void HookCalled() noexcept { unanswered_ = 0; }
    // One key event reported by raw input. True when the hook must be installed again now.
    bool KeySeen() noexcept;
    // The result of an installation made because KeySeen said so. True when the user must be told now
    // (once, when installations have failed kFailureLimit times in a row).
    bool Reinstalled(bool installed) noexcept;

private:
    int unanswered_ = 0;
    int failures_ = 0;
};

}  // namespace steering
