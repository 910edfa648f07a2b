// Start-up object: creates the main window, runs its start-up, shows it and serves its messages.
#include <windows.h>

#include <commctrl.h>

#include "app/application_window.h"
#include "app/form1.h"
#include "win/message_pump.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    app::ApplicationWindow application(instance);
    app::Form1 form(instance, application);
    if (!form.Create()) return 1;
    form.Load();
    form.Show();
    return win::RunMessageLoop(form.Handle());
}
