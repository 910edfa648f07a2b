// The keyboard hook: its handle, the restore request, and the moves it makes for each event.
#include "steering/keyboard_hook.h"

#include <optional>

#include "win/win_handles.h"
#include "win/window_text.h"
#include "steering/hook_decision.h"
#include "steering/locale_number_format.h"
#include "steering/mouse.h"
#include "steering/step_number.h"

namespace modKeyboard {
namespace {

// Program-wide by nature: the system calls the hook procedure without any context of ours.
struct HookState {
    win::HookHandle hKeyboardHook;
    HWND stepField = nullptr;
    bool restoreRequested = false;
};
HookState state;

class AsyncKeyStates final : public steering::KeyStateSource {
public:
    std::int16_t AsyncKeyState(int virtualKey) override { return GetAsyncKeyState(virtualKey); }
};

// One move: pointer, step and display size are all read afresh, so moves within one event compound and
// an edit of the field counts from the next move on. A step that does not convert moves nothing.
void MoveOnce(steering::Move move) noexcept {
    try {
        POINT cursor{};
        GetCursorPos(&cursor);
        const std::optional<std::int16_t> step =
            steering::ConvertStep(win::WindowText(state.stepField), steering::UserNumberFormat());
        if (!step) return;
        const steering::ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const steering::Point to = steering::MovedPointer(move, {cursor.x, cursor.y}, *step, screen);
        modMouse::SetMousePos(to.x, to.y);
    } catch (...) {
        // Nothing may leave a hook procedure; the event still goes on to the next hook.
    }
}

}  // namespace

void HookKeyboard(HWND stepField) noexcept {
    state.stepField = stepField;
    // A new installation replaces any earlier one, so a hook can never be left behind in the chain.
    state.hKeyboardHook.reset(SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHookProc, GetModuleHandleA(nullptr), 0));
}

void UnhookKeyboard() noexcept { state.hKeyboardHook.reset(); }

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) noexcept {
    AsyncKeyStates keys;
    const steering::HookVerdict verdict = steering::DecideKeyEvent(nCode, keys);
    if (verdict.restoreRequested) {
        state.restoreRequested = true;
        return 0;  // not swallowed: a zero result lets the key reach the focused application
    }
    for (std::size_t i = 0; i < verdict.moveCount; ++i) MoveOnce(verdict.moves[i]);
    return CallNextHookEx(state.hKeyboardHook.get(), nCode, wParam, lParam);
}

bool RestoreRequested() noexcept { return state.restoreRequested; }

void SetRestoreRequested(bool requested) noexcept { state.restoreRequested = requested; }

}  // namespace modKeyboard
