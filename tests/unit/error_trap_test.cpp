// Unit tests of the error report text and the trap that runs one numbered step.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/logic/error_trap.h"

namespace {

using app::ComposeErrorReport;
using app::ErrorTrap;
using app::HandlerFailure;

constexpr const wchar_t* kLoad = L"in Pelmorath2021/08/31.Form1.Form_Load ";
constexpr const wchar_t* kTail = L"\r\rPlease email screenshot of this message to support@pelmorath.example";

TEST(ComposeErrorReport, ExactBytes) {
    struct Case {
        const wchar_t* description;
        const wchar_t* procedure;
        int line;
        std::wstring text;
    } const cases[] = {
        {L"Invalid picture", kLoad, 106,
         std::wstring(L"Invalid picture\r\nin Pelmorath2021/08/31.Form1.Form_Load at line 106") + kTail},
        {L"", kLoad, 100, std::wstring(L"\r\nin Pelmorath2021/08/31.Form1.Form_Load at line 100") + kTail},
        {L"Access is denied.", L"in Pelmorath2021/08/31.Form1.PushButton2_Click ", 128,
         std::wstring(L"Access is denied.\r\nin Pelmorath2021/08/31.Form1.PushButton2_Click at line 128") + kTail},
        {L"x", L"in Pelmorath2021/08/31.Form1.Form_QueryUnload ", 1000,
         std::wstring(L"x\r\nin Pelmorath2021/08/31.Form1.Form_QueryUnload at line 1000") + kTail},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeErrorReport(c.description, c.procedure, c.line), c.text);
}

// What a report sink is handed, composed as the program's sink composes it.
app::ReportSink Composing(std::vector<std::wstring>& reports) {
    return [&reports](std::wstring_view description, std::wstring_view procedure, int line) {
        reports.push_back(ComposeErrorReport(description, procedure, line));
    };
}

TEST(ErrorTrap, ReportsAFailedStepWithItsLineAndGoesOn) {
    std::vector<std::wstring> reports;
    ErrorTrap trap(kLoad, Composing(reports));
    int done = 0;
    EXPECT_TRUE(trap.Run(100, [&] { ++done; }));
    EXPECT_FALSE(trap.Run(104, [&] {
        ++done;  // what ran before the failure stays done
        throw HandlerFailure(L"The system cannot find the file specified.");
    }));
    EXPECT_FALSE(trap.Run(130, [] { throw HandlerFailure(L""); }));
    EXPECT_EQ(done, 2);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], ComposeErrorReport(L"The system cannot find the file specified.", kLoad, 104));
    EXPECT_EQ(reports[1], ComposeErrorReport(L"", kLoad, 130));
}

TEST(ErrorTrap, NamesOtherFailuresByTheirKind) {
    std::vector<std::wstring> reports;
    ErrorTrap trap(kLoad, Composing(reports));
    EXPECT_FALSE(trap.Run(100, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(trap.Run(104, [] { throw std::length_error("basic_string::append"); }));
    EXPECT_FALSE(trap.Run(106, [] { throw 42; }));
    EXPECT_EQ(reports, (std::vector<std::wstring>{ComposeErrorReport(L"Out of memory", kLoad, 100),
                                                   ComposeErrorReport(L"basic_string::append", kLoad, 104),
                                                   ComposeErrorReport(L"Unknown error", kLoad, 106)}));
}

TEST(ErrorTrap, NothingEscapesEvenAFailingReport) {
    ErrorTrap trap(kLoad, [](std::wstring_view, std::wstring_view, int) { throw std::runtime_error("no message box"); });
    EXPECT_FALSE(trap.Run(108, [] { throw 42; }));
    ErrorTrap silent(kLoad, nullptr);
    EXPECT_FALSE(silent.Run(108, [] { throw HandlerFailure(L"x"); }));
}

}  // namespace
