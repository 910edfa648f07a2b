// The notification-area calls of a run, made on a thread of their own.
#include "tray/shell_call_thread.h"

#include <shellapi.h>

#include <cstring>
#include <new>

#include "win/failure_trace.h"

namespace tray {
namespace {

// The thread only makes calls and waits for the shell: a small stack does.
constexpr SIZE_T kStackBytes = 64 * 1024;
// What the owner's end waits for the thread to see that it is to end.
constexpr DWORD kEndMilliseconds = 1000;

}  // namespace

struct ShellCallThread::Shared {
    struct Call {
        NotifyCall call;
        HWND answerTo;
        UINT answerMessage;
    };
    SRWLOCK lock = SRWLOCK_INIT;
    std::deque<Call> calls;       // under lock
    bool ending = false;          // under lock
    win::KernelHandle queued;     // auto-reset: a call was queued, or the end asked for
    win::KernelHandle answered;   // manual-reset: set while nothing is queued or being made
};

ShellCallThread::~ShellCallThread() {
    if (!shared_) return;
    AcquireSRWLockExclusive(&shared_->lock);
    shared_->ending = true;
    ReleaseSRWLockExclusive(&shared_->lock);
    SetEvent(shared_->queued.get());
    // Its state goes with it when it ends; one that still waits for the shell keeps it until the process ends.
    if (WaitForSingleObject(thread_.get(), kEndMilliseconds) == WAIT_OBJECT_0) delete shared_;
}

bool ShellCallThread::Start() noexcept {
    if (shared_) return true;
    auto* shared = new (std::nothrow) Shared;
    if (!shared) return false;
    shared->queued.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    shared->answered.reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    if (shared->queued && shared->answered) {
        thread_.reset(CreateThread(nullptr, kStackBytes, ThreadProc, shared, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                   nullptr));
    }
    if (!thread_) {
        delete shared;
        win::TraceFailure(L"shell call thread", L"not started: the run's tray calls wait for the shell");
        return false;
    }
    shared_ = shared;
    return true;
}

bool ShellCallThread::Queue(const NotifyCall& call, HWND answerTo, UINT answerMessage) noexcept {
    if (!Start()) return false;
    AcquireSRWLockExclusive(&shared_->lock);
    bool queued = false;
    try {
        shared_->calls.push_back({call, answerTo, answerMessage});
        ResetEvent(shared_->answered.get());
        queued = true;
    } catch (const std::bad_alloc&) {
        // No room for the call: the caller makes it itself, once those before it are answered.
    }
    ReleaseSRWLockExclusive(&shared_->lock);
    if (!queued) {
        win::TraceFailure(L"shell call thread", win::kOutOfMemory);
        return false;
    }
    SetEvent(shared_->queued.get());
    return true;
}

void ShellCallThread::WaitForAnswers() noexcept {
    if (!shared_) return;
    const HANDLE answered = shared_->answered.get();
    while (MsgWaitForMultipleObjectsEx(1, &answered, INFINITE, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs what was sent
    }
}

DWORD WINAPI ShellCallThread::ThreadProc(void* parameter) noexcept {
    auto* shared = static_cast<Shared*>(parameter);
    for (;;) {
        WaitForSingleObject(shared->queued.get(), INFINITE);
        for (;;) {
            AcquireSRWLockExclusive(&shared->lock);
            if (shared->ending) {
                ReleaseSRWLockExclusive(&shared->lock);
                return 0;
            }
            if (shared->calls.empty()) {
                SetEvent(shared->answered.get());
                ReleaseSRWLockExclusive(&shared->lock);
                break;
            }
            const Shared::Call call = shared->calls.front();
            shared->calls.pop_front();
            ReleaseSRWLockExclusive(&shared->lock);
            NOTIFYICONDATAA data{};
            std::memcpy(&data, call.call.record.data(), call.call.record.size());
            const BOOL accepted = Shell_NotifyIconA(static_cast<DWORD>(call.call.message), &data);
            PostMessageA(call.answerTo, call.answerMessage, static_cast<WPARAM>(call.call.message), accepted != FALSE);
        }
    }
}

}  // namespace tray
