// The raw keyboard input of a run, on a thread of its own.
#include "steering/raw_key_thread.h"

#include "win/failure_trace.h"

namespace modKeyboard {
namespace {

constexpr wchar_t kWindowClass[] = L"PelmorathRawKeys";
constexpr USHORT kGenericDesktop = 0x01, kKeyboard = 0x06;
// The thread does nothing but wait and count: a small stack does.
constexpr SIZE_T kStackBytes = 64 * 1024;
// Its end takes a message or two; the run's end does not wait longer for it.
constexpr DWORD kEndMilliseconds = 1000;
// After it has taken what was waiting, the thread lets the next key events of a burst gather for this long and takes
// them together, without a wait for input in between: each wait, each wake and each empty look costs a round trip to
// the server, and a held key's events come every few milliseconds. The watchdog needs two events anyway; an idle run
// still waits without end.
constexpr DWORD kGatherMilliseconds = 50;

}  // namespace

bool RawKeyThread::Start(steering::HookWatchdog& watchdog, HWND watcher, UINT lostMessage) noexcept {
    Stop();
    watchdog_ = &watchdog;
    watcher_ = watcher;
    lostMessage_ = lostMessage;
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_) return false;
    thread_.reset(CreateThread(nullptr, kStackBytes, ThreadProc, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    return static_cast<bool>(thread_);
}

void RawKeyThread::Stop() noexcept {
    if (!thread_) return;
    SetEvent(stop_.get());
    WaitForSingleObject(thread_.get(), kEndMilliseconds);
    thread_.reset();
    stop_.reset();
}

DWORD WINAPI RawKeyThread::ThreadProc(void* self) noexcept {
    static_cast<RawKeyThread*>(self)->Run();
    return 0;
}

LRESULT CALLBACK RawKeyThread::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INPUT) {
        auto* self = reinterpret_cast<RawKeyThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && self->watchdog_->KeySeen(static_cast<std::uint32_t>(GetMessageTime()))) {
            PostMessageW(self->watcher_, self->lostMessage_, 0, 0);
        }
    }
    // The platform frees the input's data in DefWindowProc.
    return DefWindowProcW(window, message, wParam, lParam);
}

void RawKeyThread::Run() noexcept {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly from the second run on: the class stays registered
    // Message-only: no other program finds it, and it gets nothing but the raw input.
    const win::OwnedWindow window(CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                  windowClass.hInstance, nullptr));
    if (!window) {
        win::TraceFailure(L"raw key thread", L"no window for the raw input");
        return;
    }
    SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // INPUTSINK: the keys typed into other programs too.
    const RAWINPUTDEVICE device{kGenericDesktop, kKeyboard, RIDEV_INPUTSINK, window.get()};
    if (!RegisterRawInputDevices(&device, 1, sizeof device)) {
        // The run steers without its watchdog.
        win::TraceFailure(L"raw key thread", L"raw keyboard input refused");
        return;
    }
    const HANDLE stop = stop_.get();
    for (;;) {
        bool took = false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
            took = true;
        }
        // The end of the run cuts the gathering short: it waits for this thread.
        if (took ? WaitForSingleObject(stop, kGatherMilliseconds) != WAIT_TIMEOUT
                 : MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_ALLINPUT, 0) != WAIT_OBJECT_0 + 1) {
            break;
        }
    }
    const RAWINPUTDEVICE removal{kGenericDesktop, kKeyboard, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&removal, 1, sizeof removal);
}

}  // namespace modKeyboard
