// The main window's parts, shared by Form1 and the hosts of its handlers: handles, the tray control, the step and
// the flags. One per window, living exactly as long as Form1.
#pragma once

#include <windows.h>

#include "app/application_window.h"
#include "app/form_colours.h"
#include "app/pointer_setting.h"
#include "skin/skin_engine.h"
#include "steering/step_setting.h"
#include "tray/property_bag.h"
#include "tray/sys_tray.h"
#include "tray/sys_tray_window.h"
#include "win/win_handles.h"

namespace app {

struct FormParts {
    FormParts(HINSTANCE instance, ApplicationWindow& application, tray::SysTrayEvents& trayEvents) noexcept
        : instance(instance), application(application), cSysTray1(cSysTray1Window, trayEvents) {}
    FormParts(const FormParts&) = delete;
    FormParts& operator=(const FormParts&) = delete;

    HINSTANCE instance;
    ApplicationWindow& application;

    HWND window = nullptr;
    HWND frame = nullptr;      // Frame1
    HWND field = nullptr;      // Text1
    HWND button = nullptr;     // PushButton2
    HWND lastFocus = nullptr;  // the control that gets the focus back when the window is activated
    int dpi = USER_DEFAULT_SCREEN_DPI;
    UINT bringBackMessage = 0;  // posted by a later start of the program

    win::FontHandle font;
    win::FontHandle buttonFont;
    win::IconHandle bigIcon;
    win::IconHandle smallIcon;
    win::CursorHandle customPointer;
    FormColours colours;
    skin::SkinEngine skinFramework1;
    PointerSetting pointerSetting = PointerSetting::Default;
    steering::StepSetting step{{}, {}};  // Text1's text and its step, converted on every change of either

    bool selectAllOnRelease = false;
    bool minimizedToTray = false;
    bool created = false;  // the window and its controls exist: a destruction from now on is a close
    bool shown = false;    // the first show is done: start-up has finished

    tray::PropertyBag cSysTray1Properties;  // the control's stored properties, as the window was designed
    tray::SysTrayWindow cSysTray1Window;
    tray::cSysTray cSysTray1;
};

}  // namespace app
