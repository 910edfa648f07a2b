// What the recording fakes of the unit tests share: every call as a token in one log, failures scripted by token
// and occurrence, and the line numbers that a trapped handler's reports name.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/logic/error_trap.h"

namespace testing_support {

// The logs are ASCII: a wide text of the code under test, byte by byte, and back.
inline std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }
inline std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

using Log = std::vector<std::string>;
// A token and the occurrence of it that fails, counted from 1.
using Failures = std::set<std::pair<std::string, int>>;

class CallLog {
public:
    Log log;
    Failures failures;

    // Records the token; returns which occurrence of it this is, or throws HandlerFailure when that one is to fail.
    int Call(const std::string& token) {
        log.push_back(token);
        const int occurrence = ++counts_[token];
        if (failures.count({token, occurrence})) throw app::HandlerFailure(L"failed: " + Wide(token));
        return occurrence;
    }

private:
    std::map<std::string, int> counts_;
};

// A report sink that checks each report names the procedure and adds the line it names to lines.
inline app::ReportSink LinesReported(std::vector<int>& lines, std::wstring_view procedure) {
    return [&lines, procedure](std::wstring_view, std::wstring_view named, int line) {
        EXPECT_TRUE(named == procedure) << Narrow(named) << " line " << line;
        lines.push_back(line);
    };
}

inline Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace testing_support
