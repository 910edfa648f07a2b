// The keyboard hook: its handle, the restore request, and the moves it makes for each event.
#include "steering/keyboard_hook.h"

#include "win/message_pump.h"
#include "win/win_handles.h"
#include "steering/logic/hook_decision.h"
#include "steering/logic/hook_watchdog.h"
#include "steering/mouse.h"

namespace modKeyboard {
namespace {

// Program-wide by nature: the system calls the hook procedure without any context of ours.
struct HookState {
    win::HookHandle hKeyboardHook;
    const steering::StepSetting* step = nullptr;
    bool restoreRequested = false;
    steering::ScreenSize screen;  // the primary display's, as last read
    HWND watcher = nullptr;  // set while a run is under way
    win::OwnedWindow clickWindow;  // made the first time a run starts
    steering::HookWatchdog watchdog;
};
HookState state;

class AsyncKeyStates final : public steering::KeyStateSource {
public:
    std::int16_t AsyncKeyState(int virtualKey) override { return GetAsyncKeyState(virtualKey); }
    bool RunUnderWay() override { return !state.restoreRequested; }
};

steering::KeyEvent EventOf(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    steering::KeyEvent event{nCode, false, 0};
    if (nCode == HC_ACTION) {
        event.keyDown = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        event.virtualKey = static_cast<int>(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode);
    }
    return event;
}

// One move from where the pointer is now, so moves within one event compound.
void MoveOnce(steering::Move move, std::int16_t step) noexcept {
    POINT cursor{};
    GetCursorPos(&cursor);
    const steering::Point to = steering::MovedPointer(move, {cursor.x, cursor.y}, step, state.screen);
    modMouse::SetMousePos(to.x, to.y);
}

// A button press and release without a move land where the pointer is.
void Click() noexcept {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// The hook only posts the click to this window and returns: a post is one request to the server, the two
// injected button events are two, and every key on the desktop waits for the hook. The post is handled by the
// next message retrieval of the thread, right after the hook returns, so the key also reaches its program before
// the click, as when a person types and then clicks.
constexpr UINT kClickMessage = WM_APP;
constexpr wchar_t kClickWindowClass[] = L"PelmorathClick";

LRESULT CALLBACK ClickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == kClickMessage) {
        Click();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Message-only: no other program finds it, and it gets nothing but our posts.
void MakeClickWindow() noexcept {
    if (state.clickWindow) return;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ClickWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClickWindowClass;
    RegisterClassW(&windowClass);
    state.clickWindow.reset(CreateWindowExW(0, kClickWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            windowClass.hInstance, nullptr));
}

bool InstallHook() noexcept {
    // A new installation replaces any earlier one, so a hook can never be left behind in the chain. The ANSI call is
    // the design's; a low-level hook gets the same key records either way.
    state.hKeyboardHook.reset(SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHookProc, GetModuleHandleW(nullptr), 0));
    return static_cast<bool>(state.hKeyboardHook);
}

static_assert(steering::kPowerBroadcast == WM_POWERBROADCAST && steering::kSessionChange == WM_WTSSESSION_CHANGE);
static_assert(steering::kResumeSuspend == PBT_APMRESUMESUSPEND && steering::kResumeAutomatic == PBT_APMRESUMEAUTOMATIC);
static_assert(steering::kConsoleConnect == WTS_CONSOLE_CONNECT && steering::kRemoteConnect == WTS_REMOTE_CONNECT &&
              steering::kSessionUnlock == WTS_SESSION_UNLOCK);

// After the watchdog or a system notice asked for it. True when the user must be warned now.
bool Reinstall() noexcept {
    // A thread held up long enough for the system to drop its hook may also have let the display's change message
    // time out unanswered (Wine drops it after 2 s).
    ReadScreenSize();
    return state.watchdog.Reinstalled(InstallHook());
}

// Keyboard raw input for the watcher even while another program has the focus (INPUTSINK). Registered only
// for a run, so that outside one no key costs anything.
void WatchRawKeys(HWND watcher) noexcept {
    constexpr USHORT kGenericDesktop = 0x01, kKeyboard = 0x06;
    const RAWINPUTDEVICE device{kGenericDesktop, kKeyboard, watcher ? DWORD{RIDEV_INPUTSINK} : DWORD{RIDEV_REMOVE},
                                watcher};
    RegisterRawInputDevices(&device, 1, sizeof device);
}

}  // namespace

void HookKeyboard(const steering::StepSetting& step, HWND watcher) noexcept {
    state.step = &step;
    ReadScreenSize();
    state.watchdog.Reset();
    // Before the hook goes in, which may post to it from its first event.
    MakeClickWindow();
    InstallHook();
    if (watcher && !state.watcher) WatchRawKeys(watcher);
    state.watcher = watcher;
}

void UnhookKeyboard() noexcept {
    state.hKeyboardHook.reset();
    if (state.watcher) WatchRawKeys(nullptr);
    state.watcher = nullptr;
}

HHOOK InstalledHook() noexcept { return state.hKeyboardHook.get(); }

void ReadScreenSize() noexcept {
    state.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool KeySeenByRawInput(DWORD eventTime) noexcept {
    return state.watcher && state.watchdog.KeySeen(eventTime) && Reinstall();
}

bool SystemNoticed(UINT message, WPARAM code) noexcept {
    return steering::ReinstallsHook({message, code, state.watcher != nullptr}) && Reinstall();
}

void FrontOutOfReach(bool outOfReach) noexcept { state.watchdog.FrontOutOfReach(outOfReach); }


LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    if (nCode == HC_ACTION) state.watchdog.HookCalled(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->time);
    AsyncKeyStates keys;
    const steering::KeyEventDecision decision = steering::DecideKeyEvent(EventOf(nCode, wParam, lParam), keys);
    if (decision.restoreRequested) {
        SetRestoreRequested(true);
        return 0;  // not swallowed: a zero result lets the key reach the focused application
    }
    // The step the field last converted: no window message and no conversion on the key path. It cannot change
    // between the moves of one event, as the field changes only while messages are processed. A text that gives
    // no step moves nothing.
    if (decision.moveCount != 0 && state.step) {
        if (const std::optional<std::int16_t> step = state.step->Step()) {
            for (std::size_t i = 0; i < decision.moveCount; ++i) MoveOnce(decision.moves[i], *step);
        }
    }
    // Made here after all only when there is no window to post to, or its queue is full.
    if (decision.click && !(state.clickWindow && PostMessageW(state.clickWindow.get(), kClickMessage, 0, 0))) {
        Click();
    }
    return CallNextHookEx(state.hKeyboardHook.get(), nCode, wParam, lParam);
}

bool RestoreRequested() noexcept { return state.restoreRequested; }

void SetRestoreRequested(bool requested) noexcept {
    state.restoreRequested = requested;
    // The run loop waits in a message retrieval that runs hook calls and sent messages (a click sent by
    // assistive technology, say) inside itself and returns only for a posted message.
    if (requested) win::UnblockWait();
}

}  // namespace modKeyboard
