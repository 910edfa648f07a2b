// The main window Form1: its creation and layout (form1_layout.cpp), its state, and the routing of its messages to
// the handlers (form1.cpp).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/logic/form1_handlers.h"
#include "app/logic/window_layout.h"
#include "app/program.h"
#include "app/run_steering.h"
#include "app/step_field.h"
#include "app/window_look.h"
#include "tray/logic/property_bag.h"
#include "tray/logic/sys_tray.h"
#include "tray/sys_tray_window.h"
#include "win/message_pump.h"
#include "win/win_handles.h"

namespace app {

inline constexpr int kFrame1Id = 1001;
inline constexpr int kText1Id = 1002;
inline constexpr int kPushButton2Id = 1003;
inline constexpr int kSysTray1Id = 1004;

// The window owns its state and its controls: Text1 with its step size, its look, the run's steering, the run's
// restore request and the tray control cSysTray1. The trapped handlers reach the window through Form1Platform, and
// its parts through the interfaces each part implements itself.
class Form1 final : private Form1Platform, private tray::SysTrayEvents {
public:
    Form1(HINSTANCE instance, Program& program) noexcept;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates the window, hidden, with its controls laid out for its DPI; false when the platform refuses.
    bool Create() noexcept;
    // The start-up sequence, run while the window is still hidden.
    void Load() noexcept;
    // The first show: centred on the screen, the step field focused. The rest of start-up follows from the queue.
    void Show() noexcept;
    HWND Handle() const noexcept { return window_.get(); }

    // The window's own messages: its creation and end, its controls, its look, its size, its input. For the window
    // procedure, win::OwnerWindowProc, alone.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    // Asked only after those, so that the window's own frequent messages pass no extra test: the close and the quit,
    // what the system and the run's steering tell the window, and the registered messages, which have no constant to
    // be a case of.
    LRESULT HandleNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT OnRegisteredMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // One handler per message of the window.
    bool OnCreate() noexcept;
    void OnCommand(int id, int code) noexcept;
    void OnActivate(bool active) noexcept;
    void OnDpiChanged(int dpi, const RECT& suggested) noexcept;
    // The resize event: a minimised window goes into the tray, with the balloon the first time.
    void Form_Resize() noexcept;
    void OnSettingChange(WPARAM setting) noexcept;
    void OnShowInstance() noexcept;
    // The installer's close action: the program ends as when the user closes it.
    void OnCloseForUpdate() noexcept;
    void OnTaskbarCreated() noexcept;
    void OnClose() noexcept;
    // The thread's quit message: the program ends as on a close, with the quit's exit code.
    void OnQuit(int exitCode) noexcept;
    void Close(int exitCode) noexcept;
    [[noreturn]] void Form_Unload(int exitCode) noexcept;

    void CreateSysTray1() noexcept;
    void ApplyLayout(int dpi) noexcept;
    // Lays the window out again when its DPI is no longer the one it was laid out for.
    void FollowWindowDpi() noexcept;
    void SetFonts(const FormLayout& layout, bool redraw) noexcept;
    void ForceForeground() noexcept;

    // Form1Platform: the window and its button
    std::wstring ButtonCaption() override;
    void SetButtonCaption(std::wstring_view caption) override;
    void SetCaption(std::wstring_view caption) override;
    void SetWindowIcon() override;
    void MinimizeWindow() override;
    void ShowWindow() override;
    void FocusWindow() override;
    void SetMinimizedToTray(bool minimized) override { minimizedToTray_ = minimized; }
    // cSysTray1's properties, as the form sets them
    void SetTrayTip(std::wstring_view tip) override { cSysTray1_.SetTrayTip(tip); }
    void SetInTray(bool show) override { cSysTray1_.SetInTray(show); }
    // the thread's messages and the run loop's request
    void ProcessPendingMessages() override;
    void WaitForInput() override { win::WaitForInput(restoreRequested_); }
    bool RestoreRequested() override { return restoreRequested_.Raised(); }
    void SetRestoreRequested(bool requested) override { restoreRequested_.Set(requested); }

    // cSysTray1's events: the window handles MouseUp only.
    void MouseUp(std::int16_t& Button, std::int32_t& Id) override;
    bool UserMode() override { return true; }

    HINSTANCE instance_;
    Program& program_;
    HWND frame_ = nullptr;      // Frame1
    HWND button_ = nullptr;     // PushButton2
    HWND lastFocus_ = nullptr;  // the control that gets the focus back when the window is activated
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT showInstanceMessage_ = 0;   // posted by a later start of the program
    UINT closeForUpdateMessage_ = 0;  // sent by the installer's close action
    win::FontHandle font_;
    win::FontHandle buttonFont_;
    win::IconHandle bigIcon_;
    win::IconHandle smallIcon_;
    bool minimizedToTray_ = false;
    bool shown_ = false;  // the first show is done: start-up has finished
    bool closing_ = false;

    StepField text1_;
    WindowLook look_;
    tray::PropertyBag cSysTray1Properties_;  // the control's stored properties, as the window was designed
    tray::SysTrayWindow cSysTray1Window_;
    tray::cSysTray cSysTray1_{cSysTray1Window_, *this};
    // RestoreRequested: raised by Ctrl+U in the hook and by the stop branch, waited for by the run loop.
    win::WakingFlag restoreRequested_;
    RunSteering steering_{text1_.Step(), restoreRequested_, cSysTray1_, cSysTray1Window_};
    // Held from WM_NCCREATE and given up on WM_NCDESTROY. Its destruction ends the process (Form_Unload), so it is
    // the last member: it never outlives the rest.
    win::OwnedWindow window_;
};

}  // namespace app
