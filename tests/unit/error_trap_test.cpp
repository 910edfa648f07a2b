// Unit tests of the error report text and the trap that runs one numbered step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/error_trap.h"

namespace {

using app::ComposeErrorReport;
using app::ErrorTrap;
using app::HandlerFailure;

constexpr const char* kLoad = "in Pelmorath2021/08/31.Form1.Form_Load ";
constexpr const char* kTail = "\r\rPlease email screenshot of this message to support@pelmorath.example";

TEST(ComposeErrorReport, ExactBytes) {
    struct Case {
        const char* description;
        const char* procedure;
        int line;
        std::string text;
    } const cases[] = {
        {"Invalid picture", kLoad, 106,
         std::string("Invalid picture\r\nin Pelmorath2021/08/31.Form1.Form_Load at line 106") + kTail},
        {"", kLoad, 100, std::string("\r\nin Pelmorath2021/08/31.Form1.Form_Load at line 100") + kTail},
        {"Access is denied.", "in Pelmorath2021/08/31.Form1.PushButton2_Click ", 128,
         std::string("Access is denied.\r\nin Pelmorath2021/08/31.Form1.PushButton2_Click at line 128") + kTail},
        {"x", "in Pelmorath2021/08/31.Form1.Form_QueryUnload ", 1000,
         std::string("x\r\nin Pelmorath2021/08/31.Form1.Form_QueryUnload at line 1000") + kTail},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeErrorReport(c.description, c.procedure, c.line), c.text);
}

TEST(ErrorTrap, ReportsAFailedStepWithItsLineAndGoesOn) {
    std::vector<std::string> reports;
    ErrorTrap trap(kLoad, [&](const std::string& text) { reports.push_back(text); });
    int done = 0;
    EXPECT_TRUE(trap.Run(100, [&] { ++done; }));
    EXPECT_FALSE(trap.Run(104, [&] {
        ++done;  // what ran before the failure stays done
        throw HandlerFailure("The system cannot find the file specified.");
    }));
    EXPECT_FALSE(trap.Run(130, [] { throw HandlerFailure(""); }));
    EXPECT_EQ(done, 2);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], ComposeErrorReport("The system cannot find the file specified.", kLoad, 104));
    EXPECT_EQ(reports[1], ComposeErrorReport("", kLoad, 130));
}

TEST(ErrorTrap, NothingEscapesEvenAFailingReport) {
    ErrorTrap trap(kLoad, [](const std::string&) { throw std::runtime_error("no message box"); });
    EXPECT_FALSE(trap.Run(108, [] { throw 42; }));
    ErrorTrap silent(kLoad, nullptr);
    EXPECT_FALSE(silent.Run(108, [] { throw HandlerFailure("x"); }));
}

}  // namespace
