// Every message of the program's own: the private ones its windows and threads post or send each other, and the
// registered ones, by name, that other programs send (the installer's custom action shares this header).
#pragma once

namespace win {

// The private messages, numbered from WM_APP (checked against the SDK in win/message_pump.cpp). Each number is
// used once, so that a message that reaches another window than meant is never taken for another.
namespace message {

inline constexpr unsigned kFirst = 0x8000;  // WM_APP

// To Form1, posted by its first show: the start-up work nobody sees comes after it.
inline constexpr unsigned kLoadAfterShow = kFirst + 0x01;
// To the watcher window during a run, posted by the raw input thread: key events went by without the hook.
inline constexpr unsigned kHookLost = kFirst + 0x20;
// To the watcher window, posted when keypad 5 put a mouse button down, with the root window under the pointer as
// wParam: a window that the system keeps injected clicks from is the watcher's to explain.
inline constexpr unsigned kButtonDown = kFirst + 0x21;
// To the hook's own window, posted by the hook: a mouse button to let up or put down, in wParam.
inline constexpr unsigned kButtonChange = kFirst + 0x22;
// To the tray control's window, posted by the shell call thread: wParam the call's NIM_ code, lParam whether the
// shell accepted it.
inline constexpr unsigned kShellAnswered = kFirst + 0x30;
// To the shell call thread's own queue (never the window's thread), the call in lParam.
inline constexpr unsigned kShellCall = kFirst + 0x31;
// Sent to the dialog window by the pump that takes the thread's WM_QUIT, with the quit's exit code as wParam.
inline constexpr unsigned kQuitArrived = kFirst + 0x3B;

// From the shell to the tray control's window about its icon: WM_USER + 101, 1125, the number the design gives it.
inline constexpr unsigned kTrayCallback = 0x0400 + 101;

}  // namespace message

// The registered messages.

// Posted by a later start of the program: the running copy comes back in front.
inline constexpr wchar_t kBringBackMessageName[] = L"Pelmorath.BringBack";
// Sent by the installer's close action before an upgrade or uninstall: the program answers kClosingAnswer and ends as
// when the user closes it. Let through to an elevated copy too, unlike the session-end messages.
inline constexpr wchar_t kCloseForUpdateMessageName[] = L"Pelmorath.CloseForUpdate";
inline constexpr unsigned kClosingAnswer = 0x504C4D;  // a program that does not know the message answers 0
// Broadcast by the shell to top-level windows when it (re)starts: an icon that is on is added again.
inline constexpr wchar_t kTaskbarCreatedMessageName[] = L"TaskbarCreated";

}  // namespace win
