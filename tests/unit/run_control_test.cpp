// Unit tests of the start/stop button's roads and where they resume after a failed step.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/run_control.h"

namespace {

using app::kStartCaption;
using app::kStopCaption;
using Log = std::vector<std::string>;
using Failures = std::set<std::pair<std::string, int>>;

// Records each call as a token; a call fails when its token and occurrence are listed. Scripted actions
// stand for what the platform does inside a message pass or the minimise (a hook call, a nested click).
class FakeHost : public app::RunControlHost, public app::WindowPresence {
public:
    std::string caption{kStartCaption};
    bool restore = true;  // stale from an earlier run: the start road must clear it
    Failures failures;
    std::map<int, std::function<void()>> onPass;
    std::function<void()> onMinimize;
    Log log;
    std::vector<int> reportedLines;

    void Click() {
        app::PushButton2_Click(*this, *this, [this](const std::string& text) {
            std::smatch m;
            ASSERT_TRUE(std::regex_search(text, m, std::regex("PushButton2_Click at line (\\d+)\r\r")));
            reportedLines.push_back(std::stoi(m[1]));
        });
    }

    std::string ButtonCaption() override { return Call("caption?"), caption; }
    void SetButtonCaption(std::string_view c) override {
        Call(c == kStopCaption ? "caption=stop" : c == kStartCaption ? "caption=start" : "caption=?");
        caption = c;
    }
    void MinimizeWindow() override {
        Call("minimize");
        if (onMinimize) onMinimize();
    }
    void HookKeyboard() override { Call("hook"); }
    void UnhookKeyboard() override { Call("unhook"); }
    bool RestoreRequested() override { return Call("restore?"), restore; }
    void SetRestoreRequested(bool r) override { Call(r ? "restore=1" : "restore=0"), restore = r; }
    void ProcessPendingMessages() override {
        const int n = Call("pass");
        if (n > 50) restore = true;  // a runaway loop: end it so the test fails instead of hanging
        if (auto it = onPass.find(n); it != onPass.end()) it->second();
    }
    void WaitForInput() override { Call("wait"); }
    void ShowWindow() override { Call("show"); }
    void FocusWindow() override { Call("focus"); }
    void SetMinimizedToTray(bool m) override { Call(m ? "tray=1" : "tray=0"); }

private:
    int Call(const std::string& token) {
        log.push_back(token);
        const int n = ++counts_[token];
        if (failures.count({token, n})) throw app::StepFailure("failed: " + token);
        return n;
    }
    std::map<std::string, int> counts_;
};

Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Log kStartSteps{"caption?", "caption=stop", "minimize", "hook", "restore=0"};
const Log kTwoPasses{"pass", "restore?", "wait", "pass", "restore?"};  // Ctrl+U arrives in the second pass
const Log kRunEnd{"caption=start", "show", "focus", "tray=0"};
const Log kWholeRun = Join({kStartSteps, kTwoPasses, {"unhook"}, kRunEnd});
const Log kStopRoad{"caption?", "restore=1", "pass", "pass", "unhook"};

TEST(PushButton2Click, EachRoadResumesAfterAFailedStep) {
    const struct {
        const char* name;
        const char* caption;  // nullptr: the start caption
        Failures failures;
        Log calls;
        std::vector<int> reported;
    } cases[] = {
        {"start road", nullptr, {}, kWholeRun, {}},
        {"100 takes the start road", nullptr, {{"caption?", 1}}, kWholeRun, {100}},
        {"104 and 116 give two reports in order", nullptr, {{"minimize", 1}, {"show", 1}}, kWholeRun, {104, 116}},
        {"110 goes on with 112", nullptr, {{"pass", 1}}, kWholeRun, {110}},
        {"112 while testing ends the run at 114", nullptr, {{"restore?", 1}},
         Join({kStartSteps, {"pass", "restore?"}, kRunEnd}), {112}},
        {"112 while waiting ends the run at 114", nullptr, {{"wait", 1}},
         Join({kStartSteps, {"pass", "restore?", "wait"}, kRunEnd}), {112}},
        {"112 while unhooking goes on with 114", nullptr, {{"unhook", 1}}, kWholeRun, {112}},
        {"120 returns", nullptr, {{"tray=0", 1}}, kWholeRun, {120}},
        {"stop road", kStopCaption.data(), {}, kStopRoad, {}},
        {"122 and 124 go on", kStopCaption.data(), {{"restore=1", 1}, {"pass", 1}}, kStopRoad, {122, 124}},
        {"128 returns", kStopCaption.data(), {{"unhook", 1}}, kStopRoad, {128}},
        {"start caption in another case", "start Running (Press Ctrl + Alt + U To Bring This Window Back)", {},
         kStopRoad, {}},
        {"start caption with a trailing blank", "Start Running (Press Ctrl + Alt + U To Bring This Window Back) ", {},
         kStopRoad, {}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        if (c.caption) host.caption = c.caption;
        host.failures = c.failures;
        host.onPass[2] = [&] { host.restore = true; };
        host.Click();
        EXPECT_EQ(host.log, c.calls) << c.name;
        EXPECT_EQ(host.reportedLines, c.reported) << c.name;
    }
}

TEST(PushButton2Click, NestedStopRoadEndsTheRun) {
    FakeHost host;
    host.onPass[2] = [&] { host.Click(); };  // the button clicked again after restoring from the tray
    host.Click();
    EXPECT_EQ(host.log, Join({kStartSteps, {"pass", "restore?", "wait", "pass"}, kStopRoad, {"restore?", "unhook"},
                              kRunEnd}));
    EXPECT_EQ(host.caption, kStartCaption);
}

TEST(PushButton2Click, StopClickDuringTheFirstMinimiseDoesNotEndTheRun) {
    FakeHost host;
    host.onMinimize = [&] { host.Click(); };  // clicked while the balloon wait processes messages
    host.onPass[4] = [&] { host.restore = true; };
    host.Click();
    EXPECT_EQ(host.log, Join({{"caption?", "caption=stop", "minimize"}, kStopRoad,
                              {"hook", "restore=0", "pass", "restore?", "wait", "pass", "restore?", "unhook"}, kRunEnd}));
}

}  // namespace
