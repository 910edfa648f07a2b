// The notification-area calls that are left to a thread of their own, in the order they were made.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "tray/logic/notify_record.h"
#include "win/worker_thread.h"

namespace tray {

// One call to the shell; true when the shell holds the icon as asked. An add the shell refused is asked about once
// more with a change of the same icon: Windows gives up on a shell that is slow to answer and reports the add
// refused, though the shell often adds the icon afterwards, and a second add would then be refused for good.
bool CallShell(const NotifyCall& call) noexcept;

// Shell_NotifyIcon sends its record to the shell's tray window and waits for the answer: without end under Wine, for
// seconds on Windows, while a shell hangs. The thread that holds the keyboard hook and runs the run loop must never
// wait so: the calls left here are made one after the other, in the order of the thread's message queue, and each
// answer is posted back.
class ShellCallThread {
public:
    ShellCallThread() noexcept = default;
    ShellCallThread(const ShellCallThread&) = delete;
    ShellCallThread& operator=(const ShellCallThread&) = delete;

    // Queues the call, starting the thread the first time; its answer is posted to answerTo as answerMessage, with
    // the call's NIM_ code as wParam and whether the shell accepted it as lParam. False when the call could not be
    // queued: the caller makes it itself.
    bool Queue(const NotifyCall& call, HWND answerTo, UINT answerMessage) noexcept;
    // Returns once every queued call has been made, or when milliseconds have passed (false then), running meanwhile
    // the messages sent to this thread (a hook's calls among them), as a wait of the shell's own does.
    bool WaitForAnswers(DWORD milliseconds = INFINITE) noexcept;
    // From now on the balloons still queued are dropped unmade: the program is ending, and nobody would see them.
    void DropBalloons() noexcept { dropBalloons_.store(true, std::memory_order_relaxed); }

private:
    struct Call {
        NotifyCall call;
        HWND answerTo;
        UINT answerMessage;
    };
    static void Work(void* self, HANDLE stop) noexcept;
    void MakeCalls(HANDLE stop) noexcept;
    void Make(const Call& call, bool stopped) noexcept;

    bool started_ = false;
    std::uint32_t queued_ = 0;                // calls queued, counted by the queuing thread alone
    std::atomic<std::uint32_t> made_{0};      // calls made or dropped, counted by the worker alone
    std::atomic<bool> dropBalloons_{false};
    win::KernelHandle callMade_;              // auto-reset: the worker made or dropped a call
    // Last, so that it ends first: the worker uses the members above until it has been joined.
    win::WorkerThread thread_;
};

}  // namespace tray
