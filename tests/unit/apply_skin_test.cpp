// Unit tests of ApplySkin: the listing decides, the window turns to button face, the engine runs in its order.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/apply_skin.h"
#include "win/step_failure.h"

namespace {

using skin::ControlKind;
using Log = std::vector<std::string>;

// The test paths are plain ASCII.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class FakeEngine : public skin::SkinFramework {
public:
    explicit FakeEngine(Log& log) : log_(log) {}
    std::int32_t options = 0;
    std::set<std::string> failures;

    void LoadSkin(const std::wstring& path, std::string_view password) override {
        Call("load " + Narrow(path) + " [" + std::string(password) + "]");
    }
    std::int32_t Options() const override {
        log_.push_back("options?");
        return options;
    }
    void SetOptions(std::int32_t value) override { Call("options " + std::to_string(value)); }
    void SetReadableText(bool on) override { Call(std::string("readable ") + (on ? "on" : "off")); }
    void SetButtonStates(bool on) override { Call(std::string("states ") + (on ? "on" : "off")); }
    void ApplyTo(std::uintptr_t window) override { Call("apply " + std::to_string(window)); }

private:
    void Call(const std::string& token) {
        log_.push_back(token);
        if (failures.count(token.substr(0, token.find(' ')))) throw win::StepFailure("failed: " + token);
    }
    Log& log_;
};

class FakeForm : public app::SkinHost {
public:
    Log log;
    FakeEngine engine{log};
    bool listed = true;
    std::vector<app::FormControl> controls;

    std::wstring ExecutableFolder() override { return L"C:\\Tools"; }
    bool SkinFileListed(const std::wstring& path) override {
        log.push_back("listed? " + Narrow(path));
        return listed;
    }
    void SetBackColour(app::StoredColour colour) override { log.push_back("form " + Hex(colour)); }
    std::vector<app::FormControl> Controls() override { return controls; }
    void SetControlBackColour(std::uintptr_t control, app::StoredColour colour) override {
        log.push_back("control " + std::to_string(control) + " " + Hex(colour));
    }
    skin::SkinFramework& SkinFramework1() override { return engine; }
    std::uintptr_t WindowHandle() override { return 4242; }

private:
    static std::string Hex(std::uint32_t value) {
        char text[12];
        std::snprintf(text, sizeof text, "%08X", value);
        return text;
    }
};

const std::string kPath = "C:\\Tools\\x\\o.cjs";

TEST(ApplySkin, NoListedFileChangesNothing) {
    FakeForm form;
    form.listed = false;
    app::ApplySkin(form);
    EXPECT_EQ(form.log, (Log{"listed? " + kPath}));
}

TEST(ApplySkin, RecoloursThenDrivesTheEngineInOrder) {
    FakeForm form;
    form.controls = {{ControlKind::Frame, 1}, {ControlKind::Other, 2}, {ControlKind::Other, 3},
                     {ControlKind::Label, 4}, {ControlKind::Option, 5}, {ControlKind::Check, 6}};
    form.engine.options = 6;
    app::ApplySkin(form);
    EXPECT_EQ(form.log, (Log{"listed? " + kPath, "form 8000000F", "control 1 8000000F", "control 4 8000000F",
                             "control 5 8000000F", "control 6 8000000F", "load " + kPath + " []", "options?",
                             "options 7", "readable on", "states on", "apply 4242"}));
}

TEST(ApplySkin, AFailureEndsItButTheColoursStay) {
    const struct {
        const char* failing;
        std::size_t calls;  // how far the log gets
    } cases[] = {{"load", 4}, {"options", 6}, {"readable", 7}, {"states", 8}, {"apply", 9}};
    for (const auto& c : cases) {
        FakeForm form;
        form.controls = {{ControlKind::Frame, 1}};
        form.engine.options = 1;
        form.engine.failures = {c.failing};
        EXPECT_THROW(app::ApplySkin(form), win::StepFailure) << c.failing;
        ASSERT_EQ(form.log.size(), c.calls) << c.failing;
        EXPECT_EQ(form.log[1], "form 8000000F") << c.failing;
        EXPECT_EQ(form.log[2], "control 1 8000000F") << c.failing;
        EXPECT_EQ(form.log.back().rfind(c.failing, 0), 0u) << c.failing;
    }
}

TEST(KindOfControl, OptionsChecksFramesAndLabelsTakeTheWindowColour) {
    const struct {
        const char* windowClass;
        std::uint32_t style;
        ControlKind kind;
    } cases[] = {
        {"Button", 0x50010000, ControlKind::PushButton},  // push button
        {"BUTTON", 0x1, ControlKind::PushButton},         // default push button
        {"Button", 0x50000007, ControlKind::Frame},   // group box
        {"button", 0x2, ControlKind::Check},          {"Button", 0x3, ControlKind::Check},
        {"Button", 0x5, ControlKind::Check},          {"Button", 0x6, ControlKind::Check},
        {"Button", 0x4, ControlKind::Option},         {"Button", 0x9, ControlKind::Option},
        {"Button", 0xB, ControlKind::Other},          // owner-drawn
        {"Static", 0x50000000, ControlKind::Label},   {"static", 0x7, ControlKind::Label},
        {"Edit", 0x50010080, ControlKind::Other},     {"ComboBox", 0x7, ControlKind::Other},
        {"Buttons", 0x7, ControlKind::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skin::KindOfControl(c.windowClass, c.style), c.kind) << c.windowClass << " " << c.style;
        const std::string_view ascii(c.windowClass);
        EXPECT_EQ(skin::KindOfControl(std::wstring(ascii.begin(), ascii.end()), c.style), c.kind)
            << "wide " << c.windowClass << " " << c.style;
    }
    // A wide class name is compared character by character, not by its low bytes: U+0142 is no "B".
    EXPECT_EQ(skin::KindOfControl(L"\u0142utton", 0x0), ControlKind::Other);
    EXPECT_FALSE(app::TakesButtonFace(ControlKind::PushButton));
    EXPECT_FALSE(app::TakesButtonFace(ControlKind::Other));
}

TEST(ListedAsOrdinaryFile, HiddenSystemAndFoldersAreNotListed) {
    const struct {
        std::uint32_t attributes;
        bool listed;
    } cases[] = {
        {0x80, true},   // normal
        {0x20, true},   // archive
        {0x01, true},   // read-only
        {0x21, true},   // read-only archive
        {0x100, true},  // temporary
        {0x02, false},  // hidden
        {0x04, false},  // system
        {0x10, false},  // folder
        {0x23, false},  // hidden among others
        {0x11, false},  // read-only folder
    };
    for (const auto& c : cases) EXPECT_EQ(app::ListedAsOrdinaryFile(c.attributes), c.listed) << c.attributes;
}

}  // namespace
