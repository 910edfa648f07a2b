// The main window's class name, by which a second start and the installer's custom action find the running copy.
#pragma once

namespace win {

// Kept as it is across versions: the installer's action looks for the windows of the version being replaced.
inline constexpr wchar_t kMainWindowClass[] = L"PelmorathForm1";

}  // namespace win
