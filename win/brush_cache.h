// Solid brushes kept by colour while their owner lives: painting asks for the same few colours again and again.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "win/win_handles.h"

namespace win {

class BrushCache {
public:
    BrushCache() noexcept = default;
    BrushCache(const BrushCache&) = delete;
    BrushCache& operator=(const BrushCache&) = delete;

    // The brush of that colour, made on first use. Null when none can be made or kept, which paints nothing:
    // painting goes on without that colour.
    HBRUSH For(COLORREF colour) noexcept;

private:
    std::vector<std::pair<COLORREF, BrushHandle>> brushes_;
};

}  // namespace win
