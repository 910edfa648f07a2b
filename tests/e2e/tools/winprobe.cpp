// Console probe for the end-to-end tests: reads and drives windows of the desktop it runs in.
//
// Reads one command per line from stdin (fields separated by tabs), answers
// each with one JSON line on stdout. Texts are ANSI bytes; bytes >= 0x80 and
// control characters come out as \u00XX so the reader gets the exact bytes.
//
//   find CLASS TITLE          FindWindowA (empty field = any)
//   waitwin CLASS MS          wait until a visible top-level window of CLASS exists
//   toplevels                 every top-level window (visible or not) with its owner pid
//   info HWND                 class, text, styles, window/client rects, state
//   children HWND             all descendants: class, id, text, style, rect in parent client coords
//   gui HWND                  focus/active/capture of the window's thread, foreground window
//   getsel HWND               EM_GETSEL
//   text HWND                 WM_GETTEXT
//   keptext HWND              the text the system keeps for the window (InternalGetWindowText, ASCII; others as
//                             "?"): answers for a window that does not answer messages
//   cursor / setcursor X Y    GetCursorPos / SetCursorPos
//   screen                    primary display size
//   display W H               ChangeDisplaySettingsExW to W x H (the virtual desktop accepts it); its result
//   restore HWND              WM_SYSCOMMAND SC_RESTORE, then make it the foreground window
//   foreground HWND           SetForegroundWindow
//   move HWND X Y W H         SetWindowPos
//   command HWND ID           post WM_COMMAND ID (presses a dialog button)
//   close HWND                post WM_CLOSE
//   post HWND MSG WP LP       PostMessage (numbers in any C base; a MSG that is no number names a registered message)
//   send HWND MSG WP LP       SendMessageTimeout; its result
//   postthread HWND MSG WP LP PostThreadMessage to the thread of the window
//   hittest HWND X Y          WM_NCHITTEST at a screen point
//   broadcast NAME            post the registered message NAME to every top-level window
//   traydelete HWND ID        Shell_NotifyIcon NIM_DELETE for another program's icon
//   dialogs TID               message-box style dialogs (#32770) of a thread id (0 = any)
//   vk VK down|up             SendInput of one virtual key; "us": the time just before it, in microseconds
//   typew HEX16               SendInput of UTF-16 text as Unicode packets (no key codes)
//   textwidth FACE PX WEIGHT TEXT   width in pixels of TEXT in that font (PX = character height)
//   textw HWND                WM_GETTEXT as UTF-16: "hex" (4 hex digits per unit) and "len" in units
//   settextw HWND PREFIX FILL COUNT   WM_SETTEXT of PREFIX then COUNT times FILL (both UTF-16 as hex); "ms" it took
//   regw SUBKEY VALUE         a REG_SZ value under HKCU as UTF-16 hex, read with the wide API
//   elevation PID             TokenElevation and integrity level of a process (Windows pid); error when unreadable
//   crash PID                 a thread in the process (Windows pid) that faults at once: an unhandled failure
//   dpichanged HWND DPI DLL   WM_DPICHANGED for DPI, sent from inside the window's own thread by the hook DLL
//                             (in_thread_hook.cpp, a Windows path)
//   prev HWND                 the window before it in z-order (GW_HWNDPREV); hwnd 0 when none
//   quit
//
// Started with arguments, it is a helper process of the tests instead:
//
//   winprobe limited PROGRAM [ARGUMENTS]   starts PROGRAM (a Windows path) with the limited token linked to this
//                                          process's, as a program of an administrator that is not elevated; waits
//                                          for it and exits with its code. Under Wine that is the only way to get
//                                          a process whose TokenElevation is 0. The program ends with the helper.
//   winprobe window TITLE                  shows a window that takes the foreground and raises
//                                          EVENT_SYSTEM_FOREGROUND, as Windows does on every activation and
//                                          Wine never does; runs until the window is closed.
//   winprobe traywindow ANSWER             shows a topmost window of the shell's tray class, Shell_TrayWnd, above
//                                          the shell's own, so that Shell_NotifyIcon sends its calls here; it answers
//                                          each with ANSWER (1 accepted, 0 refused) and logs it in its text: C:N as
//                                          a call with dwData N arrives, then =ANSWER once it is answered. A posted
//                                          WM_APP with wParam MS makes it stop answering anything for MS
//                                          milliseconds, as a hung shell: at once with lParam 0, at the next call
//                                          with lParam 1, and with lParam 2 at the next call, closing itself before
//                                          it answers that call.
//   winprobe target X Y W H                shows a window at X Y W H that takes the foreground and gives out a log
//                                          of the keys and mouse buttons it got as its text (read it with
//                                          "text"), one entry per message, separated by blanks: K:VK and KU:VK
//                                          (key down and up, VK in hex), LD:X,Y LU:X,Y RD:X,Y RU:X,Y MD:X,Y
//                                          MU:X,Y (button down and up, at a screen point), LM:X,Y and RM:X,Y (a
//                                          move carrying the left or right button), each followed by @ and the
//                                          time it was received in microseconds (QueryPerformanceCounter, the
//                                          same clock as "us" of the vk command); runs until the window is
//                                          closed.
#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "probe_commands.h"

