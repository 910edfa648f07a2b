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
//                                          each with ANSWER (1 accepted, 0 refused). A posted WM_APP with wParam MS
//                                          makes it stop answering anything for MS milliseconds, as a hung shell.
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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string jstr(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string num(long long v) { return std::to_string(v); }

std::wstring from_hex(const std::string& hex)
{
    std::wstring out;
    for (size_t i = 0; i + 4 <= hex.size(); i += 4)
        out += static_cast<wchar_t>(std::strtoul(hex.substr(i, 4).c_str(), nullptr, 16));
    return out;
}

std::string to_hex(const wchar_t* text, size_t len)
{
    std::string out;
    char buf[8];
    for (size_t i = 0; i < len; ++i) {
        std::snprintf(buf, sizeof buf, "%04x", static_cast<unsigned>(text[i]));
        out += buf;
    }
    return out;
}

std::string rect(const RECT& r)
{
    return "[" + num(r.left) + "," + num(r.top) + "," + num(r.right) + "," + num(r.bottom) + "]";
}

HWND parse_hwnd(const std::string& s) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(s.c_str(), nullptr, 0))); }

std::string hwnd_num(HWND h) { return num(static_cast<long long>(reinterpret_cast<UINT_PTR>(h))); }

std::string class_of(HWND h)
{
    char buf[256] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// WM_GETTEXT through SendMessageTimeout so a hung target cannot hang the probe.
std::string text_of(HWND h)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len))
        return {};
    std::vector<char> buf(len + 2, 0);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 2000, &got))
        return {};
    return std::string(buf.data(), got);
}

std::string window_json(HWND h)
{
    RECT wr{}, cr{};
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT tl{cr.left, cr.top}, br{cr.right, cr.bottom};
    ClientToScreen(h, &tl);
    ClientToScreen(h, &br);
    RECT scr{tl.x, tl.y, br.x, br.y};
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(h, &pid);
    return "{\"hwnd\":" + hwnd_num(h) + ",\"class\":" + jstr(class_of(h)) + ",\"text\":" + jstr(text_of(h)) +
           ",\"style\":" + num(static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE))) +
           ",\"exstyle\":" + num(static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE))) +
           ",\"id\":" + num(GetWindowLongA(h, GWL_ID)) + ",\"rect\":" + rect(wr) + ",\"client\":" + rect(scr) +
           ",\"visible\":" + num(IsWindowVisible(h) ? 1 : 0) + ",\"iconic\":" + num(IsIconic(h) ? 1 : 0) +
           ",\"enabled\":" + num(IsWindowEnabled(h) ? 1 : 0) + ",\"pid\":" + num(pid) + ",\"tid\":" + num(tid) +
           ",\"parent\":" + hwnd_num(GetAncestor(h, GA_PARENT)) + ",\"owner\":" + hwnd_num(GetWindow(h, GW_OWNER)) + "}";
}

BOOL CALLBACK collect(HWND h, LPARAM p)
{
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
}

std::vector<HWND> toplevels()
{
    std::vector<HWND> v;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&v));
    return v;
}

std::string list_json(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + items[i];
    return out + "]";
}

std::string ok(const std::string& body) { return "{\"ok\":1," + body + "}"; }
std::string err(const std::string& what) { return "{\"ok\":0,\"error\":" + jstr(what) + "}"; }

std::vector<std::string> split(const std::string& line)
{
    std::vector<std::string> f;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return f;
}

// The fields of one command line; the first is the command's name. A missing field reads as empty.
using Fields = std::vector<std::string>;

std::string arg(const Fields& f, size_t i) { return i < f.size() ? f[i] : std::string(); }
int iarg(const Fields& f, size_t i) { return std::atoi(arg(f, i).c_str()); }
HWND harg(const Fields& f, size_t i) { return parse_hwnd(arg(f, i)); }

