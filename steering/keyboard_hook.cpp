// The keyboard hook: its handle, the restore request, and the moves and mouse buttons it makes for each event.
#include "steering/keyboard_hook.h"

#include "win/failure_trace.h"
#include "win/logic/program_messages.h"
#include "win/message_window.h"

namespace modMouse {

// The platform keeps the pointer on the desktop, so coordinates beyond it are clipped there.
inline void SetMousePos(int x, int y) noexcept { SetCursorPos(x, y); }

}  // namespace modMouse

namespace modKeyboard {
namespace {

static_assert(steering::kVkShift == VK_SHIFT && steering::kVkControl == VK_CONTROL && steering::kVkMenu == VK_MENU);
static_assert(steering::kVkClear == VK_CLEAR && steering::kVkNumpad5 == VK_NUMPAD5);
static_assert(steering::kSteeringKeys[0].virtualKey == VK_LEFT && steering::kSteeringKeys[1].virtualKey == VK_RIGHT &&
              steering::kSteeringKeys[2].virtualKey == VK_UP && steering::kSteeringKeys[3].virtualKey == VK_DOWN);
static_assert(steering::kSteeringKeys[4].virtualKey == VK_NUMPAD4 &&
              steering::kSteeringKeys[5].virtualKey == VK_NUMPAD6 &&
              steering::kSteeringKeys[6].virtualKey == VK_NUMPAD8 &&
              steering::kSteeringKeys[7].virtualKey == VK_NUMPAD2);
static_assert(steering::kPowerBroadcast == WM_POWERBROADCAST && steering::kSessionChange == WM_WTSSESSION_CHANGE);
static_assert(steering::kResumeSuspend == PBT_APMRESUMESUSPEND && steering::kResumeAutomatic == PBT_APMRESUMEAUTOMATIC);
static_assert(steering::kConsoleConnect == WTS_CONSOLE_CONNECT && steering::kRemoteConnect == WTS_REMOTE_CONNECT &&
              steering::kSessionUnlock == WTS_SESSION_UNLOCK);

// The hook only posts a button change to this window and returns: a post is one request to the server, an injected
// button event is one more, and every key on the desktop waits for the hook. The post is handled by the next
// message retrieval of the thread, right after the hook returns, so the key also reaches its program before the
// button, as when a person types and then clicks.
constexpr wchar_t kButtonWindowClass[] = L"PelmorathClick";

// A button change in one message parameter: bit 0 lets the held button up, the bits above name the one put down.
WPARAM Encode(const steering::ButtonChange& change) noexcept {
    return (change.release ? 1u : 0u) | (static_cast<WPARAM>(change.press) << 1);
}
steering::ButtonChange Decode(WPARAM wParam) noexcept {
    return {(wParam & 1u) != 0, static_cast<steering::MouseButton>((wParam >> 1) & 3u)};
}

// While a button is held, keypad 5 is looked at this often: its release is noticed within a fifth of a second even
// when the hook never hears of it.
constexpr UINT_PTR kHeldButtonTimer = 1;
constexpr UINT kHeldButtonCheckMilliseconds = 150;

class HookKeyStates final : public steering::KeyStateSource {
public:
    explicit HookKeyStates(bool runUnderWay) noexcept : runUnderWay_(runUnderWay) {}
    std::int16_t AsyncKeyState(int virtualKey) override { return GetAsyncKeyState(virtualKey); }
    bool RunUnderWay() override { return runUnderWay_; }

private:
    bool runUnderWay_;
};

steering::KeyEvent EventOf(int nCode, WPARAM wParam, LPARAM lParam, const steering::HookMemory& memory) noexcept {
    steering::KeyEvent event{nCode, false, 0, memory};
    if (nCode == HC_ACTION) {
        event.keyDown = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        event.virtualKey = static_cast<int>(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode);
    }
    return event;
}

// One button event where the pointer is; true when the system took it. It refuses injected input while the secure
// desktop is in front, and where a program of a higher integrity level would get it, without saying why.
bool SendButtonEvent(steering::PhysicalButton button, bool down) noexcept {
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (button == steering::PhysicalButton::Left) {
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    } else {
        input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    }
    return SendInput(1, &input, sizeof input) == 1;
}

// The top-level window under the pointer, whose process receives the click.
HWND RootWindowUnderPointer() noexcept {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return nullptr;
    const HWND window = WindowFromPoint(cursor);
    return window ? GetAncestor(window, GA_ROOT) : nullptr;
}

}  // namespace

KeyboardHook* KeyboardHook::hooked_ = nullptr;
KeyboardHook* KeyboardHook::buttonOwner_ = nullptr;

void KeyboardHook::HookKeyboard(HWND watcher) noexcept {
    // A second start without an end ends the first run's steering, its raw input thread before the watchdog that
    // thread reads starts again.
    if (watcher_ || hooked_ == this) UnhookKeyboard();
    ReadScreenSize();
    activity_.Reset();
    reinstalls_.Reset();
    // This thread has just read the input that started the run, so its key state holds the toggle as it is now; the
    // hook follows it from here, as the thread reads no key messages during the run.
    memory_ = {};
    memory_.numLockOn = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    // Before the hook goes in, which may post to it from its first event.
    MakeButtonWindow();
    hooked_ = this;
    buttonOwner_ = this;
    InstallHook();
    if (watcher && !rawKeys_.Start(activity_, watcher, win::message::kHookLost)) {
        win::TraceFailure(L"keyboard hook", L"no raw input thread: the run steers without its watchdog");
    }
    watcher_ = watcher;
}

void KeyboardHook::UnhookKeyboard() noexcept {
    hKeyboardHook_.reset();
    if (hooked_ == this) hooked_ = nullptr;
    rawKeys_.Stop();
    watcher_ = nullptr;
    // However the run ends, no button stays down.
    memory_ = {};
    LetButtonUp();
}

void KeyboardHook::LetButtonUpBeforeExit() noexcept {
    if (KeyboardHook* owner = buttonOwner_) {
        owner->buttonHold_.Send(owner->buttonHold_.Release(), SendButtonEvent);
    }
}

void KeyboardHook::ReadScreenSize() noexcept {
    screen_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool KeyboardHook::ReinstallLostHook() noexcept { return watcher_ && Reinstall(); }

bool KeyboardHook::SystemNoticed(UINT message, WPARAM code) noexcept {
    return steering::ReinstallsHook({message, code, watcher_ != nullptr}) && Reinstall();
}

bool KeyboardHook::InstallHook() noexcept {
    // The ANSI call is the design's; a low-level hook gets the same key records either way.
    const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHookProc, GetModuleHandleW(nullptr), 0);
    // A failed reinstallation keeps the hook there is, which may still work. A new one replaces it, so a hook is
    // never left behind in the chain.
    if (!hook) return false;
    hKeyboardHook_.reset(hook);
    return true;
}

bool KeyboardHook::Reinstall() noexcept {
    // A thread held up long enough for the system to drop its hook may also have let the display's change message
    // time out unanswered (Wine drops it after 2 s), and the release of keypad 5 go by unseen.
    ReadScreenSize();
    if (memory_.held != steering::MouseButton::None) CheckHeldButton();
    // The releases of keys kept back may have gone by unseen too; left marked down they would steer for ever.
    memory_.keptBack = 0;
    return reinstalls_.Reinstalled(InstallHook());
}

void KeyboardHook::MakeButtonWindow() noexcept {
    if (!buttonWindow_) buttonWindow_ = win::MakeMessageWindow(kButtonWindowClass, ButtonWindowProc, this);
}

LRESULT CALLBACK KeyboardHook::ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != win::message::kButtonChange && !(message == WM_TIMER && wParam == kHeldButtonTimer)) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (auto* self = win::OwnerOf<KeyboardHook>(window)) {
        if (message == win::message::kButtonChange) {
            self->ApplyButtonChange(Decode(wParam));
        } else {
            self->CheckHeldButton();
        }
    }
    return 0;
}