namespace probe {
namespace {

// A new command is one function in the file of its concern, declared in probe_commands.h, one row here and its
// line in the list at the top.
struct Command {
    const char* name;
    Handler run;
};

const Command kCommands[] = {
    {"find", FindTopLevel},
    {"waitwin", WaitForWindow},
    {"toplevels", ListTopLevels},
    {"info", DescribeWindow},
    {"children", ListChildren},
    {"gui", ThreadFocus},
    {"getsel", EditSelection},
    {"text", ReadText},
    {"keptext", ReadKeptText},
    {"cursor", ReadCursor},
    {"setcursor", PlaceCursor},
    {"screen", ScreenSize},
    {"display", ChangeDisplay},
    {"restore", RestoreWindow},
    {"foreground", BringToFront},
    {"move", PlaceWindow},
    {"command", PressCommand},
    {"close", PostClose},
    {"post", PostToWindow},
    {"send", SendToWindow},
    {"postthread", PostToThread},
    {"hittest", HitTest},
    {"broadcast", BroadcastRegistered},
    {"traydelete", DeleteTrayIcon},
    {"dialogs", ListDialogs},
    {"vk", SendVirtualKey},
    {"typew", TypeUnicode},
    {"textwidth", MeasureText},
    {"textw", ReadTextW},
    {"settextw", SetLongText},
    {"regw", ReadUserValue},
    {"elevation", ReadElevation},
    {"crash", CrashProcess},
    {"dpichanged", SendDpiChanged},
    {"prev", WindowBefore},
};

std::string Answer(const Fields& fields) {
    for (const Command& command : kCommands) {
        if (fields[0] == command.name) return command.run(fields);
    }
    return Fail("unknown command " + fields[0]);
}

// Tabs separate the fields, so that a field may hold blanks.
Fields SplitFields(const std::string& line) {
    Fields fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// Started with arguments, the probe is one of the tests' helper processes: its exit code, or nothing when the
// arguments name none.
std::optional<int> RunHelper(int argc, wchar_t** argv) {
    if (!argv || argc < 3) return std::nullopt;
    const std::wstring mode = argv[1];
    if (mode == L"limited") return RunLimited(argc, argv);
    if (mode == L"traywindow") return RunTrayWindow(argv[2]);
    if (mode == L"window") return RunFrontWindow(argv[2]);
    if (mode == L"target") return RunTarget(argc, argv);
    return std::nullopt;
}

// One answer per command line until stdin ends or "quit"; each answer flushed, since the test waits for it.
void AnswerCommands() {
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    char line[4096];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (text.empty()) continue;
        const Fields fields = SplitFields(text);
        if (fields[0] == "quit") return;
        std::fputs(Answer(fields).c_str(), stdout);
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
}

}  // namespace
}  // namespace probe

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (const std::optional<int> helperCode = probe::RunHelper(argc, argv)) return *helperCode;
    probe::AnswerCommands();
    return 0;
}
