// The error trap of the reporting handlers: numbered lines, a report on failure, then the next line.
#pragma once

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "win/logic/handler_failure.h"

namespace app {

inline constexpr std::string_view kErrorReportTitle = "Application Error";

// The report text: description, CR LF, procedure identifier (ending in a blank), "at line N", CR CR,
// and the request to send a screenshot to support.
std::string ComposeErrorReport(std::string_view description, std::string_view procedure, int line);

// A line's failure, described the way the failing operation described it.
using win::HandlerFailure;

// Shows one report and returns when the user has closed it.
using ReportSink = std::function<void(const std::string& reportText)>;

// One trap per run of a handler. A failing line stops where it failed, is reported with its number, and the
// caller simply goes on with its next line: nothing is retried and nothing escapes.
class ErrorTrap {
public:
    ErrorTrap(std::string_view procedure, ReportSink report) : procedure_(procedure), report_(std::move(report)) {}

    // Runs one line under the trap; false when it failed and was reported.
    template <class Action>
    bool Run(int line, Action&& action) noexcept {
        try {
            std::forward<Action>(action)();
            return true;
        } catch (const std::bad_alloc&) {
            Report("Out of memory", line);
        } catch (const std::exception& failure) {
            Report(failure.what(), line);
        } catch (...) {
            Report("Unknown error", line);
        }
        return false;
    }

private:
    void Report(std::string_view description, int line) noexcept;

    std::string procedure_;
    ReportSink report_;
};

}  // namespace app
