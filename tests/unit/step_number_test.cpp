// Unit tests of the step-text recogniser and the step conversion.
#include <gtest/gtest.h>

#include <optional>

#include "steering/logic/step_number.h"

namespace {

using steering::ConvertStep;
using steering::IsNumeric;
using steering::NumberFormat;

const NumberFormat kEnglish{".", ","};
const NumberFormat kGerman{",", "."};
const NumberFormat kFrench{",", " "};
const NumberFormat kFrenchNbsp{",", "\xC2\xA0"};

struct StepCase {
    const char* text;
    const NumberFormat* format;
    std::optional<int> step;
};

TEST(ConvertStep, GivesTheRoundedStepOrNothing) {
    const StepCase cases[] = {
        // plain numbers, signs and blanks around them
        StepCase{"5", &kEnglish, 5}, StepCase{"  12\t ", &kEnglish, 12}, StepCase{"+7", &kEnglish, 7},
        StepCase{"-5", &kEnglish, -5}, StepCase{"0", &kEnglish, 0}, StepCase{".5", &kEnglish, 0},
        StepCase{"5.", &kEnglish, 5},
        // half to even, both signs; anything past the half rounds away
        StepCase{"2.5", &kEnglish, 2}, StepCase{"3.5", &kEnglish, 4}, StepCase{"0.5", &kEnglish, 0},
        StepCase{"-2.5", &kEnglish, -2}, StepCase{"-3.5", &kEnglish, -4}, StepCase{"2.500001", &kEnglish, 3},
        StepCase{"2.499999", &kEnglish, 2}, StepCase{"-0.4", &kEnglish, 0},
        // range edges, judged after rounding
        StepCase{"32767", &kEnglish, 32767}, StepCase{"32767.4", &kEnglish, 32767}, StepCase{"32767.5", &kEnglish, std::nullopt},
        StepCase{"32768", &kEnglish, std::nullopt}, StepCase{"-32768", &kEnglish, -32768},
        StepCase{"-32768.5", &kEnglish, -32768}, StepCase{"-32768.6", &kEnglish, std::nullopt},
        StepCase{"-32769", &kEnglish, std::nullopt}, StepCase{"99999", &kEnglish, std::nullopt},
        // exponents, including ones beyond a double
        StepCase{"1e3", &kEnglish, 1000}, StepCase{"1E+2", &kEnglish, 100}, StepCase{"25e-1", &kEnglish, 2},
        StepCase{"1e5", &kEnglish, std::nullopt}, StepCase{"1e400", &kEnglish, std::nullopt},
        StepCase{"-1e400", &kEnglish, std::nullopt}, StepCase{"1e-400", &kEnglish, 0},
        // the user's separators, and only those
        StepCase{"1,000", &kEnglish, 1000}, StepCase{"1,234.5", &kEnglish, 1234},
        StepCase{"2,5", &kGerman, 2}, StepCase{"3,5", &kGerman, 4}, StepCase{"1.234,5", &kGerman, 1234},
        StepCase{"2.5", &kGerman, 25}, StepCase{"1 000", &kFrench, 1000}, StepCase{" 1 000,5 ", &kFrench, 1000},
        StepCase{"1\xC2\xA0" "000", &kFrenchNbsp, 1000}, StepCase{"1 000", &kEnglish, std::nullopt},
        // not numbers
        StepCase{"", &kEnglish, std::nullopt}, StepCase{"   ", &kEnglish, std::nullopt},
        StepCase{"abc", &kEnglish, std::nullopt}, StepCase{"5a", &kEnglish, std::nullopt},
        StepCase{"a5", &kEnglish, std::nullopt}, StepCase{"1e", &kEnglish, std::nullopt},
        StepCase{"e3", &kEnglish, std::nullopt}, StepCase{"--5", &kEnglish, std::nullopt},
        StepCase{"-", &kEnglish, std::nullopt}, StepCase{".", &kEnglish, std::nullopt},
        StepCase{"1.2.3", &kEnglish, std::nullopt}, StepCase{",5", &kEnglish, std::nullopt},
        StepCase{"1,,000", &kEnglish, std::nullopt}, StepCase{"1.5,0", &kEnglish, std::nullopt},
        StepCase{"0x10", &kEnglish, std::nullopt}, StepCase{"inf", &kEnglish, std::nullopt},
        StepCase{"nan", &kEnglish, std::nullopt}, StepCase{"- 5", &kEnglish, std::nullopt},
        // digits of other scripts read with their value, alone, mixed and around the separators
        StepCase{"\uFF11\uFF12", &kEnglish, 12}, StepCase{"-\u0667", &kEnglish, -7},
        StepCase{"\u06F1\u06F5", &kEnglish, 15}, StepCase{"\u0967\u0966.\u096B", &kEnglish, 10},
        StepCase{"1\uFF10", &kEnglish, 10}, StepCase{"\uFF11,\uFF10\uFF10\uFF10", &kEnglish, 1000},
        StepCase{"\uFF11e\uFF12", &kEnglish, 100}, StepCase{"\u0E52\u0E55", &kEnglish, 25},
        // letters and marks of those scripts are no digits, nor is a cut sequence
        StepCase{"\uFF21", &kEnglish, std::nullopt}, StepCase{"\u0670", &kEnglish, std::nullopt},
        StepCase{"1\xEF\xBC", &kEnglish, std::nullopt}, StepCase{"\xEF\xBC\x91", &kEnglish, 1},
        StepCase{"\uFF10\uFF19\u0669\u0660", &kEnglish, 990},
    };
    for (const StepCase& c : cases) {
        const std::optional<std::int16_t> step = ConvertStep(c.text, *c.format);
        EXPECT_EQ(step ? std::optional<int>(*step) : std::nullopt, c.step) << '"' << c.text << '"';
    }
}

struct NumericCase {
    const char* text;
    const NumberFormat* format;
    bool numeric;
};

// The field's test on focus loss: a number of any size or sign passes, only non-numbers fail.
TEST(IsNumeric, AcceptsAnyNumberAndNothingElse) {
    const NumericCase cases[] = {
        {"", &kEnglish, false},     {"  \t ", &kEnglish, false},  {"abc", &kEnglish, false},
        {"12abc", &kEnglish, false}, {"-3", &kEnglish, true},      {"1e3", &kEnglish, true},
        {"99999", &kEnglish, true},  {" 42 ", &kEnglish, true},    {"1e400", &kEnglish, true},
        {"123456789012345678901234567890", &kEnglish, true},       {"2,5", &kGerman, true},
        {"1.000", &kGerman, true},   {"1.000,25", &kGerman, true}, {"1 000,5", &kFrench, true},
        {"2,5,", &kGerman, false},   {"1,5", &kEnglish, true},
    };
    for (const NumericCase& c : cases) EXPECT_EQ(IsNumeric(c.text, *c.format), c.numeric) << '"' << c.text << '"';
}

}  // namespace
