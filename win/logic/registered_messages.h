// The names of the messages other programs send the main window, shared with the installer's custom action.
#pragma once

namespace win {

// Posted by a later start of the program: the running copy comes back in front.
inline constexpr wchar_t kBringBackMessageName[] = L"Pelmorath.BringBack";
// Sent by the installer's close action before an upgrade or uninstall: the program answers kClosingAnswer and ends as
// when the user closes it. Let through to an elevated copy too, unlike the session-end messages.
inline constexpr wchar_t kCloseForUpdateMessageName[] = L"Pelmorath.CloseForUpdate";
inline constexpr unsigned kClosingAnswer = 0x504C4D;  // a program that does not know the message answers 0

}  // namespace win
