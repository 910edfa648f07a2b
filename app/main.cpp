// Start-up object: creates the main window, runs its start-up, shows it and serves its messages.
#include <windows.h>

#include <commctrl.h>

#include "app/application_window.h"
#include "app/form1.h"
#include "steering/keyboard_hook.h"
#include "win/message_pump.h"
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
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, [[maybe_unused]] LPSTR commandLine, int) {
    SearchLibrariesSafely();
    // Before anything else: a second copy would install a second hook and double every move.
    const win::SingleInstance single(kInstanceName);
    if (!single.IsFirst()) {
        win::AskFirstInstanceToComeBack(app::kForm1ClassW);
        return 0;
    }

#ifdef PELMORATH_TEST_BUILD
    // The program takes no options; the test build takes this one, to make the system's silent removal of the hook.
    if (commandLine && lstrcmpA(commandLine, "/lose-hook-for-test") == 0) modKeyboard::LoseHookInEveryRunForTest();
#endif

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    app::ApplicationWindow application(instance);
    app::Form1 form(instance, application);
    if (!form.Create()) return app::kStartFailedExitCode;
    form.Load();
    form.Show();
    return win::RunMessageLoop(form.Handle());
}
