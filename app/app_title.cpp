// Derives the application title from the product display name.
#include "app/app_title.h"

namespace app {

std::string ApplicationTitle(std::string_view displayName) {
    std::string_view title = displayName;
    // The first cut happens before any length test, so the last word always goes. A name without a
    // space has nothing left to cut and is kept whole rather than emptied.
    do {
        const std::size_t space = title.rfind(' ');
        if (space == std::string_view::npos) break;
        title = title.substr(0, space);
    } while (title.size() > kMaxTitleLength);
    return std::string(title);
}

}  // namespace app
