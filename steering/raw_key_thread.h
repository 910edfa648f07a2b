// The thread that takes the keyboard's raw input during a run, for the hook's watchdog.
#pragma once

#include <windows.h>

#include "steering/logic/hook_watchdog.h"
#include "win/win_handles.h"

namespace modKeyboard {

// Raw input must not reach the hook's thread: the system queues each key's raw input before it calls the low-level
// hooks, and so wakes that thread first; Wine then finds it awake without a message retrieval for 5 s after a pause
// and skips its hook for that key. This thread takes it instead, even while another program has the focus, and
// posts lostMessage to the watcher when the watchdog finds the hook lost. It costs nothing between key events.
class RawKeyThread {
public:
    RawKeyThread() noexcept = default;
    RawKeyThread(const RawKeyThread&) = delete;
    RawKeyThread& operator=(const RawKeyThread&) = delete;
    ~RawKeyThread() { Stop(); }

    // False when the thread could not be started: the hook then goes without its watchdog.
    bool Start(steering::HookWatchdog& watchdog, HWND watcher, UINT lostMessage) noexcept;
    // Ends the raw input and the thread; harmless when none runs.
    void Stop() noexcept;

private:
    static DWORD WINAPI ThreadProc(void* self) noexcept;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Run() noexcept;

    steering::HookWatchdog* watchdog_ = nullptr;
    HWND watcher_ = nullptr;
    UINT lostMessage_ = 0;
    win::KernelHandle stop_;  // ends the thread's waits when the run ends
    win::KernelHandle thread_;
};

}  // namespace modKeyboard
