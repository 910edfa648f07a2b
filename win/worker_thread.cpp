// The lifetime of a worker thread: one start, a stop request, a join.
#include "win/worker_thread.h"

#include "win/failure_trace.h"

namespace win {

WorkerThread::~WorkerThread() {
    RequestStop();
    Join();
}

bool WorkerThread::Start(Work work, void* context) noexcept {
    if (started_) return false;
    started_ = true;
    work_ = work;
    context_ = context;
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_ || !ready_) {
        TraceFailure(L"worker thread", L"no events for the thread: it was not started");
        return false;
    }
    thread_.reset(CreateThread(nullptr, 0, ThreadProc, this, 0, &id_));
    if (!thread_) {
        id_ = 0;
        TraceFailure(L"worker thread", L"the thread could not be made");
        return false;
    }
    // A thread gets its queue only when it first asks for messages; until then a post to it fails.
    const HANDLE waits[] = {ready_.get(), thread_.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    return true;
}

void WorkerThread::RequestStop() noexcept {
    if (stop_) SetEvent(stop_.get());
}

void WorkerThread::Join() noexcept {
    if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI WorkerThread::ThreadProc(void* parameter) noexcept {
    auto* self = static_cast<WorkerThread*>(parameter);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(self->ready_.get());
    self->work_(self->context_, self->stop_.get());
    return 0;
}

}  // namespace win
