// The probe's view of windows: finding and describing them, their texts, focus and dialogs, and a front window.
#include <windows.h>

#include <cstdlib>
#include <iterator>
#include <vector>

#include "probe_commands.h"

namespace probe {
namespace {

// Generous for a busy desktop, yet a hung target cannot hang the probe.
constexpr UINT kTextTimeoutMs = 2000;

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT through SendMessageTimeout so a hung target cannot hang the probe.
std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length)) return {};
    std::vector<char> text(length + 2, 0);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kTextTimeoutMs, &got))
        return {};
    return std::string(text.data(), got);
}

// The client area in screen coordinates, as a test aims at it.
RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::string WindowJson(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(window, &pid);
    return "{\"hwnd\":" + WindowNum(window) + ",\"class\":" + JsonText(ClassOf(window)) +
           ",\"text\":" + JsonText(TextOf(window)) +
           ",\"style\":" + Num(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE))) +
           ",\"exstyle\":" + Num(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE))) +
           ",\"id\":" + Num(GetWindowLongA(window, GWL_ID)) + ",\"rect\":" + RectJson(outer) +
           ",\"client\":" + RectJson(ClientOnScreen(window)) +
           ",\"visible\":" + Num(IsWindowVisible(window) ? 1 : 0) + ",\"iconic\":" + Num(IsIconic(window) ? 1 : 0) +
           ",\"enabled\":" + Num(IsWindowEnabled(window) ? 1 : 0) + ",\"pid\":" + Num(pid) + ",\"tid\":" + Num(tid) +
           ",\"parent\":" + WindowNum(GetAncestor(window, GA_PARENT)) +
           ",\"owner\":" + WindowNum(GetWindow(window, GW_OWNER)) + "}";
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> AllTopLevels() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A child as WindowJson gives it, with its rectangle in its parent's client coordinates added as "local".
std::string ChildJson(HWND child) {
    RECT local{};
    GetWindowRect(child, &local);
    MapWindowPoints(nullptr, GetAncestor(child, GA_PARENT), reinterpret_cast<POINT*>(&local), 2);
    std::string json = WindowJson(child);
    json.pop_back();
    return json + ",\"local\":" + RectJson(local) + "}";
}

LRESULT CALLBACK FrontWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wp, lp);
}

}  // namespace

std::string FindTopLevel(const Fields& fields) {
    const std::string className = Arg(fields, 1), title = Arg(fields, 2);
    // An empty field matches any.
    const HWND found =
        FindWindowA(className.empty() ? nullptr : className.c_str(), title.empty() ? nullptr : title.c_str());
    return Ok("\"hwnd\":" + WindowNum(found));
}

std::string WaitForWindow(const Fields& fields) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(IntArg(fields, 2));
    for (;;) {
        const HWND found = FindWindowA(Arg(fields, 1).c_str(), nullptr);
        if (found && IsWindowVisible(found)) return Ok("\"hwnd\":" + WindowNum(found) + ",\"visible\":1");
        if (static_cast<LONG>(GetTickCount() - end) >= 0) return Ok("\"hwnd\":" + WindowNum(found) + ",\"visible\":0");
        Sleep(5);
    }
}

std::string ListTopLevels(const Fields&) {
    std::vector<std::string> items;
    for (const HWND window : AllTopLevels()) items.push_back(WindowJson(window));
    return Ok("\"windows\":" + ListJson(items));
}

std::string DescribeWindow(const Fields& fields) {
    const HWND window = WindowArg(fields, 1);
    if (!IsWindow(window)) return Fail("no such window");
    return Ok("\"window\":" + WindowJson(window));
}

std::string ListChildren(const Fields& fields) {
    const HWND window = WindowArg(fields, 1);
    if (!IsWindow(window)) return Fail("no such window");
    std::vector<HWND> children;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> items;
    for (const HWND child : children) items.push_back(ChildJson(child));
    return Ok("\"children\":" + ListJson(items));
}

std::string ThreadFocus(const Fields& fields) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD tid = GetWindowThreadProcessId(WindowArg(fields, 1), nullptr);
    if (!GetGUIThreadInfo(tid, &info)) return Fail("GetGUIThreadInfo failed");
    return Ok("\"focus\":" + WindowNum(info.hwndFocus) + ",\"active\":" + WindowNum(info.hwndActive) +
              ",\"capture\":" + WindowNum(info.hwndCapture) + ",\"foreground\":" + WindowNum(GetForegroundWindow()));
}

