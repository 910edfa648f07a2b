// The notification-area calls left to a thread of their own.
#include "tray/shell_call_thread.h"

#include <shellapi.h>

#include <cstring>
#include <memory>
#include <new>

#include "win/failure_trace.h"
#include "win/logic/program_messages.h"

namespace tray {
namespace {

bool StopRequested(HANDLE stop) noexcept { return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

}  // namespace

bool CallShell(const NotifyCall& call) noexcept {
    NOTIFYICONDATAA data{};
    std::memcpy(&data, call.record.data(), call.record.size());
    if (Shell_NotifyIconA(static_cast<DWORD>(call.message), &data)) return true;
    return call.message == NotifyMessage::Add && Shell_NotifyIconA(NIM_MODIFY, &data);
}

bool ShellCallThread::Queue(const NotifyCall& call, HWND answerTo, UINT answerMessage) noexcept {
    if (!started_) {
        callMade_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        started_ = callMade_ && thread_.Start(Work, this);
        if (!started_) {
            win::TraceFailure(L"shell call thread", L"not started: the tray calls wait for the shell");
            return false;
        }
    }
    std::unique_ptr<Call> queued(new (std::nothrow) Call{call, answerTo, answerMessage});
    if (!queued) {
        // No room for the call: the caller makes it itself, once those before it are answered.
        win::TraceFailure(L"shell call thread", win::kOutOfMemory);
        return false;
    }
    // The thread's own message queue keeps the calls' order; the call is the worker's once posted.
    Call* const posted = queued.release();
    if (!PostThreadMessageW(thread_.Id(), win::message::kShellCall, 0, reinterpret_cast<LPARAM>(posted))) {
        delete posted;
        win::TraceFailure(L"shell call thread", L"the call could not be queued: it waits for the shell");
        return false;
    }
    // The analyzer cannot see the post hand the call over: the worker frees it.
    ++queued_;  // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
    return true;
}

bool ShellCallThread::WaitForAnswers(DWORD milliseconds) noexcept {
    const ULONGLONG start = GetTickCount64();
    while (made_.load(std::memory_order_acquire) != queued_) {
        DWORD left = INFINITE;
        if (milliseconds != INFINITE) {
            const ULONGLONG waited = GetTickCount64() - start;
            if (waited >= milliseconds) return false;
            left = static_cast<DWORD>(milliseconds - waited);
        }
        const HANDLE made = callMade_.get();
        if (MsgWaitForMultipleObjectsEx(1, &made, left, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs what was sent
        }
    }
    return true;
}

void ShellCallThread::Work(void* self, HANDLE stop) noexcept { static_cast<ShellCallThread*>(self)->MakeCalls(stop); }

void ShellCallThread::MakeCalls(HANDLE stop) noexcept {
    for (;;) {
        const bool stopping =
            MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_POSTMESSAGE, MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0 + 1;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != win::message::kShellCall) continue;
            const std::unique_ptr<Call> call(reinterpret_cast<Call*>(message.lParam));
            // A stop asked for while a call waited for the shell is seen before the next one.
            Make(*call, stopping || StopRequested(stop));
        }
        if (stopping) return;
    }
}

void ShellCallThread::Make(const Call& call, bool stopped) noexcept {
    if (!stopped && !(dropBalloons_.load(std::memory_order_relaxed) && ShowsBalloon(call.call))) {
        const bool accepted = CallShell(call.call);
        PostMessageW(call.answerTo, call.answerMessage, static_cast<WPARAM>(call.call.message), accepted);
    }
    made_.fetch_add(1, std::memory_order_release);
    SetEvent(callMade_.get());
}

}  // namespace tray
