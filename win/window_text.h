// Reads a window's whole text, however long it has become.
#pragma once

#include <windows.h>

#include <string>

namespace win {

std::wstring WindowTextW(HWND window);

}  // namespace win
