// What a process's access token says about its rights: elevated or not, and its integrity level.
#pragma once

#include <cstdint>
#include <optional>

namespace win {

struct ProcessElevation {
    bool elevated = false;
    // The mandatory label's level (0x2000 medium, 0x3000 high, 0x4000 system), when the token lets it be read.
    std::optional<std::uint32_t> integrityLevel;
};

// This program's own elevation; nothing when its token cannot be read.
std::optional<ProcessElevation> OwnElevation() noexcept;

// The elevation of another process; nothing when it cannot be opened or its token read, as for processes that
// run under another account or are protected.
std::optional<ProcessElevation> ElevationOfProcess(std::uint32_t processId) noexcept;

}  // namespace win