std::string cmd_find(const Fields& f)
{
    std::string c = arg(f, 1), t = arg(f, 2);
    HWND h = FindWindowA(c.empty() ? nullptr : c.c_str(), t.empty() ? nullptr : t.c_str());
    return ok("\"hwnd\":" + hwnd_num(h));
}

std::string cmd_waitwin(const Fields& f)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(iarg(f, 2));
    for (;;) {
        HWND h = FindWindowA(arg(f, 1).c_str(), nullptr);
        if (h && IsWindowVisible(h))
            return ok("\"hwnd\":" + hwnd_num(h) + ",\"visible\":1");
        if (static_cast<LONG>(GetTickCount() - end) >= 0)
            return ok("\"hwnd\":" + hwnd_num(h) + ",\"visible\":0");
        Sleep(5);
    }
}

std::string cmd_toplevels(const Fields&)
{
    std::vector<std::string> items;
    for (HWND h : toplevels())
        items.push_back(window_json(h));
    return ok("\"windows\":" + list_json(items));
}

std::string cmd_info(const Fields& f)
{
    HWND h = harg(f, 1);
    if (!IsWindow(h))
        return err("no such window");
    return ok("\"window\":" + window_json(h));
}

std::string cmd_children(const Fields& f)
{
    HWND h = harg(f, 1);
    if (!IsWindow(h))
        return err("no such window");
    std::vector<HWND> kids;
    EnumChildWindows(h, collect, reinterpret_cast<LPARAM>(&kids));
    std::vector<std::string> items;
    for (HWND c : kids) {
        RECT r{};
        GetWindowRect(c, &r);
        HWND parent = GetAncestor(c, GA_PARENT);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        std::string j = window_json(c);
        j.pop_back();
        items.push_back(j + ",\"local\":" + rect(r) + "}");
    }
    return ok("\"children\":" + list_json(items));
}

std::string cmd_gui(const Fields& f)
{
    HWND h = harg(f, 1);
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    DWORD tid = GetWindowThreadProcessId(h, nullptr);
    if (!GetGUIThreadInfo(tid, &gi))
        return err("GetGUIThreadInfo failed");
    return ok("\"focus\":" + hwnd_num(gi.hwndFocus) + ",\"active\":" + hwnd_num(gi.hwndActive) +
              ",\"capture\":" + hwnd_num(gi.hwndCapture) + ",\"foreground\":" + hwnd_num(GetForegroundWindow()));
}

std::string cmd_getsel(const Fields& f)
{
    DWORD start = 0, end = 0;
    HWND h = harg(f, 1);
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end),
                             SMTO_ABORTIFHUNG, 2000, &r))
        return err("EM_GETSEL failed");
    // The pointers do not survive the trip to another process; the packed result does.
    return ok("\"start\":" + num(LOWORD(r)) + ",\"end\":" + num(HIWORD(r)));
}

std::string cmd_text(const Fields& f) { return ok("\"text\":" + jstr(text_of(harg(f, 1)))); }

std::string cursor_json()
{
    POINT p{};
    GetCursorPos(&p);
    return ok("\"x\":" + num(p.x) + ",\"y\":" + num(p.y));
}

std::string cmd_cursor(const Fields&) { return cursor_json(); }

std::string cmd_setcursor(const Fields& f)
{
    SetCursorPos(iarg(f, 1), iarg(f, 2));
    return cursor_json();
}

std::string cmd_screen(const Fields&)
{
    return ok("\"w\":" + num(GetSystemMetrics(SM_CXSCREEN)) + ",\"h\":" + num(GetSystemMetrics(SM_CYSCREEN)));
}

std::string cmd_display(const Fields& f)
{
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = static_cast<DWORD>(iarg(f, 1));
    mode.dmPelsHeight = static_cast<DWORD>(iarg(f, 2));
    const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    return ok("\"result\":" + num(result) + ",\"w\":" + num(GetSystemMetrics(SM_CXSCREEN)) + ",\"h\":" +
              num(GetSystemMetrics(SM_CYSCREEN)));
}

