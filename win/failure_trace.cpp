// Caught failures written to the debugger's output.
#include "win/failure_trace.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <iterator>
#include <new>

#include "win/logic/decimal_text.h"
#include "win/logic/handler_failure.h"

namespace win {

namespace {

// One line of at most a fixed length, built without allocating.
class TraceLine {
public:
    TraceLine& operator<<(std::wstring_view text) noexcept {
        // Room is kept for the line break and the terminating null.
        const std::size_t count = std::min(text.size(), std::size(text_) - 2 - length_);
        std::copy_n(text.data(), count, text_ + length_);
        length_ += count;
        return *this;
    }
    TraceLine& operator<<(int number) noexcept { return *this << DecimalText(number).View(); }
    void Write() noexcept {
        text_[length_++] = L'\n';
        text_[length_] = L'\0';
        OutputDebugStringW(text_);
    }

private:
    wchar_t text_[512];
    std::size_t length_ = 0;
};

}  // namespace

void TraceFailure(std::wstring_view place, std::wstring_view failure) noexcept {
    TraceLine line;
    (line << L"Pelmorath: " << place << L": " << failure).Write();
}

void TraceFailure(std::wstring_view procedure, int line, std::wstring_view failure) noexcept {
    TraceLine text;
    (text << L"Pelmorath: " << procedure << L"at line " << line << L": " << failure).Write();
}

void TraceCaughtFailure(std::wstring_view place) noexcept {
    try {
        throw;
    } catch (const HandlerFailure& failure) {
        TraceFailure(place, failure.Description());
    } catch (const std::bad_alloc&) {
        TraceFailure(place, kOutOfMemory);
    } catch (const std::exception&) {
        TraceFailure(place, L"a failure of the C++ library");
    } catch (...) {
        TraceFailure(place, L"a failure of unknown kind");
    }
}

}  // namespace win
