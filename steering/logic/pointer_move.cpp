// The bounded pointer move of one steering key.
#include "steering/logic/pointer_move.h"

namespace steering {

Point MovedPointer(Move move, Point from, std::int32_t step, ScreenSize screen) {
    // Widened so that no coordinate the platform can report overflows with any 16-bit step.
    const std::int64_t n = step;
    Point to = from;
    switch (move) {
        case Move::Left: {
            const std::int64_t x = from.x - n;
            to.x = x > 0 ? static_cast<std::int32_t>(x) : 0;
            break;
        }
        case Move::Right: {
            const std::int64_t x = from.x + n;
            to.x = x < screen.width ? static_cast<std::int32_t>(x) : screen.width;
            break;
        }
        case Move::Up: {
            const std::int64_t y = from.y - n;
            to.y = y > 0 ? static_cast<std::int32_t>(y) : 0;
            break;
        }
        case Move::Down: {
            const std::int64_t y = from.y + n;
            to.y = y < screen.height ? static_cast<std::int32_t>(y) : screen.height;
            break;
        }
    }
    return to;
}

}  // namespace steering