// The hook's side: what it decided is the state from now on; the inputs follow from the queue.
void KeyboardHook::ChangeButton(const steering::ButtonChange& change) noexcept {
    if (!change.release && change.press == steering::MouseButton::None) return;
    // Made here after all only when there is no window to post to, or its queue is full.
    if (!(buttonWindow_ && PostMessageW(buttonWindow_.get(), win::message::kButtonChange, Encode(change), 0))) {
        ApplyButtonChange(change);
    }
}

void KeyboardHook::ApplyButtonChange(const steering::ButtonChange& change) noexcept {
    steering::ButtonChange applied = change;
    // A press posted just before the run ended finds no run: nothing goes down once the run let its button up.
    if (!watcher_) applied.press = steering::MouseButton::None;
    // Read at each press: Windows lets the user swap the buttons at any time.
    const bool swapped = applied.press != steering::MouseButton::None && GetSystemMetrics(SM_SWAPBUTTON) != 0;
    const steering::ButtonInputs wanted = buttonHold_.Change(applied, swapped);
    const steering::ButtonInputs taken = buttonHold_.Send(wanted, SendButtonEvent);
    if (taken.down != steering::PhysicalButton::None) {
        PostMessageW(watcher_, win::message::kButtonDown, reinterpret_cast<WPARAM>(RootWindowUnderPointer()), 0);
    } else if (wanted.down != steering::PhysicalButton::None && memory_.held == applied.press) {
        // Nothing went down: the steering keys go on to the programs again.
        memory_.held = steering::MouseButton::None;
    }
    WatchHeldButton();
}

