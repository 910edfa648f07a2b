// A window as code without Windows headers names it: an opaque id that only the Win32 side turns into a handle.
#pragma once

#include <cstdint>

namespace win {

// The handle's value, typed so that no number passes for a window by accident. None is no window.
enum class WindowId : std::uintptr_t { None = 0 };

}  // namespace win
