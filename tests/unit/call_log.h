// What the recording fakes of the unit tests share: every call as a token in one log, failures scripted by token
// and occurrence, and the line numbers that a trapped handler's reports name.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/logic/error_trap.h"

namespace testing_support {

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
        if (failures.count({token, occurrence})) throw app::HandlerFailure("failed: " + token);
        return occurrence;
    }

private:
    std::map<std::string, int> counts_;
};

// A report sink that checks each report names the procedure and adds the line it names to lines.
inline app::ReportSink LinesReported(std::vector<int>& lines, std::string_view procedure) {
    return [&lines, procedure = std::string(procedure)](const std::string& text) {
        const std::regex pattern("\r\n" + std::regex_replace(procedure, std::regex(R"([.^$|()\[\]{}*+?\\/])"), R"(\$&)") +
                                 "at line (\\d+)\r\r");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(text, m, pattern)) << text;
        lines.push_back(std::stoi(m[1]));
    };
}

inline Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace testing_support
