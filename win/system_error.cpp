// Error texts from FormatMessage, and the handlers' failure worded in them.
#include "win/system_error.h"

#include <windows.h>

#include "win/handler_failure.h"

namespace win {

std::string SystemErrorDescription(unsigned long errorCode) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? std::string(buffer, length) : "Error " + std::to_string(errorCode);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

void ThrowLastError(const char* descriptionWithoutCode) {
    const DWORD code = GetLastError();
    throw HandlerFailure(code != ERROR_SUCCESS ? SystemErrorDescription(code) : std::string(descriptionWithoutCode));
}

}  // namespace win
