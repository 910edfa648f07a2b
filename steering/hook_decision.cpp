// The hook's decision for one keyboard event.
#include "steering/hook_decision.h"

namespace steering {
namespace {

bool IsDownNow(std::int16_t state) { return state < 0; }

}  // namespace

HookVerdict DecideKeyEvent(const KeyEvent& event, KeyStateSource& keys) {
    HookVerdict verdict;
    if (event.nCode != 0) return verdict;

    if (event.keyDown && event.virtualKey == kVkU && IsDownNow(keys.AsyncKeyState(kVkControl))) {
        verdict.restoreRequested = true;
        return verdict;
    }
    for (const SteeringKey& key : kSteeringKeys) {
        if (IsDownNow(keys.AsyncKeyState(key.virtualKey))) verdict.moves[verdict.moveCount++] = key.move;
    }
    return verdict;
}

}  // namespace steering
