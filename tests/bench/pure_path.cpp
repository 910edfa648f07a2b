// Native driver of the key path's own logic for callgrind: the decision, the cached step and the bounded moves
// for EVENTS events with Right held, as the hook makes them between its platform calls.
#include <cstdio>
#include <cstdlib>

#include "steering/logic/hook_decision.h"
#include "steering/logic/pointer_move.h"
#include "steering/logic/step_setting.h"

namespace {

class RightHeld final : public steering::KeyStateSource {
public:
    std::int16_t AsyncKeyState(int virtualKey) override { return virtualKey == 0x27 ? std::int16_t(-32768) : 0; }
    bool RunUnderWay() override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    const long events = argc > 1 ? std::atol(argv[1]) : 1000;
    const steering::StepSetting step("5", {".", ","});
    RightHeld keys;
    steering::Point pointer{100, 300};
    const steering::ScreenSize screen{1 << 30, 1 << 30};
    steering::HookMemory memory;
    for (long i = 0; i < events; ++i) {
        const steering::KeyEventDecision decision = steering::DecideKeyEvent({0, true, 0x27, memory}, keys);
        memory = decision.memory;
        if (decision.moveCount == 0 || !step.Step()) continue;
        for (std::size_t m = 0; m < decision.moveCount; ++m)
            pointer = steering::MovedPointer(decision.moves[m], pointer, *step.Step(), screen);
    }
    std::printf("%d\n", pointer.x);  // keeps the loop from being optimised away
    return 0;
}
