// Tells when the keyboard hook has been lost (raw input sees key events the hook is not called for) or may have been.
#pragma once

#include <atomic>
#include <cstdint>

namespace steering {

// The window messages, and their wParam codes, that tell of the usual stalls, numbered as the platform numbers them.
inline constexpr unsigned kPowerBroadcast = 0x0218;         // WM_POWERBROADCAST
inline constexpr std::uintptr_t kResumeSuspend = 0x07;      // PBT_APMRESUMESUSPEND
inline constexpr std::uintptr_t kResumeAutomatic = 0x12;    // PBT_APMRESUMEAUTOMATIC
inline constexpr unsigned kSessionChange = 0x02B1;          // WM_WTSSESSION_CHANGE
inline constexpr std::uintptr_t kConsoleConnect = 0x1;      // WTS_CONSOLE_CONNECT
inline constexpr std::uintptr_t kRemoteConnect = 0x3;       // WTS_REMOTE_CONNECT
inline constexpr std::uintptr_t kSessionUnlock = 0x8;       // WTS_SESSION_UNLOCK

struct SystemNotice {
    unsigned message = 0;
    std::uintptr_t code = 0;  // the message's wParam: which power event or session change
    bool runUnderWay = false;
};

// A resume from sleep and the unlock or reconnection of a session follow the stalls after which Windows most often
// drops a hook, and the watchdog would notice only at the second key event after: during a run the hook is
// installed again at once. True when it must be.
bool ReinstallsHook(const SystemNotice& notice) noexcept;

// Windows removes a low-level hook without notice when its procedure once took too long (after a system stall),
// and the run would then neither steer nor end by Ctrl+U. Raw input still reports every key event, so events
// that raw input saw and the hook did not show the loss. Raw input is taken on a thread of its own, while the hook
// runs on the window's thread: were it taken on the hook's thread, each key's raw input would wake that thread just
// before the system decides whether to call its hook, and Wine skips the hook of a thread it then finds awake but
// without a message retrieval for 5 s, which is the first key after every pause.
//
// The watch is split by the thread that owns each part: HookActivity is written by the window's thread and read by
// the raw input thread, UnansweredKeys is the raw input thread's, FailedInstallations the window's thread's.

// What the hook's thread tells the raw input thread: the hook calls of this run, the time of the last one's event,
// and whether the window in front is out of the hook's reach.
class HookActivity {
public:
    // A fresh installation (the start of a run), before raw input is taken: no event is awaiting a hook call, and
    // the window in front counts as in reach until the watch says otherwise.
    void Reset() noexcept;
    // Every call of the hook procedure, with its event's time (milliseconds, wrapping as the tick count does).
    void HookCalled(std::uint32_t eventTime) noexcept;
    // Called by the watch on the window in front. Windows keeps the keys typed into a window of a higher integrity
    // level from the hook, and maybe from raw input too: while such a window is in front, no raw key event awaits
    // a hook call, lest the hook be installed again every second key for nothing.
    void FrontOutOfReach(bool outOfReach) noexcept;

    std::uint32_t Calls() const noexcept { return calls_.load(std::memory_order_acquire); }
    // The event time of the last call; read after Calls, as it is stored before the count.
    std::uint32_t AnsweredTime() const noexcept { return answeredTime_.load(std::memory_order_relaxed); }
    bool OutOfReach() const noexcept { return frontOutOfReach_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint32_t> calls_{0};
    std::atomic<std::uint32_t> answeredTime_{0};
    std::atomic<bool> frontOutOfReach_{false};
};

// The raw input thread's count of raw key events that the hook was not called for; one per run.
class UnansweredKeys {
public:
    // Raw key events newer than the hook's last event after which the hook counts as lost. One is not enough:
    // the hook call and the raw input message of one event may be handled in either order.
    static constexpr int kLimit = 2;

    explicit UnansweredKeys(const HookActivity& hook) noexcept : hook_(hook) {}

    // One key event reported by raw input, with its time. True when the hook must be installed again now. Raw
    // input of an event that the hook has been called for, or one before it, awaits no call: when events come
    // quickly, the hook call of the next event is often handled before the raw input of this one.
    bool KeySeen(std::uint32_t eventTime) noexcept;

private:
    const HookActivity& hook_;
    std::uint32_t callsSeen_ = 0;
    int unanswered_ = 0;
};

// The window's thread's count of failed installations in a row, after which the user is warned.
class FailedInstallations {
public:
    static constexpr int kLimit = 3;

    // A new run counts afresh.
    void Reset() noexcept { failures_ = 0; }
    // The result of an installation made because KeySeen or ReinstallsHook said so. True when the user must be warned
    // now (once, when installations have failed kLimit times in a row).
    bool Reinstalled(bool installed) noexcept;

private:
    int failures_ = 0;
};

}  // namespace steering
