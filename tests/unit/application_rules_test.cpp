// Unit tests of the application title rule and of the roll, generator and command of the home page.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "app/logic/application_rules.h"

namespace {

TEST(ApplicationTitle, DropsTheLastWordThenCutsWhileTooLong) {
    const struct {
        const wchar_t* name;
        const wchar_t* title;
    } cases[] = {
        {L"Pelmorath Software", L"Pelmorath"},
        {L"a b", L"a"},
        {L"Pelmorath Software ", L"Pelmorath Software"},  // the last space counts, even a trailing one
        {L"Pelmorath", L"Pelmorath"},                     // nothing to cut
        {L"", L""},
        // 40 characters after the first cut are kept; 41 are cut again
        {L"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd Tail", L"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd"},
        {L"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Dddddddd Tail", L"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc"},
        {L"One Two Three Four Five Six Seven Eight Nine Ten Eleven", L"One Two Three Four Five Six Seven Eight"},
        {L"Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa Tail", L"Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::ApplicationTitle(c.name), c.title) << '"' << testing::PrintToString(std::wstring(c.name)) << '"';
    }
}


using app::RollOneToHundred;
using app::HomePageRollHits;
using app::TimeOfDayGenerator;

TEST(RollForHomePage, OpensOnlyOnSevenFromOneSample) {
    const struct {
        double sample;
        int number;
        bool opens;
    } cases[] = {
        {0.0, 1, false},   {0.0099, 1, false}, {0.01, 2, false},  {0.0599, 6, false},
        {0.06, 7, true},   {0.065, 7, true},   {0.0699, 7, true}, {0.07, 8, false},
        {0.5, 51, false},  {std::nextafter(1.0, 0.0), 100, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RollOneToHundred(c.sample), c.number) << c.sample;
        int calls = 0;
        EXPECT_EQ(HomePageRollHits([&] { return ++calls, c.sample; }), c.opens) << c.sample;
        EXPECT_EQ(calls, 1);
    }
    EXPECT_EQ(app::HomePageCommandLine(), L"explorer \"https://pelmorath.example/\"");
}

TEST(TimeOfDayGenerator, ReproducibleFromItsSeedAndWithinZeroToOne) {
    for (std::uint32_t seed : {0u, 1u, 43200u, 86399u, 2147483646u, 4294967295u}) {
        TimeOfDayGenerator a(seed), b(seed);
        for (int i = 0; i < 1000; ++i) {
            const double x = a.Next();
            ASSERT_EQ(x, b.Next()) << seed;
            ASSERT_GE(x, 0.0) << seed;
            ASSERT_LT(x, 1.0) << seed;
        }
    }
    EXPECT_NE(TimeOfDayGenerator(100).Next(), TimeOfDayGenerator(101).Next());
}

TEST(TimeOfDayGenerator, DrawsOneToHundredRoughlyUniformly) {
    std::array<int, 101> counts{};
    TimeOfDayGenerator generator(12345);
    for (int i = 0; i < 100000; ++i) ++counts[RollOneToHundred(generator.Next())];
    for (int n = 1; n <= 100; ++n) EXPECT_NEAR(counts[n], 1000, 150) << n;
}

// Reseeded at every start, so what counts is the first draw after each second of the day's seed: every
// number about equally often, and no run of neighbouring seconds that all open the home page.
TEST(TimeOfDayGenerator, FirstDrawAfterEachSecondsSeedIsUniformAndUncorrelated) {
    std::array<int, 101> counts{};
    int worstMinute = 0, hitsThisMinute = 0;
    for (std::uint32_t second = 0; second < 86400; ++second) {
        const int n = RollOneToHundred(TimeOfDayGenerator(second).Next());
        ++counts[n];
        if (second % 60 == 0) hitsThisMinute = 0;
        worstMinute = std::max(worstMinute, hitsThisMinute += n == app::kHomePageNumber);
    }
    for (int n = 1; n <= 100; ++n) EXPECT_NEAR(counts[n], 864, 130) << "draws of " << n;
    EXPECT_LE(worstMinute, 6) << "starts within one minute of each other open the home page together";
}

}  // namespace
