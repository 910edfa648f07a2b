// The raw keyboard input of a run, on a thread of its own.
#include "steering/raw_key_thread.h"

#include "win/failure_trace.h"
#include "win/message_window.h"

namespace modKeyboard {
namespace {

constexpr wchar_t kWindowClass[] = L"PelmorathRawKeys";
constexpr USHORT kGenericDesktop = 0x01, kKeyboard = 0x06;
// After it has taken what was waiting, the thread lets the next key events of a burst gather for this long and takes
// them together, without a wait for input in between: each wait, each wake and each empty look costs a round trip to
// the server, and a held key's events come every few milliseconds. The watchdog needs two events anyway; an idle run
// still waits without end.
constexpr DWORD kGatherMilliseconds = 50;

}  // namespace

bool RawKeyThread::Start(const steering::HookActivity& hook, HWND watcher, UINT lostMessage) noexcept {
    Stop();
    unanswered_.emplace(hook);
    watcher_ = watcher;
    lostMessage_ = lostMessage;
    thread_.emplace();
    return thread_->Start(Work, this);
}

void RawKeyThread::Stop() noexcept {
    // The thread's own end joins it.
    thread_.reset();
}

void RawKeyThread::Work(void* self, HANDLE stop) noexcept { static_cast<RawKeyThread*>(self)->TakeRawInput(stop); }

LRESULT CALLBACK RawKeyThread::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INPUT) {
        auto* self = win::OwnerOf<RawKeyThread>(window);
        if (self && self->unanswered_->KeySeen(static_cast<std::uint32_t>(GetMessageTime()))) {
            PostMessageW(self->watcher_, self->lostMessage_, 0, 0);
        }
    }
    // The platform frees the input's data in DefWindowProc.
    return DefWindowProcW(window, message, wParam, lParam);
}

void RawKeyThread::TakeRawInput(HANDLE stop) noexcept {
    const win::OwnedWindow window = win::MakeMessageWindow(kWindowClass, WindowProc, this);
    if (!window) {
        win::TraceFailure(L"raw key thread", L"no window for the raw input");
        return;
    }
    // INPUTSINK: the keys typed into other programs too.
    const RAWINPUTDEVICE device{kGenericDesktop, kKeyboard, RIDEV_INPUTSINK, window.get()};
    if (!RegisterRawInputDevices(&device, 1, sizeof device)) {
        // The run steers without its watchdog.
        win::TraceFailure(L"raw key thread", L"raw keyboard input refused");
        return;
    }
    for (;;) {
        bool took = false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
            took = true;
        }
        // The end of the run cuts the gathering short.
        if (took ? WaitForSingleObject(stop, kGatherMilliseconds) != WAIT_TIMEOUT
                 : MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_ALLINPUT, 0) != WAIT_OBJECT_0 + 1) {
            break;
        }
    }
    const RAWINPUTDEVICE removal{kGenericDesktop, kKeyboard, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&removal, 1, sizeof removal);
}

}  // namespace modKeyboard
