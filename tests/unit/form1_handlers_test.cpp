// Unit tests of Form1's handlers: start-up, the start/stop button's branches, hiding into the tray and the close,
// each in its order, and where each goes on after a failed line.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/logic/form1_handlers.h"
#include "tests/unit/call_log.h"

namespace {

using app::kStartCaption;
using app::kStopCaption;
using testing_support::CallLog;
using testing_support::Failures;
using testing_support::Join;
using testing_support::LinesReported;
using testing_support::Log;
using testing_support::Narrow;

// The window, its steering, its pump, its look, the program and the tray control in one recording. Scripted actions
// stand for what the platform does inside a pass of the message pump or the minimise (a hook call, a nested click).
class FakeForm1 final : public app::Form1Platform,
                        public app::SteeringControl,
                        public app::LookFiles,
                        public app::ProgramPlatform {
public:
    CallLog calls;
    std::vector<int> reportedLines;

    std::wstring caption{kStartCaption};
    bool restore = true;  // stale from an earlier run: the start branch must clear it
    bool inTrayFlag = false;
    bool pointerFilePresent = false;
    std::wstring folder = L"C:\\Tools\\Pelmorath";
    std::vector<std::wstring> paths;  // every path asked about or loaded, in order
    // Run during the pass of the message pump with that number, counted from 1.
    int scriptedPass = 0;
    std::function<void()> duringPass;
    std::function<void()> duringMinimize;

    void Click() { app::PushButton2_Click(*this, *this, LinesReported(reportedLines, app::kClickProcedure)); }
    // The load handler, the window's first show, and what the load handler left for after it.
    void Load() {
        const app::ReportSink report = LinesReported(reportedLines, app::kLoadProcedure);
        app::Form_Load(*this, *this, *this, report);
        calls.log.push_back("shown");
        app::Form_LoadAfterShow(*this, report);
    }
    void QueryUnload() {
        app::Form_QueryUnload(*this, *this, LinesReported(reportedLines, app::kQueryUnloadProcedure));
    }

    // The window and its button
    std::wstring ButtonCaption() override {
        calls.Call("caption?");
        return caption;
    }
    void SetButtonCaption(std::wstring_view c) override {
        calls.Call(c == kStopCaption ? "caption=stop" : c == kStartCaption ? "caption=start" : "caption=?");
        caption = c;
    }
    void SetCaption(std::wstring_view c) override { calls.Call("window caption " + Narrow(c)); }
    void SetWindowIcon() override { calls.Call("icon"); }
    void MinimizeWindow() override {
        calls.Call("minimize");
        if (duringMinimize) duringMinimize();
    }
    void ShowWindow() override { calls.Call("show"); }
    void FocusWindow() override { calls.Call("focus"); }
    void SetMinimizedToTray(bool m) override {
        calls.Call(m ? "flag=1" : "flag=0");
        inTrayFlag = m;
    }

    // The run's steering
    void StartSteering() override { calls.Call("hook"); }
    void StopSteering() override { calls.Call("unhook"); }
    bool RestoreRequested() override {
        calls.Call("restore?");
        return restore;
    }
    void SetRestoreRequested(bool r) override {
        calls.Call(r ? "restore=1" : "restore=0");
        restore = r;
    }

    // The thread's messages
    void ProcessPendingMessages() override {
        const int pass = calls.Call("pass");
        if (pass > 50) restore = true;  // a runaway loop: end it so the test fails instead of hanging
        if (pass == scriptedPass && duringPass) duringPass();
    }
    void WaitForInput() override { calls.Call("wait"); }

    // The look
    void ApplySkin(std::wstring_view) override { calls.Call("skin"); }
    void LoadPointerImage(const std::wstring& path) override { calls.Call("load " + Logged(path)); }

    // The program
    const std::wstring& ExecutableFolder() override {
        calls.Call("folder");
        return folder;
    }
    bool FileExists(const std::wstring& path) override {
        calls.Call("exists " + Logged(path));
        return pointerFilePresent;
    }
    void RollForHomePage() override { calls.Call("roll"); }
    void SetAppTitle() override { calls.Call("title"); }

    // cSysTray1
    void SetTrayTip(std::wstring_view tip) override { calls.Call("tip " + Narrow(tip)); }
    void SetInTray(bool show) override { calls.Call(show ? "icon on" : "icon off"); }

private:
    // The log holds ASCII paths only; paths with other characters are checked through paths.
    std::string Logged(const std::wstring& text) {
        paths.push_back(text);
        return Narrow(text);
    }
};

// Form_Load

const std::string kCursor = "C:\\Tools\\Pelmorath\\HAND-M.CUR";

TEST(FormLoad, RunsEveryLineInOrderAndGoesOnAfterFailures) {
    // Only the application title's hidden window, which nobody sees, waits for the first show.
    const Log tail{"roll", "tip Pelmorath Software", "icon", "icon on", "window caption Pelmorath Software", "shown",
                   "title"};
    // The skin file and the pointer file are both beside the program.
    const Log withoutFile = Join({{"folder", "skin", "folder", "exists " + kCursor}, tail});
    const Log withFile = Join({{"folder", "skin", "folder", "exists " + kCursor, "load " + kCursor}, tail});
    struct Case {
        const char* name;
        bool present;
        Failures failures;
        Log calls;
        std::vector<int> reported;
    } const cases[] = {
        {"no pointer file: nothing loaded", false, {}, withoutFile, {}},
        {"pointer file beside the program", true, {}, withFile, {}},
        {"unloadable pointer file", true, {{"load " + kCursor, 1}}, withFile, {106}},
        {"no folder: no skin, no test, no load", true, {{"folder", 1}, {"folder", 2}}, Join({{"folder", "folder"}, tail}),
         {100, 104}},
        {"skin fails: start-up goes on", true, {{"skin", 1}}, withFile, {100}},
        {"home page fails", false, {{"roll", 1}}, withoutFile, {108}},
        {"icon fails", false, {{"icon", 1}}, withoutFile, {126}},
        {"tray tip fails: the icon still goes in", false, {{"tip Pelmorath Software", 1}}, withoutFile, {126}},
        {"tray icon fails", false, {{"icon on", 1}}, withoutFile, {128}},
        {"both lines 130 fail", false, {{"window caption Pelmorath Software", 1}, {"title", 1}}, withoutFile, {130, 130}},
        {"load and title fail, in order", true, {{"load " + kCursor, 1}, {"title", 1}}, withFile, {106, 130}},
    };
    for (const Case& c : cases) {
        FakeForm1 form;
        form.pointerFilePresent = c.present;
        form.calls.failures = c.failures;
        form.Load();
        EXPECT_EQ(form.calls.log, c.calls) << c.name;
        EXPECT_EQ(form.reportedLines, c.reported) << c.name;
    }
}

TEST(FormLoad, PointerFileBesideAFolderInAnyScript) {
    FakeForm1 form;
    form.pointerFilePresent = true;
    form.folder = L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u5de5\u5177";
    form.Load();
    const std::wstring cursor = form.folder + L"\\HAND-M.CUR";
    EXPECT_EQ(form.paths, (std::vector<std::wstring>{cursor, cursor}));
}

// PushButton2_Click

const Log kStartLines{"caption?", "caption=stop", "minimize", "hook", "restore=0"};
const Log kTwoPasses{"pass", "restore?", "wait", "pass", "restore?"};  // Ctrl+U arrives in the second pass
const Log kRunEnd{"caption=start", "show", "focus", "flag=0"};
const Log kWholeRun = Join({kStartLines, kTwoPasses, {"unhook"}, kRunEnd});
const Log kStopBranch{"caption?", "restore=1", "pass", "pass", "unhook"};

TEST(PushButton2Click, EachBranchGoesOnAfterAFailedLine) {
    const struct {
        const char* name;
        const wchar_t* caption;  // nullptr: the start caption
        Failures failures;
        Log calls;
        std::vector<int> reported;
    } cases[] = {
        {"start branch", nullptr, {}, kWholeRun, {}},
        {"100 takes the start branch", nullptr, {{"caption?", 1}}, kWholeRun, {100}},
        {"104 and 116 give two reports in order", nullptr, {{"minimize", 1}, {"show", 1}}, kWholeRun, {104, 116}},
        {"110 goes on with 112", nullptr, {{"pass", 1}}, kWholeRun, {110}},
        {"112 while testing ends the run at 114", nullptr, {{"restore?", 1}},
         Join({kStartLines, {"pass", "restore?"}, kRunEnd}), {112}},
        {"112 while waiting ends the run at 114", nullptr, {{"wait", 1}},
         Join({kStartLines, {"pass", "restore?", "wait"}, kRunEnd}), {112}},
        {"112 while unhooking goes on with 114", nullptr, {{"unhook", 1}}, kWholeRun, {112}},
        {"120 returns", nullptr, {{"flag=0", 1}}, kWholeRun, {120}},
        {"stop branch", kStopCaption.data(), {}, kStopBranch, {}},
        {"122 and 124 go on", kStopCaption.data(), {{"restore=1", 1}, {"pass", 1}}, kStopBranch, {122, 124}},
        {"128 returns", kStopCaption.data(), {{"unhook", 1}}, kStopBranch, {128}},
        {"start caption in another case", L"start Running (Press Ctrl + Alt + U To Bring This Window Back)", {},
         kStopBranch, {}},
        {"start caption with a trailing blank", L"Start Running (Press Ctrl + Alt + U To Bring This Window Back) ", {},
         kStopBranch, {}},
    };
    for (const auto& c : cases) {
        FakeForm1 form;
        if (c.caption) form.caption = c.caption;
        form.calls.failures = c.failures;
        form.scriptedPass = 2;
        form.duringPass = [&] { form.restore = true; };  // Ctrl+U
        form.Click();
        EXPECT_EQ(form.calls.log, c.calls) << c.name;
        EXPECT_EQ(form.reportedLines, c.reported) << c.name;
    }
}

TEST(PushButton2Click, NestedStopBranchEndsTheRun) {
    FakeForm1 form;
    form.scriptedPass = 2;
    form.duringPass = [&] { form.Click(); };  // the button clicked again after restoring from the tray
    form.Click();
    EXPECT_EQ(form.calls.log, Join({kStartLines, {"pass", "restore?", "wait", "pass"}, kStopBranch,
                                    {"restore?", "unhook"}, kRunEnd}));
    EXPECT_EQ(form.caption, kStartCaption);
}

TEST(PushButton2Click, StopClickDuringTheFirstMinimiseDoesNotEndTheRun) {
    FakeForm1 form;
    form.duringMinimize = [&] { form.Click(); };  // clicked while the balloon wait processes messages
    form.scriptedPass = 4;
    form.duringPass = [&] { form.restore = true; };
    form.Click();
    EXPECT_EQ(form.calls.log,
              Join({{"caption?", "caption=stop", "minimize"}, kStopBranch,
                    {"hook", "restore=0", "pass", "restore?", "wait", "pass", "restore?", "unhook"}, kRunEnd}));
}

// Form_Resize's rule, cSysTray1_MouseUp, Form_QueryUnload

TEST(FormResize, HidesAMinimisedWindowIntoTheTrayOnce) {
    struct Case {
        const char* name;
        bool minimized, flag, iconInShell;
        bool hides;
    } const cases[] = {
        {"minimised", true, false, true, true},
        {"normal: the resize of a show or a restore", false, false, true, false},
        {"already in the tray", true, true, true, false},
        {"no icon in the tray: stays minimised on the taskbar", true, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::HidesIntoTray({c.minimized, c.flag, c.iconInShell}), c.hides) << c.name;
    }
}

TEST(TrayMouseUp, ShowsFocusesAndClearsTheFlag) {
    FakeForm1 form;
    form.inTrayFlag = true;
    app::cSysTray1_MouseUp(form);
    EXPECT_EQ(form.calls.log, (Log{"show", "focus", "flag=0"}));
}

TEST(FormQueryUnload, StopsSteeringRemovesTheIconThenPumpsThriceGoingOnAfterFailures) {
    const Log all{"unhook", "icon off", "pass", "pass", "pass"};
    struct Case {
        const char* name;
        Failures failures;
        std::vector<int> reported;
    } const cases[] = {
        {"no failure", {}, {}},
        {"hook removal fails", {{"unhook", 1}}, {100}},
        {"icon removal fails", {{"icon off", 1}}, {102}},
        {"every pass fails", {{"pass", 1}, {"pass", 2}, {"pass", 3}}, {104, 106, 108}},
    };
    for (const Case& c : cases) {
        FakeForm1 form;
        form.calls.failures = c.failures;
        form.QueryUnload();
        EXPECT_EQ(form.calls.log, all) << c.name;
        EXPECT_EQ(form.reportedLines, c.reported) << c.name;
    }
}

TEST(FormUnload, EndsWithAFailureWhenTheWindowNeverCameUp) {
    EXPECT_EQ(app::UnloadExitCode(true), 0);
    EXPECT_NE(app::UnloadExitCode(false), 0);
}

}  // namespace
