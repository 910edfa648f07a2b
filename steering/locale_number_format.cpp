// Reads the decimal and grouping separators from the user's locale.
#include "steering/locale_number_format.h"

#include <windows.h>

#include <iterator>

#include "win/utf8.h"

namespace steering {
namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t wide[8] = {};  // the platform allows at most four characters for either separator
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, wide, static_cast<int>(std::size(wide)));
    if (length <= 1) return fallback;
    // In UTF-8, the form the step text is read in: a no-break space as grouping separator stays one.
    return win::ToUtf8(std::wstring_view(wide, static_cast<std::size_t>(length - 1)));
}

}  // namespace

NumberFormat UserNumberFormat() { return {LocaleText(LOCALE_SDECIMAL, "."), LocaleText(LOCALE_STHOUSAND, ",")}; }

}  // namespace steering
