// Unit tests of the window's colours: ApplySkin's steps and rules, and the colours high contrast asks for.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/logic/window_colours.h"
#include "tests/unit/call_log.h"
#include "win/logic/handler_failure.h"

namespace {

using skin::ControlKind;
using testing_support::CallLog;
using testing_support::Log;
using testing_support::Narrow;

constexpr std::wstring_view kFolder = L"C:\\Tools";

// The window and its engine in one recording.
class FakeForm : public app::SkinTarget {
public:
    CallLog calls;
    bool found = true;
    std::vector<app::FormControl> controls;
    std::int32_t options = 0;

    void Apply() { app::ApplySkin(*this, kFolder); }

    // The window
    bool SkinFileFound(const std::wstring& path) override {
        calls.Call("found? " + Narrow(path));
        return found;
    }
    void SetBackColour(app::StoredColour colour) override { calls.Call("form " + Hex(colour)); }
    std::vector<app::FormControl> Controls() override { return controls; }
    void SetControlBackColour(win::WindowId control, app::StoredColour colour) override {
        calls.Call("control " + std::to_string(static_cast<std::uintptr_t>(control)) + " " + Hex(colour));
    }

    // The engine
    void LoadSkin(const std::wstring& path, std::wstring_view password) override {
        calls.Call("load " + Narrow(path) + " [" + Narrow(password) + "]");
    }
    std::int32_t SkinOptions() override {
        calls.Call("options?");
        return options;
    }
    void SetSkinOptions(std::int32_t value) override { calls.Call("options " + std::to_string(value)); }
    void SetReadableText(bool on) override { calls.Call(std::string("readable ") + (on ? "on" : "off")); }
    void SetButtonStates(bool on) override { calls.Call(std::string("states ") + (on ? "on" : "off")); }
    void ApplySkinToWindow() override { calls.Call("apply"); }

private:
    static std::string Hex(std::uint32_t value) {
        char text[12];
        std::snprintf(text, sizeof text, "%08X", value);
        return text;
    }
};

const std::string kPath = "C:\\Tools\\x\\o.cjs";

win::WindowId Window(std::uintptr_t id) { return static_cast<win::WindowId>(id); }

TEST(ApplySkin, NoSkinFileChangesNothing) {
    FakeForm form;
    form.found = false;
    form.Apply();
    EXPECT_EQ(form.calls.log, (Log{"found? " + kPath}));
}

TEST(ApplySkin, RecoloursThenDrivesTheEngineInOrder) {
    FakeForm form;
    form.controls = {{ControlKind::Frame, Window(1)}, {ControlKind::Other, Window(2)}, {ControlKind::Other, Window(3)},
                     {ControlKind::Label, Window(4)}, {ControlKind::Option, Window(5)}, {ControlKind::Check, Window(6)}};
    form.options = 6;
    form.Apply();
    EXPECT_EQ(form.calls.log, (Log{"found? " + kPath, "form 8000000F", "control 1 8000000F", "control 4 8000000F",
                             "control 5 8000000F", "control 6 8000000F", "load " + kPath + " []", "options?",
                             "options 7", "readable on", "states on", "apply"}));
}

TEST(ApplySkin, AFailureEndsItButTheColoursStay) {
    const struct {
        std::string failing;
        std::size_t calls;  // how far the log gets
    } cases[] = {{"load " + kPath + " []", 4}, {"options 1", 6}, {"readable on", 7}, {"states on", 8}, {"apply", 9}};
    for (const auto& c : cases) {
        FakeForm form;
        form.controls = {{ControlKind::Frame, Window(1)}};
        form.options = 1;
        form.calls.failures = {{c.failing, 1}};
        EXPECT_THROW(form.Apply(), win::HandlerFailure) << c.failing;
        ASSERT_EQ(form.calls.log.size(), c.calls) << c.failing;
        EXPECT_EQ(form.calls.log[1], "form 8000000F") << c.failing;
        EXPECT_EQ(form.calls.log[2], "control 1 8000000F") << c.failing;
        EXPECT_EQ(form.calls.log.back(), c.failing) << c.failing;
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

TEST(IsOrdinaryFile, HiddenSystemAndFoldersAreNotFound) {
    const struct {
        std::uint32_t attributes;
        bool found;
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
    for (const auto& c : cases) EXPECT_EQ(app::IsOrdinaryFile(c.attributes), c.found) << c.attributes;
}


using app::FormPart;
using app::PartColours;

constexpr app::StoredColour kSkinBlue = 0x00302010;

// A background; the part keeps its own text colour.
PartColours Back(app::StoredColour background) { return {background, std::nullopt}; }
// The system's window pair.
const PartColours kWindowPair{app::kSystemWindow, app::kSystemWindowText};

struct ColourCase {
    const char* name;
    FormPart part;
    app::StoredColour stored;
    bool highContrast;
    std::optional<PartColours> colours;
};

TEST(ColoursOf, StoredColoursOrInHighContrastTheSystemsWindowPair) {
    const ColourCase cases[] = {
        {"the window, white as designed", FormPart::Window, app::kStoredWhite, false, Back(app::kStoredWhite)},
        {"the window in button face under a skin", FormPart::Window, app::kButtonFace, false, Back(app::kButtonFace)},
        {"the frame, white", FormPart::Frame, app::kStoredWhite, false, Back(app::kStoredWhite)},
        {"a frame colour of its own", FormPart::Frame, kSkinBlue, false, Back(kSkinBlue)},
        {"around the button, the window's", FormPart::Button, app::kButtonFace, false, Back(app::kButtonFace)},
        {"the field keeps its own", FormPart::Field, app::kStoredWhite, false, std::nullopt},
        {"the window in high contrast", FormPart::Window, app::kStoredWhite, true, kWindowPair},
        {"the skinned window in high contrast", FormPart::Window, app::kButtonFace, true, kWindowPair},
        {"the frame in high contrast", FormPart::Frame, kSkinBlue, true, kWindowPair},
        {"the field in high contrast", FormPart::Field, app::kStoredWhite, true, kWindowPair},
        {"around the button in high contrast; the button draws its own face and caption", FormPart::Button,
         app::kButtonFace, true, Back(app::kSystemWindow)},
    };
    for (const ColourCase& c : cases) {
        EXPECT_EQ(app::ColoursOf(c.part, c.stored, c.highContrast), c.colours) << c.name;
    }
}

}  // namespace
