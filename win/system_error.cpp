// Error texts from FormatMessage, and the handlers' failure worded in them.
#include "win/system_error.h"

#include <windows.h>

#include "win/logic/decimal_text.h"
#include "win/logic/handler_failure.h"

namespace win {

namespace {

// The text FormatMessage allocated, freed however the copy of it ends.
struct LocalText {
    wchar_t* text = nullptr;
    LocalText() noexcept = default;
    LocalText(const LocalText&) = delete;
    LocalText& operator=(const LocalText&) = delete;
    ~LocalText() { LocalFree(text); }
};

}  // namespace

std::wstring SystemErrorDescription(unsigned long errorCode) {
    LocalText buffer;
    // With ALLOCATE_BUFFER the call takes the address of the pointer in place of a buffer.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<wchar_t*>(&buffer.text), 0, nullptr);
    std::wstring text;
    if (length > 0) {
        text.assign(buffer.text, length);
    } else {
        text = L"Error ";
        text += DecimalText(errorCode).View();
    }
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

void ThrowLastError(const wchar_t* descriptionWithoutCode) {
    const DWORD code = GetLastError();
    throw HandlerFailure(code != ERROR_SUCCESS ? SystemErrorDescription(code) : std::wstring(descriptionWithoutCode));
}

}  // namespace win
