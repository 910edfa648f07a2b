// The platform's own words for a Win32 error code.
#pragma once

#include <string>

namespace win {

// Without the trailing line break and blanks; "Error N" for a code the platform has no text for.
std::string SystemErrorDescription(unsigned long errorCode);

}  // namespace win
