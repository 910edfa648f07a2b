// The platform's own words for a Win32 error code, and the one helper of win/ that throws: the handlers' failure in
// those words.
#pragma once

#include <string>

namespace win {

// Without the trailing line break and blanks; "Error N" for a code the platform has no text for.
std::wstring SystemErrorDescription(unsigned long errorCode);

// Throws HandlerFailure with the description of the calling thread's last error, or with the given words when the
// platform recorded no error code.
[[noreturn]] void ThrowLastError(const wchar_t* descriptionWithoutCode);

}  // namespace win
