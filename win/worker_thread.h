// A thread of the program's own beside the window's: started once, stopped by a request it always sees, joined.
#pragma once

#include <windows.h>

#include "win/win_handles.h"

namespace win {

// The program's worker threads (a run's raw keyboard input, the tray's shell calls) never wait for the window's
// thread, so the window's thread may always wait for them to end: a thread is joined, never left running with its
// handles closed. Its work includes the stop request in every wait of its own, and returns once it sees it.
class WorkerThread {
public:
    // Runs on the new thread, which has its message queue already; stop is signalled when the work is to return.
    using Work = void (*)(void* context, HANDLE stop) noexcept;

    WorkerThread() noexcept = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Asks the work to stop and waits for its thread to end.
    ~WorkerThread();

    // Starts work on a new thread of the default stack size, once in the object's life, and returns once the thread
    // has its message queue, so that nothing posted to it is lost. False on a second call, or when no thread could
    // be made.
    bool Start(Work work, void* context) noexcept;
    // Asks the work to return; it sees the request at its next wait. Harmless when nothing runs.
    void RequestStop() noexcept;
    // Waits until the thread has ended; at once when none was started.
    void Join() noexcept;
    // The thread's id, for messages posted to it; 0 until started.
    DWORD Id() const noexcept { return id_; }

private:
    static DWORD WINAPI ThreadProc(void* self) noexcept;

    Work work_ = nullptr;
    void* context_ = nullptr;
    bool started_ = false;
    DWORD id_ = 0;
    KernelHandle stop_;   // manual-reset: the work's waits see it for as long as it runs
    KernelHandle ready_;  // the thread's message queue exists
    KernelHandle thread_;
};

}  // namespace win
