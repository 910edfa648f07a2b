// The error trap of the reporting handlers: numbered lines, a report on failure, then the next line.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "win/logic/handler_failure.h"

namespace app {

inline constexpr std::wstring_view kErrorReportTitle = L"Application Error";

// The report text: description, CR LF, procedure identifier (ending in a blank), "at line N", CR CR,
// and the request to send a screenshot to support.
std::wstring ComposeErrorReport(std::wstring_view description, std::wstring_view procedure, int line);

// A line's failure, described the way the failing operation described it.
using win::HandlerFailure;

// Shows one report, composed with ComposeErrorReport, and returns when the user has closed it.
using ReportSink = std::function<void(std::wstring_view description, std::wstring_view procedure, int line)>;

// One trap per run of a handler. A failing line stops where it failed, is reported with its number, and the
// caller simply goes on with its next line: nothing is retried and nothing escapes.
class ErrorTrap {
public:
    // The procedure is one of the fixed identifiers, which outlive every trap.
    ErrorTrap(std::wstring_view procedure, ReportSink report) : procedure_(procedure), report_(std::move(report)) {}

    // Runs one line under the trap; false when it failed and was reported.
    template <class Action>
    bool Run(int line, Action&& action) noexcept {
        try {
            std::forward<Action>(action)();
            return true;
        } catch (...) {
            ReportCaughtFailure(line);
            return false;
        }
    }

private:
    // Inside a catch block: reports the failure being handled, described by its kind.
    void ReportCaughtFailure(int line) noexcept;
    void Report(std::wstring_view description, int line) noexcept;

    std::wstring_view procedure_;
    ReportSink report_;
};

}  // namespace app
