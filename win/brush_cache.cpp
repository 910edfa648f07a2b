// Makes each solid brush once and hands it out until the cache goes.
#include "win/brush_cache.h"

#include <new>

#include "win/failure_trace.h"

namespace win {

HBRUSH BrushCache::For(COLORREF colour) noexcept {
    for (const auto& [known, brush] : brushes_) {
        if (known == colour) return brush.get();
    }
    BrushHandle brush(CreateSolidBrush(colour));
    if (!brush) return nullptr;
    try {
        brushes_.emplace_back(colour, std::move(brush));
    } catch (const std::bad_alloc&) {
        // The brush could not be kept, so it must not be handed out: that colour is not painted.
        TraceFailure(L"brush cache", kOutOfMemory);
        return nullptr;
    }
    return brushes_.back().second.get();
}

}  // namespace win
