// The one failure type: what a line run under a handler's error trap throws, worded for the report.
#pragma once

#include <stdexcept>

namespace win {

class HandlerFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace win
