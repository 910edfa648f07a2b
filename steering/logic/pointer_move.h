// Where one steering move puts the pointer, bounded by the primary display.
#pragma once

#include <cstdint>

namespace steering {

enum class Move : std::uint8_t { Left, Right, Up, Down };

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct ScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The left and top bounds are 0; the right and bottom ones are the display's width and height themselves,
// which the platform then keeps on the desktop. A negative step turns the move around, and the row's own
// bound is still tested against the moved coordinate.
Point MovedPointer(Move move, Point from, std::int32_t step, ScreenSize screen);

}  // namespace steering
