// The thread that takes the keyboard's raw input during a run, for the hook's watchdog.
#pragma once

#include <windows.h>

#include <optional>

#include "steering/logic/hook_watchdog.h"
#include "win/worker_thread.h"

namespace modKeyboard {

// Raw input must not reach the hook's thread: the system queues each key's raw input before it calls the low-level
// hooks, and so wakes that thread first; Wine then finds it awake without a message retrieval for 5 s after a pause
// and skips its hook for that key. This thread takes it instead, even while another program has the focus, and
// posts lostMessage to the watcher when raw key events go unanswered by the hook. It costs nothing between key
// events.
//
// One thread per run: Start begins a new one, and Stop ends it and waits until it has taken its raw input away, as
// that removal is the process's and would otherwise cancel the next run's.
class RawKeyThread {
public:
    RawKeyThread() noexcept = default;
    RawKeyThread(const RawKeyThread&) = delete;
    RawKeyThread& operator=(const RawKeyThread&) = delete;
    ~RawKeyThread() { Stop(); }

    // Ends any thread still running first. False when the thread could not be started: the hook then goes without
    // its watchdog.
    bool Start(const steering::HookActivity& hook, HWND watcher, UINT lostMessage) noexcept;
    // Ends the raw input and the thread, and waits for it; harmless when none runs.
    void Stop() noexcept;

private:
    static void Work(void* self, HANDLE stop) noexcept;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void TakeRawInput(HANDLE stop) noexcept;

    // The thread's own count; set, like the two below, only while no thread runs.
    std::optional<steering::UnansweredKeys> unanswered_;
    HWND watcher_ = nullptr;
    UINT lostMessage_ = 0;
    std::optional<win::WorkerThread> thread_;
};

}  // namespace modKeyboard
