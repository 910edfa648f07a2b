// Messages the probe posts and sends to other programs' windows and threads.
#include <windows.h>

#include <cstdlib>

#include "probe_commands.h"

namespace probe {
namespace {

// post, send and postthread: HWND MSG WP LP, numbers in any C base; a MSG that is no number names a registered
// message, whose number differs from desktop to desktop.
UINT MessageArg(const Fields& fields) {
    const std::string message = Arg(fields, 2);
    char* end = nullptr;
    const unsigned long number = std::strtoul(message.c_str(), &end, 0);
    if (end != message.c_str() && *end == '\0') return static_cast<UINT>(number);
    return RegisterWindowMessageA(message.c_str());
}

WPARAM WParamArg(const Fields& fields) { return static_cast<WPARAM>(std::strtoul(Arg(fields, 3).c_str(), nullptr, 0)); }

LPARAM LParamArg(const Fields& fields) { return static_cast<LPARAM>(std::strtol(Arg(fields, 4).c_str(), nullptr, 0)); }

}  // namespace

// Posted, as a click on a dialog's button would arrive.
std::string PressCommand(const Fields& fields) {
    return Done(PostMessageA(WindowArg(fields, 1), WM_COMMAND, static_cast<WPARAM>(IntArg(fields, 2)), 0));
}

std::string PostClose(const Fields& fields) { return Done(PostMessageA(WindowArg(fields, 1), WM_CLOSE, 0, 0)); }

std::string PostToWindow(const Fields& fields) {
    return Done(PostMessageA(WindowArg(fields, 1), MessageArg(fields), WParamArg(fields), LParamArg(fields)));
}

std::string SendToWindow(const Fields& fields) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(WindowArg(fields, 1), MessageArg(fields), WParamArg(fields), LParamArg(fields),
                             SMTO_ABORTIFHUNG, 5000, &result))
        return Fail("SendMessageTimeout failed");
    return Ok("\"result\":" + Num(static_cast<long long>(result)));
}

// To the thread of the window: a message that no window procedure sees.
std::string PostToThread(const Fields& fields) {
    const DWORD thread = GetWindowThreadProcessId(WindowArg(fields, 1), nullptr);
    return Done(thread && PostThreadMessageA(thread, MessageArg(fields), WParamArg(fields), LParamArg(fields)));
}

std::string HitTest(const Fields& fields) {
    DWORD_PTR hit = 0;
    SendMessageTimeoutA(WindowArg(fields, 1), WM_NCHITTEST, 0, MAKELPARAM(IntArg(fields, 2), IntArg(fields, 3)),
                        SMTO_ABORTIFHUNG, 2000, &hit);
    return Ok("\"hit\":" + Num(static_cast<long long>(hit)));
}

std::string BroadcastRegistered(const Fields& fields) {
    const UINT message = RegisterWindowMessageA(Arg(fields, 1).c_str());
    return Done(message && PostMessageA(HWND_BROADCAST, message, 0, 0));
}

// Wine does not carry WM_DPICHANGED's rectangle from one process to another, so the hook DLL sends it from inside
// the window's own thread, as Windows does; the probe only asks the DLL to.
std::string SendDpiChanged(const Fields& fields) {
    const HWND window = WindowArg(fields, 1);
    const std::string path = Arg(fields, 3);
    const HMODULE dll = LoadLibraryA(path.c_str());
    const auto hookProc =
        dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "CallWndProc"))) : nullptr;
    if (!hookProc) return Fail("hook DLL not loaded: " + path);
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, hookProc, dll, GetWindowThreadProcessId(window, nullptr));
    if (!hook) return Fail("SetWindowsHookEx failed");
    DWORD_PTR result = 0;
    const BOOL sent = SendMessageTimeoutA(window, RegisterWindowMessageA("InThreadDpiChanged"),
                                          static_cast<WPARAM>(IntArg(fields, 2)), 0, SMTO_ABORTIFHUNG, 5000,
                                          &result) != 0;
    UnhookWindowsHookEx(hook);
    return Done(sent);
}

}  // namespace probe
