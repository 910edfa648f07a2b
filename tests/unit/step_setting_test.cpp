// Unit tests of the cached step: it follows every edit of the text and every change of the separators.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "steering/logic/step_setting.h"

namespace {

using steering::NumberFormat;
using steering::StepSetting;

const NumberFormat kEnglish{".", ","};
const NumberFormat kGerman{",", "."};

std::optional<int> StepOf(const StepSetting& s) { return s.Step() ? std::optional<int>(*s.Step()) : std::nullopt; }

TEST(StepSetting, FollowsEveryEditOfTheText) {
    struct Edit {
        const char* text;
        std::optional<int> step;
        bool numeric;
    };
    // One edit after another on the same setting, as a user types, clears and retypes.
    const Edit edits[] = {
        {"1", 1, true},       {"12", 12, true},    {"", std::nullopt, false}, {"-", std::nullopt, false},
        {"-4", -4, true},     {"abc", std::nullopt, false}, {"99999", std::nullopt, true},
        {"2.5", 2, true},     {" 7 ", 7, true},    {"1e400", std::nullopt, true}, {"5", 5, true},
    };
    StepSetting setting("5", kEnglish);
    for (const Edit& e : edits) {
        setting.SetText(e.text);
        EXPECT_EQ(setting.Text(), e.text);
        EXPECT_EQ(StepOf(setting), e.step) << '"' << e.text << '"';
        EXPECT_EQ(setting.IsNumeric(), e.numeric) << '"' << e.text << '"';
    }
}

TEST(StepSetting, AChangeOfSeparatorsConvertsTheSameTextAgain) {
    struct Case {
        const char* text;
        std::optional<int> english, german;
        bool numericInGerman;
    };
    const Case cases[] = {
        {"2,5", 25, 2, true},          {"3.5", 4, 35, true},  {"1.234,5", std::nullopt, 1234, true},
        {"1,2,3", 123, std::nullopt, false}, {"7", 7, 7, true},
    };
    for (const Case& c : cases) {
        StepSetting setting(c.text, kEnglish);
        EXPECT_EQ(StepOf(setting), c.english) << c.text;
        setting.SetFormat(kGerman);
        EXPECT_EQ(StepOf(setting), c.german) << c.text;
        EXPECT_EQ(setting.IsNumeric(), c.numericInGerman) << c.text;
        EXPECT_EQ(setting.Text(), c.text) << "the text itself never changes with the locale";
        setting.SetFormat(kEnglish);
        EXPECT_EQ(StepOf(setting), c.english) << c.text << " back in English";
    }
}

TEST(StepSetting, AnEditAfterALocaleChangeUsesTheNewSeparators) {
    StepSetting setting("5", kEnglish);
    setting.SetFormat(kGerman);
    setting.SetText("6,5");
    EXPECT_EQ(StepOf(setting), 6);
    setting.SetText("6.5");
    EXPECT_EQ(StepOf(setting), 65);
}

}  // namespace