void KeyboardHook::LetButtonUp() noexcept { ApplyButtonChange({true, steering::MouseButton::None}); }

void KeyboardHook::CheckHeldButton() noexcept {
    HookKeyStates keys(!restoreRequested_.Raised());
    // After the run any button still held goes up; during it, the one whose key is up.
    if (watcher_ && !steering::Keypad5Up(keys)) return;
    memory_.held = steering::MouseButton::None;
    LetButtonUp();
}

void KeyboardHook::WatchHeldButton() noexcept {
    const bool held = buttonHold_.Held() != steering::PhysicalButton::None;
    if (held == watchingButton_ || !buttonWindow_) return;
    if (held) {
        watchingButton_ = SetTimer(buttonWindow_.get(), kHeldButtonTimer, kHeldButtonCheckMilliseconds, nullptr) != 0;
        if (!watchingButton_) {
            win::TraceFailure(L"keyboard hook", L"no check of the held button: only a key lets it up");
        }
    } else {
        KillTimer(buttonWindow_.get(), kHeldButtonTimer);
        watchingButton_ = false;
    }
}

// One move from where the pointer is now, so moves within one event compound.
void KeyboardHook::MoveOnce(steering::Move move, std::int16_t step) const noexcept {
    POINT cursor{};
    GetCursorPos(&cursor);
    const steering::Point to = steering::MovedPointer(move, {cursor.x, cursor.y}, step, screen_);
    modMouse::SetMousePos(to.x, to.y);
}

LRESULT CALLBACK KeyboardHook::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    if (!hooked_) return CallNextHookEx(nullptr, nCode, wParam, lParam);
    return hooked_->OnKeyEvent(nCode, wParam, lParam);
}

LRESULT KeyboardHook::OnKeyEvent(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    if (nCode == HC_ACTION) activity_.HookCalled(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->time);
    HookKeyStates keys(!restoreRequested_.Raised());
    const steering::KeyEventDecision decision = steering::DecideKeyEvent(EventOf(nCode, wParam, lParam, memory_), keys);
    memory_ = decision.memory;
    if (decision.restoreRequested) {
        restoreRequested_.Set(true);
        return 0;  // not swallowed: a zero result lets the key reach the focused application
    }
    // The step the field last converted: no window message and no conversion on the key path. It cannot change
    // between the moves of one event, as the field changes only while messages are processed. A text that gives
    // no step moves nothing.
    if (decision.moveCount != 0) {
        if (const std::optional<std::int16_t> step = step_.Step()) {
            for (std::size_t i = 0; i < decision.moveCount; ++i) MoveOnce(decision.moves[i], *step);
        }
    }
    ChangeButton(decision.button);
    // A key kept back goes to no program and to no later hook.
    if (!decision.handOn) return 1;
    return CallNextHookEx(hKeyboardHook_.get(), nCode, wParam, lParam);
}

}  // namespace modKeyboard