std::string EditSelection(const Fields& fields) {
    DWORD start = 0, end = 0;
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutA(WindowArg(fields, 1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                             reinterpret_cast<LPARAM>(&end), SMTO_ABORTIFHUNG, kTextTimeoutMs, &packed))
        return Fail("EM_GETSEL failed");
    // The pointers do not survive the trip to another process; the packed result does.
    return Ok("\"start\":" + Num(LOWORD(packed)) + ",\"end\":" + Num(HIWORD(packed)));
}

std::string ReadText(const Fields& fields) { return Ok("\"text\":" + JsonText(TextOf(WindowArg(fields, 1)))); }

// The text the system keeps for the window, read without a message: it answers for a window that hangs too.
std::string ReadKeptText(const Fields& fields) {
    wchar_t text[1024] = {};
    const int length = InternalGetWindowText(WindowArg(fields, 1), text, static_cast<int>(std::size(text)));
    std::string bytes;
    for (int i = 0; i < length; ++i) bytes += static_cast<char>(text[i] < 0x80 ? text[i] : '?');
    return Ok("\"text\":" + JsonText(bytes));
}

// A longer time-out than TextOf's: the tests read texts of hundreds of thousands of characters this way.
std::string ReadTextW(const Fields& fields) {
    const HWND window = WindowArg(fields, 1);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return Fail("WM_GETTEXTLENGTH failed");
    std::vector<wchar_t> text(length + 2, 0);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             5000, &got))
        return Fail("WM_GETTEXT failed");
    return Ok("\"hex\":\"" + ToHex(text.data(), got) + "\",\"len\":" + Num(static_cast<long long>(got)));
}

// A text of any length built here, so that a long one need not cross the command line; the time it took is part of
// the answer, and a window that is slow to take it is waited for.
std::string SetLongText(const Fields& fields) {
    std::wstring text = FromHex(Arg(fields, 2));
    const std::wstring fill = FromHex(Arg(fields, 3));
    for (int i = IntArg(fields, 4); i > 0; --i) text += fill;
    const DWORD started = GetTickCount();
    DWORD_PTR result = 0;
    const BOOL sent = SendMessageTimeoutW(WindowArg(fields, 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                          SMTO_NORMAL, 60000, &result) != 0;
    return Ok("\"sent\":" + Num(sent) + ",\"result\":" + Num(static_cast<long long>(result)) +
              ",\"ms\":" + Num(GetTickCount() - started));
}

std::string MeasureText(const Fields& fields) {
    const HDC screen = GetDC(nullptr);
    const HFONT font = CreateFontA(-IntArg(fields, 2), 0, 0, 0, IntArg(fields, 3), FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   Arg(fields, 1).c_str());
    const HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    const std::string text = Arg(fields, 4);
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return Ok("\"w\":" + Num(size.cx) + ",\"h\":" + Num(size.cy));
}

std::string RestoreWindow(const Fields& fields) {
    const HWND window = WindowArg(fields, 1);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 3000, &result);
    SetForegroundWindow(window);
    return Ok("\"done\":1");
}

std::string BringToFront(const Fields& fields) { return Done(SetForegroundWindow(WindowArg(fields, 1))); }

std::string PlaceWindow(const Fields& fields) {
    return Done(SetWindowPos(WindowArg(fields, 1), nullptr, IntArg(fields, 2), IntArg(fields, 3), IntArg(fields, 4),
                             IntArg(fields, 5), SWP_NOZORDER | SWP_NOACTIVATE));
}

// Message boxes and other dialogs of the standard class; a thread id of 0 takes every thread's.
std::string ListDialogs(const Fields& fields) {
    const DWORD thread = static_cast<DWORD>(std::strtoul(Arg(fields, 1).c_str(), nullptr, 0));
    std::vector<std::string> items;
    for (const HWND window : AllTopLevels()) {
        if (ClassOf(window) != "#32770") continue;
        if (thread && GetWindowThreadProcessId(window, nullptr) != thread) continue;
        items.push_back(WindowJson(window));
    }
    return Ok("\"dialogs\":" + ListJson(items));
}

std::string WindowBefore(const Fields& fields) {
    const HWND before = GetWindow(WindowArg(fields, 1), GW_HWNDPREV);
    return Ok("\"hwnd\":" + WindowNum(before) + (before ? ",\"window\":" + WindowJson(before) : std::string()));
}

// Windows raises EVENT_SYSTEM_FOREGROUND on every activation, Wine never does: this window raises it itself.
int RunFrontWindow(const wchar_t* title) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FrontWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"WinprobeFrontWindow";
    RegisterClassW(&windowClass);
    // Away from the main window's usual place and from where the tests steer the pointer.
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 620, 380,
                                        320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
    return RunMessageLoop();
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace probe
