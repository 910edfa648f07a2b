// Unit tests of the bounded pointer move.
#include <gtest/gtest.h>

#include "steering/logic/pointer_move.h"

namespace {

using steering::Move;
using steering::MovedPointer;
using steering::Point;

constexpr steering::ScreenSize kFullHd{1920, 1080};

struct MoveCase {
    Move move;
    Point from;
    int step;
    Point to;
    steering::ScreenSize screen = kFullHd;
};

TEST(MovedPointer, BoundsEachRowByItsOwnEdge) {
    const MoveCase cases[] = {
        // N = 5 near each edge of a 1920x1080 display
        {Move::Left, {3, 40}, 5, {0, 40}},         {Move::Left, {5, 40}, 5, {0, 40}},
        {Move::Left, {6, 40}, 5, {1, 40}},         {Move::Right, {1914, 40}, 5, {1919, 40}},
        {Move::Right, {1915, 40}, 5, {1920, 40}},
        {Move::Up, {40, 5}, 5, {40, 0}},           {Move::Up, {40, 6}, 5, {40, 1}},
        {Move::Down, {40, 1074}, 5, {40, 1079}},   {Move::Down, {40, 1076}, 5, {40, 1080}},
        // N = 0 leaves the pointer alone, also at the edges
        {Move::Left, {100, 40}, 0, {100, 40}},     {Move::Left, {0, 40}, 0, {0, 40}},
        {Move::Up, {40, 0}, 0, {40, 0}},           {Move::Right, {1920, 40}, 0, {1920, 40}},
        // a negative N turns the key around; the row's own bound is still the one tested
        {Move::Left, {100, 40}, -5, {105, 40}},    {Move::Left, {1918, 40}, -5, {1923, 40}},
        {Move::Right, {2, 40}, -5, {-3, 40}},      {Move::Up, {40, 100}, -5, {40, 105}},
        {Move::Down, {40, 2}, -5, {40, -3}},
        // extreme steps and a pointer already off the display
        {Move::Left, {10, 40}, 32767, {0, 40}},    {Move::Right, {0, 40}, 32767, {1920, 40}},
        {Move::Right, {0, 40}, -32768, {-32768, 40}}, {Move::Right, {2500, 40}, -5, {1920, 40}},
        {Move::Left, {-10, 40}, -5, {0, 40}},      {Move::Down, {0, 740}, 50, {0, 768}, {1024, 768}},
    };
    for (const MoveCase& c : cases) {
        const Point to = MovedPointer(c.move, c.from, c.step, c.screen);
        EXPECT_EQ(to, c.to) << "move " << int(c.move) << " from (" << c.from.x << ',' << c.from.y << ") by " << c.step
                            << " gave (" << to.x << ',' << to.y << ')';
    }
}

TEST(MovedPointer, MovesWithinOneEventCompound) {
    // Left then Right from x = 3: the left move is bounded at 0, so the pointer does not return to 3.
    Point p{3, 500};
    p = MovedPointer(Move::Left, p, 5, kFullHd);
    p = MovedPointer(Move::Right, p, 5, kFullHd);
    EXPECT_EQ(p, (Point{5, 500}));
    // Left then Up, both applied.
    p = MovedPointer(Move::Up, MovedPointer(Move::Left, {100, 100}, 5, kFullHd), 5, kFullHd);
    EXPECT_EQ(p, (Point{95, 95}));
}

}  // namespace
