// The one failure type: what a step run under a handler's error trap throws, worded for the report.
#pragma once

#include <stdexcept>

namespace win {

class StepFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace win
