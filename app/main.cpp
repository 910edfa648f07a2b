// Start-up object: creates the main window, runs its start-up, shows it and serves its messages.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <exception>

#include "app/program.h"
#include "app/form1.h"
#include "steering/keyboard_hook.h"
#include "win/logic/main_window_class.h"
#include "win/message_pump.h"
#include "win/proc_address.h"
#include "win/single_instance.h"

namespace {

// Per user session: another user logged on to the same machine runs a copy of their own.
constexpr const wchar_t* kInstanceName = L"Local\\Pelmorath.Form1";

// No DLL that Windows or a system DLL loads later by a bare name comes from the program's folder, which for a
// portable program may be a Downloads folder holding anything. The static imports are known DLLs and comctl32 v6
// comes through the manifest, so they are safe already. (Wine loads its own copy of nearly every system DLL
// whatever lies beside the program, so no test under it can show the difference.)
void SearchLibrariesSafely() noexcept {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // Looked up at run time: Windows 7 without its security update lacks it.
    const auto setDefault =
        win::ProcAddress<SetDefaultDllDirectoriesFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

// A failure that ends the program lets up the mouse button keypad 5 holds first: the system would otherwise keep it
// down, and every move of the real mouse would drag.
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) noexcept {
    modKeyboard::KeyboardHook::LetButtonUpBeforeExit();
    return EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() noexcept {
    modKeyboard::KeyboardHook::LetButtonUpBeforeExit();
    std::abort();
}

}  // namespace

#if defined(__GLIBCXX__)
// Keeps the C++ runtime's verbose terminate handler, and the symbol demangler it drags in, out of the program.
namespace __gnu_cxx {
// Nothing in the program lets an exception escape; should the runtime still terminate, end at once.
void __verbose_terminate_handler() { OnTerminate(); }  // NOLINT(bugprone-reserved-identifier): the runtime's own name
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SearchLibrariesSafely();
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
    // Before anything else: a second copy would install a second hook and double every move.
    const win::SingleInstance single(kInstanceName);
    if (!single.IsFirst()) {
        win::ShowFirstInstance(win::kMainWindowClass);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    app::Program program(instance);
    app::Form1 form(instance, program);
    if (!form.Create()) return app::kStartFailedExitCode;
    form.Load();
    form.Show();
    return win::RunMessageLoop(form.Handle());
}
