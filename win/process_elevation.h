// Reads the elevation of this program and of other processes from their access tokens.
#pragma once

#include <cstdint>
#include <optional>

#include "win/logic/elevation.h"

namespace win {

// This program's own elevation; nothing when its token cannot be read.
std::optional<ProcessElevation> OwnElevation() noexcept;

// The elevation of another process; nothing when it cannot be opened or its token read, as for processes that
// run under another account or are protected.
std::optional<ProcessElevation> ElevationOfProcess(std::uint32_t processId) noexcept;

}  // namespace win
