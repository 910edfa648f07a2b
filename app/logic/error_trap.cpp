// Composes error reports and hands the trapped handlers' failures to the report.
#include "app/logic/error_trap.h"

#include <exception>
#include <new>
#include <span>

#include "app/logic/product.h"
#include "win/logic/decimal_text.h"

namespace app {
namespace {

// The standard library words its own failures in ASCII; a longer text is cut.
std::wstring_view WidenAscii(const char* text, std::span<wchar_t> into) noexcept {
    std::size_t length = 0;
    for (; text[length] != '\0' && length < into.size(); ++length) {
        into[length] = static_cast<unsigned char>(text[length]);
    }
    return {into.data(), length};
}

}  // namespace

std::wstring ComposeErrorReport(std::wstring_view description, std::wstring_view procedure, int line) {
    std::wstring text;
    text.reserve(description.size() + procedure.size() + 100);
    text += description;
    text += L"\r\n";
    text += procedure;
    text += L"at line ";
    text += win::DecimalText(line).View();
    text += L"\r\r";
    text += L"Please email screenshot of this message to ";
    text += kSupportAddress;
    return text;
}

void ErrorTrap::ReportCaughtFailure(int line) noexcept {
    // One place that tells the kinds apart, rather than a set of catch blocks in every line's code.
    try {
        throw;
    } catch (const HandlerFailure& failure) {
        Report(failure.Description(), line);
    } catch (const std::bad_alloc&) {
        Report(L"Out of memory", line);
    } catch (const std::exception& failure) {
        wchar_t description[128];
        Report(WidenAscii(failure.what(), description), line);
    } catch (...) {
        Report(L"Unknown error", line);
    }
}

void ErrorTrap::Report(std::wstring_view description, int line) noexcept {
    try {
        if (report_) report_(description, procedure_, line);
    } catch (...) {
        // The program's sink, which shows the box, fails on nothing and leaves its own trace when it cannot show it;
        // only a sink that throws reaches here, and a report must not take the handler down with it.
    }
}

}  // namespace app
