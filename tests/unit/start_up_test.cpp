// Unit tests of the start-up sequence: order, the pointer file, and going on after a failed step.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/start_up.h"

namespace {

using Log = std::vector<std::string>;

class FakeStartUp : public app::StartUpHost {
public:
    bool pointerFilePresent = false;
    std::wstring folder = L"C:\\Tools\\Pelmorath";
    std::vector<std::wstring> paths;  // every path asked about or loaded, in order
    std::set<std::string> failures;
    Log log;
    std::vector<int> reportedLines;

    // The load handler, the window's first show, and what the load handler left for after it.
    void Load() {
        const app::ReportSink report = [this](const std::string& text) {
            std::smatch m;
            const std::regex pattern("\r\nin Pelmorath2021/08/31\\.Form1\\.Form_Load at line (\\d+)\r\r");
            ASSERT_TRUE(std::regex_search(text, m, pattern)) << text;
            reportedLines.push_back(std::stoi(m[1]));
        };
        app::Form_Load(*this, report);
        log.push_back("shown");
        app::Form_LoadAfterShow(*this, report);
    }

    void ApplySkin() override { Call("skin"); }
    std::wstring ExecutableFolder() override { return Call("folder"), folder; }
    bool FileExists(const std::wstring& path) override { return Call("exists " + Logged(path)), pointerFilePresent; }
    void LoadPointerImage(const std::wstring& path) override { Call("load " + Logged(path)); }
    void HomePageDraw() override { Call("draw"); }
    void SetTrayTip(std::string_view tip) override { Call("tip " + std::string(tip)); }
    void SetWindowIcon() override { Call("icon"); }
    void SetInTray(bool inTray) override { Call(inTray ? "tray on" : "tray off"); }
    void SetCaption(std::string_view caption) override { Call("caption " + std::string(caption)); }
    void SetAppTitle() override { Call("title"); }

private:
    // The log holds ASCII paths only; paths with other characters are checked through paths.
    std::string Logged(const std::wstring& text) {
        paths.push_back(text);
        return std::string(text.begin(), text.end());
    }

    void Call(const std::string& token) {
        log.push_back(token);
        if (failures.count(token)) throw app::StepFailure("failed: " + token);
    }
};

const std::string kCursor = "C:\\Tools\\Pelmorath\\HAND-M.CUR";

Log Join(Log head, const Log& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(FormLoad, RunsEveryStepInOrderAndGoesOnAfterFailures) {
    // Only the application title's hidden window, which nobody sees, waits for the first show.
    const Log tail{"draw", "tip Pelmorath Software", "icon", "tray on", "caption Pelmorath Software", "shown", "title"};
    const Log withoutFile = Join({"skin", "folder", "exists " + kCursor}, tail);
    const Log withFile = Join({"skin", "folder", "exists " + kCursor, "load " + kCursor}, tail);
    struct Case {
        const char* name;
        bool present;
        std::set<std::string> failures;
        Log calls;
        std::vector<int> reported;
    } const cases[] = {
        {"no pointer file: nothing loaded", false, {}, withoutFile, {}},
        {"pointer file beside the program", true, {}, withFile, {}},
        {"unloadable pointer file", true, {"load " + kCursor}, withFile, {106}},
        {"no folder: no test, no load", true, {"folder"}, Join({"skin", "folder"}, tail), {104}},
        {"skin fails: start-up goes on", true, {"skin"}, withFile, {100}},
        {"home page fails", false, {"draw"}, withoutFile, {108}},
        {"icon fails", false, {"icon"}, withoutFile, {126}},
        {"tray tip fails: the icon still goes in", false, {"tip Pelmorath Software"}, withoutFile, {126}},
        {"tray icon fails", false, {"tray on"}, withoutFile, {128}},
        {"both 130 steps fail", false, {"caption Pelmorath Software", "title"}, withoutFile, {130, 130}},
        {"load and title fail, in order", true, {"load " + kCursor, "title"}, withFile, {106, 130}},
    };
    for (const Case& c : cases) {
        FakeStartUp host;
        host.pointerFilePresent = c.present;
        host.failures = c.failures;
        host.Load();
        EXPECT_EQ(host.log, c.calls) << c.name;
        EXPECT_EQ(host.reportedLines, c.reported) << c.name;
    }
}

TEST(FormLoad, PointerFileBesideAFolderInAnyScript) {
    FakeStartUp host;
    host.pointerFilePresent = true;
    host.folder = L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u5de5\u5177";
    host.Load();
    const std::wstring cursor = host.folder + L"\\HAND-M.CUR";
    EXPECT_EQ(host.paths, (std::vector<std::wstring>{cursor, cursor}));
}

}  // namespace
