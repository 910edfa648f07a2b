// Reads the decimal and grouping separators from the user's locale.
#include "steering/locale_number_format.h"

#include <windows.h>

namespace steering {
namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    char buffer[8] = {};  // the platform allows at most four characters for either separator
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer) > 1 ? std::string(buffer) : fallback;
}

}  // namespace

NumberFormat UserNumberFormat() { return {LocaleText(LOCALE_SDECIMAL, "."), LocaleText(LOCALE_STHOUSAND, ",")}; }

}  // namespace steering
