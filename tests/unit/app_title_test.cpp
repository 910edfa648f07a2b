// Unit tests of the application title rule.
#include <gtest/gtest.h>

#include "app/app_title.h"

namespace {

TEST(ApplicationTitle, DropsTheLastWordThenCutsWhileTooLong) {
    const struct {
        const char* name;
        const char* title;
    } cases[] = {
        {"Pelmorath Software", "Pelmorath"},
        {"a b", "a"},
        {"Pelmorath Software ", "Pelmorath Software"},  // the last space counts, even a trailing one
        {"Pelmorath", "Pelmorath"},                     // nothing to cut
        {"", ""},
        // 40 characters after the first cut are kept; 41 are cut again
        {"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd Tail", "Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Ddddddd"},
        {"Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Dddddddd Tail", "Aaaaaaaaaa Bbbbbbbbbb Cccccccccc"},
        {"One Two Three Four Five Six Seven Eight Nine Ten Eleven", "One Two Three Four Five Six Seven Eight"},
        {"Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa Tail", "Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
    };
    for (const auto& c : cases) EXPECT_EQ(app::ApplicationTitle(c.name), c.title) << '"' << c.name << '"';
}

}  // namespace
