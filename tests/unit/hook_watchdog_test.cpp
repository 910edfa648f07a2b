// The lost-hook watchdog: when it asks for a new installation, and when it gives up quietly no longer.
#include "steering/hook_watchdog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

namespace {

// Plays a sequence of events separated by blanks: "hT" hook call for the event at time T, "kT" raw input of the
// event at time T, "a" armed, "+"/"-" installation result. Returns what the watchdog answered, one letter per
// event: 'R' reinstall now, 'T' tell the user now, '.' nothing.
std::string Play(steering::HookWatchdog& dog, const std::string& events) {
    std::istringstream in(events);
    std::string out;
    for (std::string e; in >> e;) {
        const auto time = [&] { return static_cast<std::uint32_t>(std::stoul(e.substr(1))); };
        switch (e[0]) {
            case 'h': dog.HookCalled(time()); out += '.'; break;
            case 'k': out += dog.KeySeen(time()) ? 'R' : '.'; break;
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
        {"h1 k1 h2 k2 h3 k3", "......"},  // a live hook: each event answered, in this order
        {"k1 h1 k2 h2 k3 h3", "......"},  // or raw input first: still answered
        {"h1 h2 k1 k2 h3 k3", "......"},  // the next event's hook call before this one's raw input
        {"h1 k1 k1 k1", "...."},          // events within the hook's last millisecond
        {"k1 k2", ".R"},                  // two events, no hook call: lost
        {"h1 k2 k3", "..R"},              // a call before does not cover later events
        {"k1 k2 k3 k4", ".R.R"},          // still lost after a failed attempt: asks again every second event
        {"k1 k2 h3 k4 k5", ".R..R"},      // lost again after it came back
        {"h5 k6 a k7", "...."},           // a new run starts with nothing owed
        {"h1 h1 h1 k2 k3", "....R"},      // extra calls do not bank credit
        {"h4294967295 k0 k1", "..R"},     // the tick count wraps: later events are still later
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
        {"- -", ".."},
        {"- - -", "..T"},
        {"- - - - -", "..T.."},   // told once, not at every later failure
        {"- - + - -", "....."},   // a success starts the count again
        {"- - a -", "...."},      // so does a new run
    };
    for (const Case& c : cases) {
        steering::HookWatchdog dog;
        EXPECT_EQ(Play(dog, c.events), c.answers) << c.events;
    }
}

}  // namespace
