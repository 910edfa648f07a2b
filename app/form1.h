// The main window Form1: its controls, their layout, and the routing of its messages to the handlers.
#pragma once

#include <windows.h>

#include <string>

#include "app/application_window.h"
#include "app/pointer_setting.h"
#include "app/run_control.h"
#include "app/start_up.h"
#include "steering/step_setting.h"
#include "win/win_handles.h"

namespace app {

inline constexpr const char* kForm1Class = "PelmorathForm1";
inline constexpr int kFrame1Id = 1001;
inline constexpr int kText1Id = 1002;
inline constexpr int kPushButton2Id = 1003;

class Form1 final : private RunControlHost, private StartUpHost {
public:
    Form1(HINSTANCE instance, ApplicationWindow& application) noexcept;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();

    // Creates the window, hidden, with its controls laid out for its DPI; false when the platform refuses.
    bool Create() noexcept;
    // The start-up sequence, run while the window is still hidden.
    void Load() noexcept;
    // The first show: centred on the screen, the step field focused.
    void Show() noexcept;
    HWND Handle() const noexcept { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR form) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // One handler per message of the window.
    bool OnCreate() noexcept;
    void OnCommand(int id, int code) noexcept;
    LRESULT OnCtlColor(HDC dc) noexcept;
    bool OnSetCursor(int hitTest) noexcept;
    void OnMouseMove() noexcept;
    void OnActivate(bool active) noexcept;
    void OnDpiChanged(int dpi, const RECT& suggested) noexcept;
    void OnSettingChange() noexcept;
    void Form_Unload() noexcept;

    // Events of the controls.
    void PushButton2_Click() noexcept;
    void Text1_Change() noexcept;
    void Text1_GotFocus() noexcept;
    void Text1_LostFocus() noexcept;
    void Text1_MouseDown() noexcept;
    void Text1_MouseUp() noexcept;
    LRESULT Text1_SetText(HWND control, WPARAM wParam, LPARAM lParam) noexcept;
    void LoadStep() noexcept;
    void Hover(HoverArea area) noexcept;

    void ApplyLayout(int dpi) noexcept;
    HCURSOR PointerFor(PointerSetting setting) const noexcept;
    void ShowReport(const std::string& reportText) noexcept;
    ReportSink Reporter() noexcept;
    std::wstring Text1() const;

    // RunControlHost
    std::string ButtonCaption() override;
    void SetButtonCaption(std::string_view caption) override;
    void MinimizeWindow() override;
    void HookKeyboard() override;
    void UnhookKeyboard() override;
    bool RestoreRequested() override;
    void SetRestoreRequested(bool requested) override;
    void ProcessPendingMessages() override;
    void WaitForInput() override;
    void ShowWindow() override;
    void FocusWindow() override;
    void SetMinimizedToTray(bool minimized) override;

    // StartUpHost
    std::string ExecutableFolder() override;
    bool FileExists(const std::string& path) override;
    void LoadPointerImage(const std::string& path) override;
    void HomePageDraw() override;
    void SetWindowIcon() override;
    void SetCaption(std::string_view caption) override;
    void SetAppTitle() override;

    HINSTANCE instance_;
    ApplicationWindow& application_;
    HWND window_ = nullptr;
    HWND frame_ = nullptr;
    HWND field_ = nullptr;
    HWND button_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that gets the focus back when the window is activated
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    win::FontHandle font_;
    win::FontHandle buttonFont_;
    win::IconHandle bigIcon_;
    win::IconHandle smallIcon_;
    win::CursorHandle customPointer_;
    PointerSetting pointerSetting_ = PointerSetting::Default;
    steering::StepSetting step_;  // Text1's text and its step, converted on every change of either
    bool selectAllOnRelease_ = false;
    bool minimizedToTray_ = false;
};

}  // namespace app
