// Composes and shows error reports for the trapped handlers.
#include "app/logic/error_trap.h"

#include "app/logic/product.h"

namespace app {

std::string ComposeErrorReport(std::string_view description, std::string_view procedure, int line) {
    std::string text;
    text.reserve(description.size() + procedure.size() + 100);
    text += description;
    text += "\r\n";
    text += procedure;
    text += "at line ";
    text += std::to_string(line);
    text += "\r\r";
    text += "Please email screenshot of this message to ";
    text += kSupportAddress;
    return text;
}

void ErrorTrap::Report(std::string_view description, int line) noexcept {
    try {
        if (report_) report_(ComposeErrorReport(description, procedure_, line));
    } catch (...) {
        // A report that cannot even be composed or shown must not take the handler down with it.
    }
}

}  // namespace app
