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

}  // namespace win
