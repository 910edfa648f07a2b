// Error texts from FormatMessage, and the handlers' failure worded in them.
#include "win/system_error.h"

#include <windows.h>

#include "win/logic/handler_failure.h"
#include "win/utf8.h"

namespace win {

std::string SystemErrorDescription(unsigned long errorCode) {
    wchar_t* buffer = nullptr;
    // With ALLOCATE_BUFFER the call takes the address of the pointer in place of a buffer.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? ToUtf8(std::wstring_view(buffer, length)) : "Error " + std::to_string(errorCode);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

void ThrowLastError(const char* descriptionWithoutCode) {
    const DWORD code = GetLastError();
    throw HandlerFailure(code != ERROR_SUCCESS ? SystemErrorDescription(code) : std::string(descriptionWithoutCode));
}

}  // namespace win
