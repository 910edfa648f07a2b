// The lost-hook watchdog: when it asks for a new installation, and when it gives up quietly no longer.
#include "steering/logic/hook_watchdog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

namespace {

// Plays a sequence of events separated by blanks: "hT" hook call for the event at time T, "kT" raw input of the
// event at time T, "a" reset (a new run), "+"/"-" installation result, "x"/"o" a window out of the hook's reach / an ordinary
// one comes to the front. Returns what the watchdog answered, one letter per event: 'R' reinstall now, 'W' warn
// the user now, '.' nothing.
// The watch's three parts, each driven as its thread drives it.
struct Watch {
    Watch() { keys.emplace(hook); }
    steering::HookActivity hook;
    std::optional<steering::UnansweredKeys> keys;  // a new one per run, as each run has its raw input thread
    steering::FailedInstallations installs;
};

std::string Play(Watch& dog, const std::string& events) {
    std::istringstream in(events);
    std::string out;
    for (std::string e; in >> e;) {
        const auto time = [&] { return static_cast<std::uint32_t>(std::stoul(e.substr(1))); };
        switch (e[0]) {
            case 'h': dog.hook.HookCalled(time()); out += '.'; break;
            case 'k': out += dog.keys->KeySeen(time()) ? 'R' : '.'; break;
            case 'a': dog.hook.Reset(); dog.installs.Reset(); dog.keys.emplace(dog.hook); out += '.'; break;
            case '+': out += dog.installs.Reinstalled(true) ? 'W' : '.'; break;
            case '-': out += dog.installs.Reinstalled(false) ? 'W' : '.'; break;
            case 'x': dog.hook.FrontOutOfReach(true); out += '.'; break;
            case 'o': dog.hook.FrontOutOfReach(false); out += '.'; break;
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
        {"h5 k6 a k7", "...."},           // a new run starts with nothing awaiting a call
        {"h1 h1 h1 k2 k3", "....R"},      // extra calls do not bank credit
        {"h4294967295 k0 k1", "..R"},     // the tick count wraps: later events are still later
        {"h1 x k2 k3 k4 k5", "......"},   // an administrator window's keys never reach the hook: none awaits a call
        {"x k1 o k2 k3", "....R"},        // an ordinary window in front again: counted again
        {"x a k1 k2", "...R"},            // a new run counts until the watch says otherwise
    };
    for (const Case& c : cases) {
        Watch dog;
        EXPECT_EQ(Play(dog, c.events), c.answers) << c.events;
    }
}

TEST(HookWatchdog, InstallsAgainAfterResumeAndReturnToTheSession) {
    // Numbered as the platform numbers them.
    constexpr unsigned kPowerBroadcast = 0x0218, kSessionChange = 0x02B1, kDisplayChange = 0x007E;
    struct Case {
        const char* name;
        unsigned message;
        std::uintptr_t code;
        bool runUnderWay;
        bool reinstalls;
    } const cases[] = {
        {"resumed by itself", kPowerBroadcast, 0x12, true, true},
        {"resumed by the user", kPowerBroadcast, 0x07, true, true},
        {"the session unlocked", kSessionChange, 0x8, true, true},
        {"the console connected", kSessionChange, 0x1, true, true},
        {"a remote connection", kSessionChange, 0x3, true, true},
        {"going to sleep", kPowerBroadcast, 0x04, true, false},
        {"the power source changed", kPowerBroadcast, 0x0A, true, false},
        {"the session locked (numbered as a resume)", kSessionChange, 0x7, true, false},
        {"the console disconnected", kSessionChange, 0x2, true, false},
        {"a remote disconnection", kSessionChange, 0x4, true, false},
        {"a power event numbered as a console connection", kPowerBroadcast, 0x1, true, false},
        {"a power event numbered as a remote connection", kPowerBroadcast, 0x3, true, false},
        {"another message with a resume's code", kDisplayChange, 0x12, true, false},
        {"resumed outside a run", kPowerBroadcast, 0x12, false, false},
        {"unlocked outside a run", kSessionChange, 0x8, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(steering::ReinstallsHook({c.message, c.code, c.runUnderWay}), c.reinstalls) << c.name;
    }
}

TEST(HookWatchdog, WarnsTheUserOnceWhenInstallationKeepsFailing) {
    struct Case {
        const char* events;
        const char* answers;
    } const cases[] = {
        {"- -", ".."},
        {"- - -", "..W"},
        {"- - - - -", "..W.."},   // warned once, not at every later failure
        {"- - + - -", "....."},   // a success starts the count again
        {"- - a -", "...."},      // so does a new run
    };
    for (const Case& c : cases) {
        Watch dog;
        EXPECT_EQ(Play(dog, c.events), c.answers) << c.events;
    }
}

}  // namespace