std::string cmd_restore(const Fields& f)
{
    HWND h = harg(f, 1);
    DWORD_PTR r = 0;
    SendMessageTimeoutA(h, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 3000, &r);
    SetForegroundWindow(h);
    return ok("\"done\":1");
}

std::string done(bool result) { return ok("\"done\":" + num(result ? 1 : 0)); }

std::string cmd_foreground(const Fields& f) { return done(SetForegroundWindow(harg(f, 1))); }

std::string cmd_move(const Fields& f)
{
    return done(SetWindowPos(harg(f, 1), nullptr, iarg(f, 2), iarg(f, 3), iarg(f, 4), iarg(f, 5),
                             SWP_NOZORDER | SWP_NOACTIVATE));
}

std::string cmd_command(const Fields& f)
{
    return done(PostMessageA(harg(f, 1), WM_COMMAND, static_cast<WPARAM>(iarg(f, 2)), 0));
}

std::string cmd_close(const Fields& f) { return done(PostMessageA(harg(f, 1), WM_CLOSE, 0, 0)); }

// post and send: HWND MSG WP LP, numbers in any C base; a MSG that is no number names a registered message.
UINT msg_arg(const Fields& f)
{
    const std::string message = arg(f, 2);
    char* end = nullptr;
    const unsigned long number = std::strtoul(message.c_str(), &end, 0);
    return end != message.c_str() && *end == '\0' ? static_cast<UINT>(number) : RegisterWindowMessageA(message.c_str());
}
WPARAM wp_arg(const Fields& f) { return static_cast<WPARAM>(std::strtoul(arg(f, 3).c_str(), nullptr, 0)); }
LPARAM lp_arg(const Fields& f) { return static_cast<LPARAM>(std::strtol(arg(f, 4).c_str(), nullptr, 0)); }

std::string cmd_post(const Fields& f) { return done(PostMessageA(harg(f, 1), msg_arg(f), wp_arg(f), lp_arg(f))); }

std::string cmd_postthread(const Fields& f)
{
    const DWORD thread = GetWindowThreadProcessId(harg(f, 1), nullptr);
    return done(thread && PostThreadMessageA(thread, msg_arg(f), wp_arg(f), lp_arg(f)));
}

std::string cmd_send(const Fields& f)
{
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(harg(f, 1), msg_arg(f), wp_arg(f), lp_arg(f), SMTO_ABORTIFHUNG, 5000, &r))
        return err("SendMessageTimeout failed");
    return ok("\"result\":" + num(static_cast<long long>(r)));
}

std::string cmd_hittest(const Fields& f)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(harg(f, 1), WM_NCHITTEST, 0, MAKELPARAM(iarg(f, 2), iarg(f, 3)), SMTO_ABORTIFHUNG, 2000, &r);
    return ok("\"hit\":" + num(static_cast<long long>(r)));
}

std::string cmd_broadcast(const Fields& f)
{
    UINT msg = RegisterWindowMessageA(arg(f, 1).c_str());
    return done(msg && PostMessageA(HWND_BROADCAST, msg, 0, 0));
}

std::string cmd_traydelete(const Fields& f)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = harg(f, 1);
    data.uID = static_cast<UINT>(iarg(f, 2));
    return done(Shell_NotifyIconA(NIM_DELETE, &data));
}

std::string cmd_dialogs(const Fields& f)
{
    DWORD want = static_cast<DWORD>(std::strtoul(arg(f, 1).c_str(), nullptr, 0));
    std::vector<std::string> items;
    for (HWND h : toplevels()) {
        if (class_of(h) != "#32770")
            continue;
        if (want && GetWindowThreadProcessId(h, nullptr) != want)
            continue;
        items.push_back(window_json(h));
    }
    return ok("\"dialogs\":" + list_json(items));
}

