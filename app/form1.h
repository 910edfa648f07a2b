// The main window Form1: its controls, their layout, and the routing of its messages to the handlers.
#pragma once

#include <windows.h>

#include <string>

#include "app/application_window.h"
#include "app/apply_skin.h"
#include "app/form_colours.h"
#include "app/pointer_setting.h"
#include "app/run_control.h"
#include "app/start_up.h"
#include "app/tray_handlers.h"
#include "app/window_layout.h"
#include "skin/skin_engine.h"
#include "tray/property_bag.h"
#include "tray/sys_tray.h"
#include "tray/sys_tray_window.h"
#include "steering/step_setting.h"
#include "win/win_handles.h"

namespace app {

inline constexpr const char* kForm1Class = "PelmorathForm1";
inline constexpr const wchar_t* kForm1ClassW = L"PelmorathForm1";
inline constexpr int kFrame1Id = 1001;
inline constexpr int kText1Id = 1002;
inline constexpr int kPushButton2Id = 1003;
inline constexpr int kSysTray1Id = 1004;

class Form1 final : private RunControlHost,
                    private StartUpHost,
                    private SkinHost,
                    private TrayHandlersHost,
                    private tray::SysTrayEvents {
public:
    Form1(HINSTANCE instance, ApplicationWindow& application) noexcept;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();

    // Creates the window, hidden, with its controls laid out for its DPI; false when the platform refuses.
    bool Create() noexcept;
    // The start-up sequence, run while the window is still hidden.
    void Load() noexcept;
    // The first show: centred on the screen, the step field focused. The rest of start-up follows from the queue.
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
    bool OnEraseBackground(HDC dc) noexcept;
    LRESULT OnCtlColor(HDC dc, HWND control) noexcept;
    bool OnSetCursor(int hitTest) noexcept;
    void OnMouseMove() noexcept;
    void OnActivate(bool active) noexcept;
    void OnDpiChanged(int dpi, const RECT& suggested) noexcept;
    void OnBringBack() noexcept;
    void OnClose() noexcept;
    void Form_Resize() noexcept;
    void Form_QueryUnload() noexcept;
    void OnSettingChange() noexcept;
    void OnRawInput() noexcept;
    void OnDisplayChange() noexcept;
    void OnLoadAfterShow() noexcept;
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
    void CreateSysTray1() noexcept;
    void cSysTray1_MouseUp(std::int16_t& Button, std::int32_t& Id) noexcept;
    void cSysTray1_TaskbarCreated() noexcept;

    void ApplyLayout(int dpi) noexcept;
    void SetFonts(const FormLayout& layout, bool redraw) noexcept;
    void ForceForeground() noexcept;
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

    // StartUpHost (and SkinHost: the same folder)
    void ApplySkin() override;
    std::wstring ExecutableFolder() override;
    bool FileExists(const std::wstring& path) override;
    void LoadPointerImage(const std::wstring& path) override;
    void HomePageDraw() override;
    void SetWindowIcon() override;
    void SetCaption(std::string_view caption) override;
    void SetAppTitle() override;
    void SetTrayTip(std::string_view tip) override;
    void SetInTray(bool inTray) override;

    // TrayHandlersHost (the rest is shared with RunControlHost)
    bool IsMinimized() override;
    bool MinimizedToTray() override;
    bool TrayIconInShell() override;
    void HideWindow() override;
    void ShowTrayBalloon(std::string_view tip, std::string_view title, std::int32_t seconds, bool once) override;

    // tray::SysTrayEvents of cSysTray1
    void MouseMove(std::int32_t& Id) override;
    void MouseDown(std::int16_t& Button, std::int32_t& Id) override;
    void MouseUp(std::int16_t& Button, std::int32_t& Id) override;
    void MouseDblClick(std::int16_t& Button, std::int32_t& Id) override;
    void PropertyChanged(std::string_view name) override;
    bool UserMode() override;

    // SkinHost
    bool SkinFileListed(const std::wstring& path) override;
    void SetBackColour(StoredColour colour) override;
    std::vector<FormControl> Controls() override;
    void SetControlBackColour(std::uintptr_t control, StoredColour colour) override;
    skin::SkinFramework& SkinFramework1() override;
    std::uintptr_t WindowHandle() override;

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
    FormColours formColours_;
    skin::SkinEngine skinFramework1_;
    PointerSetting pointerSetting_ = PointerSetting::Default;
    steering::StepSetting step_;  // Text1's text and its step, converted on every change of either
    bool selectAllOnRelease_ = false;
    bool minimizedToTray_ = false;
    bool created_ = false;  // the window and its controls exist: a destruction from now on is a close
    bool shown_ = false;  // the first show is done: start-up has finished
    UINT bringBackMessage_ = 0;  // posted by a later start of the program
    tray::PropertyBag cSysTray1Properties_;  // the control's stored properties, as the window was designed
    tray::SysTrayWindow cSysTray1Window_;
    tray::cSysTray cSysTray1_{cSysTray1Window_, *this};
};

}  // namespace app
