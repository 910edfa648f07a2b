// Unit tests of hiding into the tray, the icon's click, and the steps before the window closes.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/tray_handlers.h"

namespace {

using Log = std::vector<std::string>;

class FakeHost : public app::TrayHandlersHost, public app::WindowPresence {
public:
    bool minimized = false;
    bool inTrayFlag = false;
    bool iconInShell = true;
    std::set<std::string> failures;
    Log log;
    std::vector<int> reportedLines;

    void QueryUnload() {
        app::Form_QueryUnload(*this, *this, [this](const std::string& text) {
            std::smatch m;
            ASSERT_TRUE(std::regex_search(text, m, std::regex("\r\nin Pelmorath2021/08/31\\.Form1\\.Form_QueryUnload at line (\\d+)\r\r")))
                << text;
            reportedLines.push_back(std::stoi(m[1]));
        });
    }

    bool IsMinimized() override { return minimized; }
    bool MinimizedToTray() override { return inTrayFlag; }
    void SetMinimizedToTray(bool m) override { Call(m ? "flag=1" : "flag=0"), inTrayFlag = m; }
    bool TrayIconInShell() override { return iconInShell; }
    void HideWindow() override { Call("hide"); }
    void ShowTrayBalloon(std::string_view tip, std::string_view title, std::int32_t seconds, bool once) override {
        Call("balloon " + std::string(title) + "|" + std::string(tip) + "|" + std::to_string(seconds) +
             (once ? "|once" : ""));
    }
    void ShowWindow() override { Call("show"); }
    void FocusWindow() override { Call("activate"); }
    void UnhookKeyboard() override { Call("unhook"); }
    void SetInTray(bool v) override { Call(v ? "intray=1" : "intray=0"); }
    void ProcessPendingMessages() override { Call("pass"); }

private:
    void Call(const std::string& token) {
        log.push_back(token);
        if (failures.count(token)) throw app::StepFailure("failed: " + token);
    }
};

TEST(FormResize, HidesAMinimisedWindowIntoTheTrayOnce) {
    const std::string balloon =
        "balloon Pelmorath Software|has been minimized to the system tray.\r\n"
        "Click on the blue 'Q' icon (Q for Quendrix) to bring the software back.|5|once";
    struct Case {
        const char* name;
        bool minimized, flag, iconInShell;
        Log calls;
    } const cases[] = {
        {"minimised", true, false, true, {"hide", "flag=1", balloon}},
        {"normal: the resize of a show or a restore", false, false, true, {}},
        {"already in the tray", true, true, true, {}},
        {"no icon in the tray: stays minimised on the taskbar", true, false, false, {}},
    };
    for (const Case& c : cases) {
        FakeHost host;
        host.minimized = c.minimized;
        host.inTrayFlag = c.flag;
        host.iconInShell = c.iconInShell;
        app::Form_Resize(host, host);
        EXPECT_EQ(host.log, c.calls) << c.name;
    }
}

TEST(TrayMouseUp, ShowsActivatesAndClearsTheFlag) {
    FakeHost host;
    host.inTrayFlag = true;
    app::cSysTray1_MouseUp(host);
    EXPECT_EQ(host.log, (Log{"show", "activate", "flag=0"}));
}

TEST(FormQueryUnload, RemovesHookAndIconThenYieldsThriceGoingOnAfterFailures) {
    const Log all{"unhook", "intray=0", "pass", "pass", "pass"};
    struct Case {
        const char* name;
        std::set<std::string> failures;
        std::vector<int> reported;
    } const cases[] = {
        {"no failure", {}, {}},
        {"hook removal fails", {"unhook"}, {100}},
        {"icon removal fails", {"intray=0"}, {102}},
        {"every yield fails", {"pass"}, {104, 106, 108}},
    };
    for (const Case& c : cases) {
        FakeHost host;
        host.failures = c.failures;
        host.QueryUnload();
        EXPECT_EQ(host.log, all) << c.name;
        EXPECT_EQ(host.reportedLines, c.reported) << c.name;
    }
}

TEST(FormUnload, EndsWithAFailureWhenTheWindowNeverCameUp) {
    EXPECT_EQ(app::UnloadExitCode(true), 0);
    EXPECT_NE(app::UnloadExitCode(false), 0);
}

}  // namespace