// Microseconds of QueryPerformanceCounter: one clock for every process of the desktop.
long long now_us()
{
    LARGE_INTEGER freq{}, count{};
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&count);
    return count.QuadPart / freq.QuadPart * 1000000 + count.QuadPart % freq.QuadPart * 1000000 / freq.QuadPart;
}

std::string cmd_vk(const Fields& f)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(iarg(f, 1));
    in.ki.dwFlags = arg(f, 2) == "up" ? KEYEVENTF_KEYUP : 0;
    const long long before = now_us();
    const UINT sent = SendInput(1, &in, sizeof in);
    return ok("\"sent\":" + num(sent) + ",\"us\":" + num(before));
}

// Text as an on-screen keyboard or an input method sends it: no key code, so X's keymap is never remapped.
std::string cmd_typew(const Fields& f)
{
    std::vector<INPUT> inputs;
    for (const wchar_t unit : from_hex(arg(f, 1))) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = static_cast<WORD>(unit);
            in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(in);
        }
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return ok("\"sent\":" + num(sent));
}

std::string cmd_textwidth(const Fields& f)
{
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-iarg(f, 2), 0, 0, 0, iarg(f, 3), FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, arg(f, 1).c_str());
    HGDIOBJ old = SelectObject(dc, font);
    SIZE sz{};
    std::string t = arg(f, 4);
    GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &sz);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return ok("\"w\":" + num(sz.cx) + ",\"h\":" + num(sz.cy));
}

std::string cmd_textw(const Fields& f)
{
    HWND h = harg(f, 1);
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len))
        return err("WM_GETTEXTLENGTH failed");
    std::vector<wchar_t> buf(len + 2, 0);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 5000,
                             &got))
        return err("WM_GETTEXT failed");
    return ok("\"hex\":\"" + to_hex(buf.data(), got) + "\",\"len\":" + num(static_cast<long long>(got)));
}

std::string cmd_settextw(const Fields& f)
{
    std::wstring text = from_hex(arg(f, 2));
    const std::wstring fill = from_hex(arg(f, 3));
    for (int i = iarg(f, 4); i > 0; --i)
        text += fill;
    const DWORD t0 = GetTickCount();
    DWORD_PTR r = 0;
    const BOOL sent = SendMessageTimeoutW(harg(f, 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                          SMTO_NORMAL, 60000, &r) != 0;
    return ok("\"sent\":" + num(sent) + ",\"result\":" + num(static_cast<long long>(r)) +
              ",\"ms\":" + num(GetTickCount() - t0));
}

std::string cmd_regw(const Fields& f)
{
    const std::string key_a = arg(f, 1), value_a = arg(f, 2);
    const std::wstring key(key_a.begin(), key_a.end()), value(value_a.begin(), value_a.end());
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return err("no such value");
    std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, 0);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, buf.data(), &size) !=
        ERROR_SUCCESS)
        return err("value could not be read");
    return ok("\"hex\":\"" + to_hex(buf.data(), size / sizeof(wchar_t) - 1) + "\"");
}

std::string cmd_elevation(const Fields& f)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(iarg(f, 1)));
    if (!process)
        return err("OpenProcess failed");
    HANDLE token = nullptr;
    const BOOL opened = OpenProcessToken(process, TOKEN_QUERY, &token);
    CloseHandle(process);
    if (!opened)
        return err("OpenProcessToken failed");
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    alignas(TOKEN_MANDATORY_LABEL) unsigned char label[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD level = 0;
    if (GetTokenInformation(token, TokenIntegrityLevel, label, sizeof label, &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
        level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
    }
    CloseHandle(token);
    if (!read)
        return err("TokenElevation unreadable");
    return ok("\"elevated\":" + num(elevation.TokenIsElevated) + ",\"integrity\":" + num(level));
}

std::string cmd_dpichanged(const Fields& f)
{
    const HWND h = harg(f, 1);
    const std::string path = arg(f, 3);
    const HMODULE dll = LoadLibraryA(path.c_str());
    const auto proc = dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "CallWndProc")))
                          : nullptr;
    if (!proc)
        return err("hook DLL not loaded: " + path);
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, dll, GetWindowThreadProcessId(h, nullptr));
    if (!hook)
        return err("SetWindowsHookEx failed");
    DWORD_PTR r = 0;
    const BOOL sent = SendMessageTimeoutA(h, RegisterWindowMessageA("InThreadDpiChanged"),
                                          static_cast<WPARAM>(iarg(f, 2)), 0, SMTO_ABORTIFHUNG, 5000, &r) != 0;
    UnhookWindowsHookEx(hook);
    return done(sent);
}

