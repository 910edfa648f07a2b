// Unit tests of how much text the step-size field keeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/step_text_limit.h"

namespace {

using app::LengthWithinLimit;

TEST(LengthWithinLimit, KeepsShortTextsAndCutsLongOnesAtTheLimit) {
    struct Case {
        std::u16string text;
        std::size_t limit, kept;
    };
    const std::u16string high = u"\xD83D", low = u"\xDE00";  // one character outside the basic plane
    const Case cases[] = {
        {u"", 4, 0},
        {u"5", 4, 1},
        {u"1234", 4, 4},
        {u"12345", 4, 4},
        {u"123" + high + low, 4, 3},          // the pair would be cut in two: keep neither half
        {u"12" + high + low, 4, 4},           // the pair ends at the limit
        {u"12" + high + low + u"9", 4, 4},
        {u"1234" + high + low, 4, 4},
        {u"\xFF11\xFF12\xFF13\xFF14\xFF15", 4, 4},
        {u"1", 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(LengthWithinLimit(c.text.c_str(), c.limit), c.kept) << c.text.size();
}

TEST(LengthWithinLimit, ReadsNoFurtherThanOnePastTheLimit) {
    // No terminator anywhere: reading one unit too far is caught by the sanitized build.
    const std::vector<char16_t> unterminated(app::kStepTextLimit + 1, u'9');
    EXPECT_EQ(LengthWithinLimit(unterminated.data()), app::kStepTextLimit);
}

}  // namespace
