// Fuzz target of the skin file parser: any bytes give colours or one well-formed complaint with a real line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "skin/logic/skin_file.h"

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

int LineCount(std::string_view bytes) { return 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')); }

void CheckResult(std::string_view bytes, const skin::ParseResult& result) {
    if (result.colours) {
        Require(result.error.empty() && result.errorLine == 0);
        Require(*result.colours != skin::SkinColours{});
        return;
    }
    Require(result.errorLine >= 1 && result.errorLine <= LineCount(bytes));
    Require(result.error.rfind("Skin file line " + std::to_string(result.errorLine) + ": ", 0) == 0);
    // Quoted text is cut short and shown as plain ASCII.
    Require(result.error.size() < 160);
    Require(std::all_of(result.error.begin(), result.error.end(), [](char c) { return c >= 0x20 && c < 0x7F; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const skin::ParseResult result = skin::ParseSkinFile(bytes);
    CheckResult(bytes, result);

    // The same file with CR LF line ends means the same.
    if (bytes.find('\r') == std::string_view::npos) {
        std::string crlf;
        for (char c : bytes) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        if (crlf.size() <= skin::kMaxSkinFileBytes) {
            const skin::ParseResult again = skin::ParseSkinFile(crlf);
            Require(again.colours == result.colours);
            Require(again.errorLine == result.errorLine && again.error == result.error);
        }
    }
    return 0;
}