std::string cmd_prev(const Fields& f)
{
    const HWND prev = GetWindow(harg(f, 1), GW_HWNDPREV);
    return ok("\"hwnd\":" + hwnd_num(prev) + (prev ? ",\"window\":" + window_json(prev) : std::string()));
}

// A new command is one cmd_ function above, one row here and its line in the list at the top of the file.
struct Command {
    const char* name;
    std::string (*run)(const Fields& f);
};

const Command commands[] = {
    {"find", cmd_find},
    {"waitwin", cmd_waitwin},
    {"toplevels", cmd_toplevels},
    {"info", cmd_info},
    {"children", cmd_children},
    {"gui", cmd_gui},
    {"getsel", cmd_getsel},
    {"text", cmd_text},
    {"cursor", cmd_cursor},
    {"setcursor", cmd_setcursor},
    {"screen", cmd_screen},
    {"display", cmd_display},
    {"restore", cmd_restore},
    {"foreground", cmd_foreground},
    {"move", cmd_move},
    {"command", cmd_command},
    {"close", cmd_close},
    {"post", cmd_post},
    {"send", cmd_send},
    {"postthread", cmd_postthread},
    {"hittest", cmd_hittest},
    {"broadcast", cmd_broadcast},
    {"traydelete", cmd_traydelete},
    {"dialogs", cmd_dialogs},
    {"vk", cmd_vk},
    {"typew", cmd_typew},
    {"textwidth", cmd_textwidth},
    {"textw", cmd_textw},
    {"settextw", cmd_settextw},
    {"regw", cmd_regw},
    {"elevation", cmd_elevation},
    {"dpichanged", cmd_dpichanged},
    {"prev", cmd_prev},
};

std::string handle(const Fields& f)
{
    for (const Command& c : commands) {
        if (f[0] == c.name)
            return c.run(f);
    }
    return err("unknown command " + f[0]);
}

// ----- helper processes -----

int run_limited(int argc, wchar_t** argv)
{
    HANDLE own = nullptr;
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own) ||
        !GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size))
        return 101;
    HANDLE primary = nullptr;
    if (!DuplicateTokenEx(linked.LinkedToken, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary, &primary))
        return 102;
    // Each argument quoted again (none of the tests' holds a quote).
    std::wstring command;
    for (int i = 2; i < argc; ++i)
        command += (i > 2 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    // In a job that dies with this process: a test that kills the helper leaves no program behind.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job)
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessAsUserW(primary, nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                              nullptr, &startup, &started))
        return 103;
    if (job)
        AssignProcessToJobObject(job, started.hProcess);
    ResumeThread(started.hThread);
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(started.hProcess, &code);
    return static_cast<int>(code);
}

// The message loop of a helper window's process: until the window is closed.
int run_message_loop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK front_window_proc(HWND h, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(h, message, wp, lp);
}

int run_window(const wchar_t* title)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = front_window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"WinprobeFrontWindow";
    RegisterClassW(&wc);
    // Away from the main window's usual place and from where the tests steer the pointer.
    HWND h = CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 620, 380, 320, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (!h)
        return 1;
    SetForegroundWindow(h);
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, h, OBJID_WINDOW, CHILDID_SELF);
    return run_message_loop();
}

// The log of the target window, given out as its text: kept here, so that logging costs no repaint of the
// caption and a message is logged as soon as it arrives.
std::string target_log;

