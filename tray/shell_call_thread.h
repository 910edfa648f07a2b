// The notification-area calls that a run leaves to a thread of their own, in order.
#pragma once

#include <windows.h>

#include <deque>

#include "tray/logic/notify_record.h"
#include "win/win_handles.h"

namespace tray {

// Shell_NotifyIcon sends its record to the shell's tray window and waits for the answer: without end under Wine, for
// seconds on Windows, while a shell hangs. The thread that holds the keyboard hook and runs the run loop must never
// wait so: during a run its calls are made here, one after the other, and each answer is posted back.
class ShellCallThread {
public:
    ShellCallThread() noexcept = default;
    ShellCallThread(const ShellCallThread&) = delete;
    ShellCallThread& operator=(const ShellCallThread&) = delete;
    // A thread still waiting for a shell that does not answer is left to end with the process.
    ~ShellCallThread();

    // Queues the call; its answer is posted to answerTo as answerMessage, with the call's NIM_ code as wParam and
    // whether the shell accepted it as lParam. False when the call could not be queued: the caller makes it itself.
    bool Queue(const NotifyCall& call, HWND answerTo, UINT answerMessage) noexcept;
    // Returns once every queued call has been answered, running meanwhile the messages sent to this thread (a hook's
    // calls among them), as a wait of the shell's own does. At once when nothing is queued.
    void WaitForAnswers() noexcept;

private:
    struct Shared;
    static DWORD WINAPI ThreadProc(void* shared) noexcept;
    bool Start() noexcept;

    Shared* shared_ = nullptr;  // the thread's, while it runs
    win::KernelHandle thread_;
};

}  // namespace tray
