// The one failure type: what a line run under a handler's error trap throws, worded for the report, and the one
// helper of win/ that throws it. Every other helper of win/ returns a value or an error value.
#pragma once

#include <stdexcept>

namespace win {

class HandlerFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws HandlerFailure with the platform's description of the calling thread's last error, or with the given
// words when the platform recorded no error code.
[[noreturn]] void ThrowLastError(const char* descriptionWithoutCode);

}  // namespace win
