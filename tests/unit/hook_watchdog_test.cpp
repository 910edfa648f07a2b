// The lost-hook watchdog: when it asks for a new installation, and when it gives up quietly no longer.
#include "steering/hook_watchdog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Plays a sequence of events: 'h' hook call, 'k' raw key event, 'a' armed, '+'/'-' installation result.
// Returns what the watchdog answered: 'R' reinstall now, 'T' tell the user now, '.' nothing.
std::string Play(steering::HookWatchdog& dog, const std::string& events) {
    std::string out;
    for (const char e : events) {
        switch (e) {
            case 'h': dog.HookCalled(); out += '.'; break;
            case 'k': out += dog.KeySeen() ? 'R' : '.'; break;
            case 'a': dog.Armed(); out += '.'; break;
            case '+': out += dog.Reinstalled(true) ? 'T' : '.'; break;
            case '-': out += dog.Reinstalled(false) ? 'T' : '.'; break;
            default: ADD_FAILURE() << "bad event " << e;
        }
    }
    return out;
}

TEST(HookWatchdog, AsksForTheHookOnlyWhenKeysGoUnanswered) {
    struct Case {
        const char* events;
        const char* answers;
    } const cases[] = {
        {"hkhkhk", "......"},      // a live hook: each event answered, in this order
        {"khkhkh", "......"},      // or raw input first: still answered
        {"kk", ".R"},              // two events, no hook call: lost
        {"hkk", "..R"},            // a call before does not cover later events
        {"kkkk", ".R.R"},          // still lost after a failed attempt: asks again every second event
        {"kkhkk", ".R..R"},        // lost again after it came back
        {"kak", "..."},            // a new run starts with nothing owed
        {"khhhk", "....."},        // extra calls (injected or repeated events) do not bank credit
    };
    for (const Case& c : cases) {
        steering::HookWatchdog dog;
        EXPECT_EQ(Play(dog, c.events), c.answers) << c.events;
    }
}

TEST(HookWatchdog, TellsTheUserOnceWhenInstallationKeepsFailing) {
    struct Case {
        const char* events;
        const char* answers;
    } const cases[] = {
        {"--", ".."},
        {"---", "..T"},
        {"-----", "..T.."},   // told once, not at every later failure
        {"--+--", "....."},   // a success starts the count again
        {"--a-", "...."},     // so does a new run
    };
    for (const Case& c : cases) {
        steering::HookWatchdog dog;
        EXPECT_EQ(Play(dog, c.events), c.answers) << c.events;
    }
}

}  // namespace
