// Reads a window's whole text, however long it has become.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// Through the ANSI code page, where what the code page lacks becomes "?": for the callers not yet on WindowTextW.
std::string WindowText(HWND window);

// The same for a Unicode window, without the loss of a conversion to the ANSI code page.
std::wstring WindowTextW(HWND window);

}  // namespace win
