// Test driver of the key-path benchmark: injects bursts of key events with Right held and counts the moves.
//
// Reads one command per line, so that its own start and end stay outside what is measured around a burst:
//   burst EVENTS CHUNK X Y   Right goes down, repeats EVENTS - 2 times and comes up: EVENTS events, after the first
//                            each with Right held before it. Before every CHUNK events the pointer is put at (X, Y),
//                            so it never meets the screen's edge, and after them its distance from there, in steps
//                            of 5 pixels, counts the moves. Each SendInput returns only after the low-level hooks
//                            have seen its event. Answers: events N moves M seconds S
//   quit
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kStep = 5;

void key(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void place(int x, int y)
{
    for (int tries = 0; tries < 50; ++tries) {
        SetCursorPos(x, y);
        POINT p{};
        GetCursorPos(&p);
        if (p.x == x && p.y == y)
            return;
        Sleep(10);
    }
}

} // namespace

void burst(int events, int chunk, int x, int y)
{
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    long moved = 0;
    for (int sent = 0; sent < events;) {
        place(x, y);
        for (int i = 0; i < chunk && sent < events; ++i, ++sent)
            key(VK_RIGHT, sent == events - 1);
        POINT p{};
        GetCursorPos(&p);
        moved += (p.x - x) / kStep;
    }
    QueryPerformanceCounter(&t1);
    std::printf("events %d moves %ld seconds %.3f\n", events, moved,
                static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart));
}

int main()
{
    char line[256];
    std::printf("ready\n");
    std::fflush(stdout);
    while (std::fgets(line, sizeof line, stdin)) {
        int events = 0, chunk = 0, x = 0, y = 0;
        if (std::sscanf(line, "burst %d %d %d %d", &events, &chunk, &x, &y) == 4 && events >= 2 && chunk >= 1)
            burst(events, chunk, x, y);
        else if (std::strncmp(line, "quit", 4) == 0)
            break;
        else
            std::printf("error\n");
        std::fflush(stdout);
    }
    return 0;
}
