// The hook's decision for one keyboard event.
#include "steering/hook_decision.h"

namespace steering {
namespace {

bool IsDownNow(std::int16_t state) { return state < 0; }
bool WasPressedSinceLastQuery(std::int16_t state) { return (state & 1) != 0; }

}  // namespace

HookVerdict DecideKeyEvent(int nCode, KeyStateSource& keys) {
    HookVerdict verdict;
    if (nCode != 0) return verdict;

    if (IsDownNow(keys.AsyncKeyState(kVkControl)) && WasPressedSinceLastQuery(keys.AsyncKeyState(kVkU))) {
        verdict.restoreRequested = true;
        return verdict;
    }
    for (const SteeringKey& key : kSteeringKeys) {
        if (IsDownNow(keys.AsyncKeyState(key.virtualKey))) verdict.moves[verdict.moveCount++] = key.move;
    }
    return verdict;
}

}  // namespace steering
