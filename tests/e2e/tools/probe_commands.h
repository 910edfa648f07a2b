// The probe's commands and helper modes, by the file that holds them; winprobe.cpp maps their names to them.
#pragma once

#include <string>

#include "probe_json.h"

namespace probe {

// A command: the fields of its line in, its one JSON answer out.
using Handler = std::string (*)(const Fields& fields);

// probe_windows.cpp: windows, their texts, focus and dialogs.
std::string FindTopLevel(const Fields& fields);
std::string WaitForWindow(const Fields& fields);
std::string ListTopLevels(const Fields& fields);
std::string DescribeWindow(const Fields& fields);
std::string ListChildren(const Fields& fields);
std::string ThreadFocus(const Fields& fields);
std::string EditSelection(const Fields& fields);
std::string ReadText(const Fields& fields);
std::string ReadKeptText(const Fields& fields);
std::string ReadTextW(const Fields& fields);
std::string SetLongText(const Fields& fields);
std::string MeasureText(const Fields& fields);
std::string RestoreWindow(const Fields& fields);
std::string BringToFront(const Fields& fields);
std::string PlaceWindow(const Fields& fields);
std::string ListDialogs(const Fields& fields);
std::string WindowBefore(const Fields& fields);
int RunFrontWindow(const wchar_t* title);
// The message loop of a helper window's process: until the window is closed.
int RunMessageLoop();

// probe_messages.cpp: messages posted and sent to other programs.
std::string PressCommand(const Fields& fields);
std::string PostClose(const Fields& fields);
std::string PostToWindow(const Fields& fields);
std::string SendToWindow(const Fields& fields);
std::string PostToThread(const Fields& fields);
std::string HitTest(const Fields& fields);
std::string BroadcastRegistered(const Fields& fields);
std::string SendDpiChanged(const Fields& fields);

// probe_input.cpp: keys, the pointer, the display, and the target window that logs what reaches it.
std::string ReadCursor(const Fields& fields);
std::string PlaceCursor(const Fields& fields);
std::string ScreenSize(const Fields& fields);
std::string ChangeDisplay(const Fields& fields);
std::string SendVirtualKey(const Fields& fields);
std::string TypeUnicode(const Fields& fields);
int RunTarget(int argc, wchar_t** argv);

// probe_tray.cpp: the notification area.
std::string DeleteTrayIcon(const Fields& fields);
int RunTrayWindow(const wchar_t* answer);

// probe_user.cpp: the user's registry values, the elevation of processes, and a program started limited.
std::string ReadUserValue(const Fields& fields);
std::string ReadElevation(const Fields& fields);
std::string CrashProcess(const Fields& fields);
int RunLimited(int argc, wchar_t** argv);

}  // namespace probe
