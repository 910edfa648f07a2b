// Input through the probe: keys and text by SendInput, the pointer, the display, and a target window that logs what
// reaches it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "probe_commands.h"

namespace probe {
namespace {

// Microseconds of QueryPerformanceCounter: one clock for every process of the desktop, so that the time a key was
// sent and the time the target got it compare.
long long NowMicroseconds() {
    LARGE_INTEGER frequency{}, count{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    // Whole seconds and the rest apart, so that the product cannot overflow.
    return count.QuadPart / frequency.QuadPart * 1000000 +
           count.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

std::string CursorJson() {
    POINT point{};
    GetCursorPos(&point);
    return Ok("\"x\":" + Num(point.x) + ",\"y\":" + Num(point.y));
}

// The target window's log, given out as its text: kept here, so that logging costs no repaint of the caption and a
// message is logged as soon as it arrives.
std::string targetLog;

void LogEntry(const std::string& entry) {
    targetLog += (targetLog.empty() ? "" : " ") + entry + "@" + Num(NowMicroseconds());
}

std::string ScreenPointOf(HWND window, LPARAM lp) {
    POINT point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ClientToScreen(window, &point);
    return Num(point.x) + "," + Num(point.y);
}

void LogKey(UINT message, WPARAM vk) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(vk));
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    LogEntry(std::string(down ? "K:" : "KU:") + hex);
}

void LogMouse(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    static const struct {
        UINT message;
        const char* name;
    } buttons[] = {{WM_LBUTTONDOWN, "LD"}, {WM_LBUTTONUP, "LU"},   {WM_RBUTTONDOWN, "RD"},
                   {WM_RBUTTONUP, "RU"},   {WM_MBUTTONDOWN, "MD"}, {WM_MBUTTONUP, "MU"}};
    for (const auto& button : buttons) {
        if (message == button.message) LogEntry(std::string(button.name) + ":" + ScreenPointOf(window, lp));
    }
    // Moves only while a button is held: a drag, and which button it carries.
    if (message == WM_MOUSEMOVE && (wp & MK_LBUTTON))
        LogEntry("LM:" + ScreenPointOf(window, lp));
    else if (message == WM_MOUSEMOVE && (wp & MK_RBUTTON))
        LogEntry("RM:" + ScreenPointOf(window, lp));
}

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP || message == WM_SYSKEYUP)
        LogKey(message, wp);
    LogMouse(window, message, wp, lp);
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(targetLog.size());
    if (message == WM_GETTEXT && wp > 0) {
        const size_t copied = std::min(targetLog.size(), static_cast<size_t>(wp) - 1);
        targetLog.copy(reinterpret_cast<char*>(lp), copied);
        reinterpret_cast<char*>(lp)[copied] = '\0';
        return static_cast<LRESULT>(copied);
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wp, lp);
}

}  // namespace

std::string ReadCursor(const Fields&) { return CursorJson(); }

std::string PlaceCursor(const Fields& fields) {
    SetCursorPos(IntArg(fields, 1), IntArg(fields, 2));
    return CursorJson();
}

std::string ScreenSize(const Fields&) {
    return Ok("\"w\":" + Num(GetSystemMetrics(SM_CXSCREEN)) + ",\"h\":" + Num(GetSystemMetrics(SM_CYSCREEN)));
}

// Wine's virtual desktop takes the new size as a display change.
std::string ChangeDisplay(const Fields& fields) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = static_cast<DWORD>(IntArg(fields, 1));
    mode.dmPelsHeight = static_cast<DWORD>(IntArg(fields, 2));
    const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    return Ok("\"result\":" + Num(result) + ",\"w\":" + Num(GetSystemMetrics(SM_CXSCREEN)) +
              ",\"h\":" + Num(GetSystemMetrics(SM_CYSCREEN)));
}

// The time taken just before the key goes out, on the target window's clock.
std::string SendVirtualKey(const Fields& fields) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(IntArg(fields, 1));
    input.ki.dwFlags = Arg(fields, 2) == "up" ? KEYEVENTF_KEYUP : 0;
    const long long before = NowMicroseconds();
    const UINT sent = SendInput(1, &input, sizeof input);
    return Ok("\"sent\":" + Num(sent) + ",\"us\":" + Num(before));
}

// Text as an on-screen keyboard or an input method sends it: no key code, so X's keymap is never remapped.
std::string TypeUnicode(const Fields& fields) {
    std::vector<INPUT> inputs;
    for (const wchar_t unit : FromHex(Arg(fields, 1))) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(unit);
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return Ok("\"sent\":" + Num(sent));
}

// target X Y W H: a window in the front that logs the keys and buttons it gets; read the log with "text".
int RunTarget(int argc, wchar_t** argv) {
    if (argc < 6) return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TargetWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW, whichever the character set
    windowClass.lpszClassName = "WinprobeTarget";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    return RunMessageLoop();
}

}  // namespace probe
