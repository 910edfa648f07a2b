// The main window Form1: its creation, the routing of its messages and its controls' events to the handlers.
#pragma once

#include <windows.h>

#include "app/application_window.h"
#include "app/form_parts.h"
#include "app/presence_host.h"
#include "app/run_host.h"
#include "app/skin_host.h"
#include "app/start_up_host.h"
#include "app/tray_host.h"
#include "app/window_layout.h"
#include "tray/sys_tray.h"
#include "win/win_handles.h"

namespace app {

inline constexpr const char* kForm1Class = "PelmorathForm1";
inline constexpr const wchar_t* kForm1ClassW = L"PelmorathForm1";
inline constexpr int kFrame1Id = 1001;
inline constexpr int kText1Id = 1002;
inline constexpr int kPushButton2Id = 1003;
inline constexpr int kSysTray1Id = 1004;

// The window hosts cSysTray1 and hears its MouseUp; each other concern has a host of its own over the shared parts.
class Form1 final : private tray::SysTrayEvents {
public:
    Form1(HINSTANCE instance, ApplicationWindow& application) noexcept;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates the window, hidden, with its controls laid out for its DPI; false when the platform refuses.
    bool Create() noexcept;
    // The start-up sequence, run while the window is still hidden.
    void Load() noexcept;
    // The first show: centred on the screen, the step field focused. The rest of start-up follows from the queue.
    void Show() noexcept;
    HWND Handle() const noexcept { return parts_.window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR form) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // One handler per message of the window.
    bool OnCreate() noexcept;
    void OnCommand(int id, int code) noexcept;
    void OnActivate(bool active) noexcept;
    void OnDpiChanged(int dpi, const RECT& suggested) noexcept;
    void OnSize() noexcept;
    void OnClose() noexcept;
    // The thread's quit message: the program ends as on a close, with the quit's exit code.
    void OnQuit(int exitCode) noexcept;
    void Close(int exitCode) noexcept;
    [[noreturn]] void Form_Unload(int exitCode) noexcept;

    void ApplyLayout(int dpi) noexcept;
    void SetFonts(const FormLayout& layout, bool redraw) noexcept;

    // cSysTray1's events: the window handles MouseUp only.
    void MouseUp(std::int16_t& Button, std::int32_t& Id) override;
    bool UserMode() override { return true; }

    FormParts parts_;
    // parts_.window once created. Its destruction ends the process (Form_Unload), so it never outlives the owner.
    win::OwnedWindow ownWindow_;
    bool closing_ = false;
    Form1Presence presence_{parts_};
    Form1Run run_{parts_};
    Form1Skin skin_{parts_};
    Form1StartUp startUp_{parts_, skin_};
    Form1Tray tray_{parts_};
};

}  // namespace app