void log_entry(const std::string& entry)
{
    target_log += (target_log.empty() ? "" : " ") + entry + "@" + num(now_us());
}

LRESULT CALLBACK target_window_proc(HWND h, UINT message, WPARAM wp, LPARAM lp)
{
    static const struct {
        UINT message;
        const char* name;
    } buttons[] = {{WM_LBUTTONDOWN, "LD"}, {WM_LBUTTONUP, "LU"}, {WM_RBUTTONDOWN, "RD"},
                   {WM_RBUTTONUP, "RU"},   {WM_MBUTTONDOWN, "MD"}, {WM_MBUTTONUP, "MU"}};
    auto at = [h, lp] {
        POINT point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ClientToScreen(h, &point);
        return num(point.x) + "," + num(point.y);
    };
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP || message == WM_SYSKEYUP) {
        char vk[8];
        std::snprintf(vk, sizeof vk, "%02X", static_cast<unsigned>(wp));
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        log_entry(std::string(down ? "K:" : "KU:") + vk);
    }
    for (const auto& b : buttons) {
        if (message == b.message)
            log_entry(std::string(b.name) + ":" + at());
    }
    // Moves only while a button is held: a drag, and which button it carries.
    if (message == WM_MOUSEMOVE && (wp & MK_LBUTTON))
        log_entry("LM:" + at());
    else if (message == WM_MOUSEMOVE && (wp & MK_RBUTTON))
        log_entry("RM:" + at());
    if (message == WM_GETTEXTLENGTH)
        return static_cast<LRESULT>(target_log.size());
    if (message == WM_GETTEXT && wp > 0) {
        const size_t copied = std::min(target_log.size(), static_cast<size_t>(wp) - 1);
        target_log.copy(reinterpret_cast<char*>(lp), copied);
        reinterpret_cast<char*>(lp)[copied] = '\0';
        return static_cast<LRESULT>(copied);
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(h, message, wp, lp);
}

LRESULT CALLBACK tray_window_proc(HWND h, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_COPYDATA)
        return GetWindowLongPtrW(h, GWLP_USERDATA);
    if (message == WM_APP) {
        Sleep(static_cast<DWORD>(wp));  // nothing sent to this thread is answered meanwhile
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(h, message, wp, lp);
}

int run_tray_window(const wchar_t* answer)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = tray_window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    // Never shown: only its place in z-order matters, and a window shown would take the keyboard from the tests
    // while it does not answer.
    HWND h = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, 0, 0,
                             8, 8, nullptr, nullptr, wc.hInstance, nullptr);
    if (!h)
        return 1;
    SetWindowLongPtrW(h, GWLP_USERDATA, _wtoi(answer));
    return run_message_loop();
}

int run_target(int argc, wchar_t** argv)
{
    if (argc < 6)
        return 2;
    WNDCLASSA wc{};
    wc.lpfnWndProc = target_window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW, whichever the character set
    wc.lpszClassName = "WinprobeTarget";
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, _wtoi(argv[2]), _wtoi(argv[3]),
                             _wtoi(argv[4]), _wtoi(argv[5]), nullptr, nullptr, wc.hInstance, nullptr);
    if (!h)
        return 1;
    SetForegroundWindow(h);
    return run_message_loop();
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc >= 3 && std::wstring(argv[1]) == L"limited")
        return run_limited(argc, argv);
    if (argv && argc >= 3 && std::wstring(argv[1]) == L"traywindow")
        return run_tray_window(argv[2]);
    if (argv && argc >= 3 && std::wstring(argv[1]) == L"window")
        return run_window(argv[2]);
    if (argv && argc >= 3 && std::wstring(argv[1]) == L"target")
        return run_target(argc, argv);

    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    char line[4096];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string s(line);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        if (s.empty())
            continue;
        std::vector<std::string> f = split(s);
        if (f[0] == "quit")
            break;
        std::string out = handle(f);
        std::fputs(out.c_str(), stdout);
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
    return 0;
}
