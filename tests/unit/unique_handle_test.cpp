// Unit tests of the handle owner over two fake kinds of handle: what it closes, when, and what it never closes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win/logic/unique_handle.h"

namespace {

using Log = std::vector<std::string>;
Log events;  // what the owners did to their handles, in order

// The two failure values the platform's creating calls have: null, and INVALID_HANDLE_VALUE (all bits set).
struct NullKind {
    using Handle = int;
    static int Invalid() noexcept { return 0; }
    static void Close(int handle) noexcept { events.push_back("close " + std::to_string(handle)); }
};
struct AllBitsKind {
    using Handle = int;
    static int Invalid() noexcept { return -1; }
    static void Close(int handle) noexcept { events.push_back("close " + std::to_string(handle)); }
};

enum class Step {
    Take,         // a new owner of the handle replaces the owner (the old one ends)
    Reset,        // reset(handle)
    ResetEmpty,   // reset()
    Put,          // a call writes the handle through put()
    PutUnwritten, // a call that fails is handed put() and writes nothing
    Release,      // release(), logged as "released N"
    MoveOut,      // moved into a second owner, which ends at once
    MoveIn,       // an owner of the handle is move-assigned to the owner
    SelfMove,     // the owner is move-assigned to itself
    Look,         // logs "live" or "empty", as the owner's bool says
    End,          // the owner ends
};
struct Action {
    Step step;
    int handle = 0;
};

template <class Kind>
Log Played(const std::vector<Action>& actions) {
    using Owner = win::UniqueHandle<Kind>;
    events.clear();
    std::optional<Owner> owner(std::in_place);
    for (const Action& a : actions) {
        switch (a.step) {
            case Step::Take:
                owner.emplace(a.handle);
                break;
            case Step::Reset:
                owner->reset(a.handle);
                break;
            case Step::ResetEmpty:
                owner->reset();
                break;
            case Step::Put:
                *owner->put() = a.handle;
                break;
            case Step::PutUnwritten:
                owner->put();
                break;
            case Step::Release:
                events.push_back("released " + std::to_string(owner->release()));
                break;
            case Step::MoveOut: {
                const Owner other(std::move(*owner));
                break;
            }
            case Step::MoveIn:
                *owner = Owner(a.handle);
                break;
            case Step::SelfMove: {
                Owner& self = *owner;
                *owner = std::move(self);
                break;
            }
            case Step::Look:
                events.push_back(*owner ? "live" : "empty");
                break;
            case Step::End:
                owner.reset();
                break;
        }
    }
    return events;
}

TEST(UniqueHandle, ClosesEachLiveHandleOnceAndNeverTheInvalidValue) {
    enum class Kind { Null, AllBits };
    const struct {
        const char* name;
        Kind kind;
        std::vector<Action> actions;
        Log log;
    } cases[] = {
        {"an empty owner closes nothing", Kind::Null, {{Step::Look}, {Step::End}}, {"empty"}},
        {"an empty owner of the all-bits kind closes nothing", Kind::AllBits, {{Step::Look}, {Step::End}}, {"empty"}},
        {"a handle is closed when its owner ends", Kind::Null, {{Step::Take, 5}, {Step::Look}, {Step::End}},
         {"live", "close 5"}},
        {"a failed creation's null is never closed", Kind::Null, {{Step::Take, 0}, {Step::Look}, {Step::End}},
         {"empty"}},
        {"a failed creation's all-bits value is never closed", Kind::AllBits,
         {{Step::Take, -1}, {Step::Look}, {Step::End}}, {"empty"}},
        {"null is a live handle of the all-bits kind", Kind::AllBits, {{Step::Take, 0}, {Step::Look}, {Step::End}},
         {"live", "close 0"}},
        {"a new owner in its place closes the old handle", Kind::Null, {{Step::Take, 5}, {Step::Take, 6}, {Step::End}},
         {"close 5", "close 6"}},
        {"reset closes the old handle and keeps the new", Kind::Null,
         {{Step::Take, 5}, {Step::Reset, 6}, {Step::Look}, {Step::End}}, {"close 5", "live", "close 6"}},
        {"reset to nothing closes", Kind::AllBits, {{Step::Take, 5}, {Step::ResetEmpty}, {Step::Look}, {Step::End}},
         {"close 5", "empty"}},
        {"put closes what is held and owns what the call writes", Kind::Null,
         {{Step::Take, 5}, {Step::Put, 7}, {Step::Look}, {Step::End}}, {"close 5", "live", "close 7"}},
        {"put on an empty owner closes nothing", Kind::AllBits, {{Step::Put, 3}, {Step::End}}, {"close 3"}},
        {"a failed call through put leaves the owner empty", Kind::AllBits,
         {{Step::Take, 5}, {Step::PutUnwritten}, {Step::Look}, {Step::End}}, {"close 5", "empty"}},
        {"release gives the handle up unclosed", Kind::Null,
         {{Step::Take, 5}, {Step::Release}, {Step::Look}, {Step::End}}, {"released 5", "empty"}},
        {"release of the all-bits kind leaves its invalid value", Kind::AllBits,
         {{Step::Take, 5}, {Step::Release}, {Step::Release}, {Step::End}}, {"released 5", "released -1"}},
        {"a move hands the handle over, closed once by the new owner", Kind::AllBits,
         {{Step::Take, 5}, {Step::MoveOut}, {Step::Look}, {Step::End}}, {"close 5", "empty"}},
        {"move assignment closes the old handle and takes the new", Kind::Null,
         {{Step::Take, 5}, {Step::MoveIn, 6}, {Step::Look}, {Step::End}}, {"close 5", "live", "close 6"}},
        {"a move to itself keeps the handle", Kind::Null, {{Step::Take, 5}, {Step::SelfMove}, {Step::Look}, {Step::End}},
         {"live", "close 5"}},
    };
    for (const auto& c : cases) {
        const Log got = c.kind == Kind::Null ? Played<NullKind>(c.actions) : Played<AllBitsKind>(c.actions);
        EXPECT_EQ(got, c.log) << c.name;
    }
}

}  // namespace
