// The tray control's Win32 side: its small hidden child window and the platform services it relies on.
#pragma once

#include <windows.h>

#include "tray/logic/sys_tray.h"
#include "tray/shell_call_thread.h"
#include "win/win_handles.h"

namespace tray {

inline constexpr const char* kSysTrayClass = "PelmorathSysTray";

// An icon or cursor handle owned as a picture of the icon kind.
PictureRef LoadCursorPicture(HINSTANCE instance, int resourceId) noexcept;

class SysTrayWindow final : public SysTrayPlatform {
public:
    SysTrayWindow() noexcept = default;
    SysTrayWindow(const SysTrayWindow&) = delete;
    SysTrayWindow& operator=(const SysTrayWindow&) = delete;
    ~SysTrayWindow();

    // Creates the hidden child window that owns the icon; the control gets its Resize from it.
    bool Create(HWND parent, HINSTANCE instance, int controlId, cSysTray& control) noexcept;
    HWND Handle() const noexcept { return window_.get(); }

    // While false, as during a run, the shell calls are left to a thread of their own and nobody waits for their
    // answers; the control hears them later. While true, a call waits for the shell, after any still queued.
    void SetWaitsForShell(bool waits) noexcept { waitsForShell_ = waits; }
    // The program is ending: from now on every shell call is left to the thread, the balloons still queued are
    // dropped, and WaitForShellAtEnd waits a bounded time.
    void ProgramEnding() noexcept;
    // Waits for the calls still queued, up to kEndWaitMilliseconds after ProgramEnding; what the shell has not
    // answered by then is left to the thread, which ends with the process.
    void WaitForShellAtEnd() noexcept;
    static constexpr DWORD kEndWaitMilliseconds = 2000;

    // The shell broadcasts this message to top-level windows when it (re)starts; the host passes it on.
    bool IsTaskbarCreated(UINT message) const noexcept { return taskbarCreated_ != 0 && message == taskbarCreated_; }

    // SysTrayPlatform
    win::WindowId OwnWindow() override;
    ShellAnswer NotifyIcon(const NotifyCall& call) override;
    void InstallTrayHook(cSysTray& control) override;
    void RemoveTrayHook(cSysTray& control) override;
    double Now() override;
    void WaitForMessages(double maxSeconds) override;
    void SetHeightTwips(int twips) override;
    void SetWidthTwips(int twips) override;
    std::string ToAnsi(std::wstring_view character) override;

    // For the window procedure, win::OwnerWindowProc, alone.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void SetSize(int width, int height) noexcept;
    int TwipsToPixels(int twips) const noexcept;

    win::OwnedWindow window_;
    cSysTray* control_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool waitsForShell_ = true;
    bool ending_ = false;
    ULONGLONG endingSince_ = 0;
    ShellCallThread shellCalls_;
};

}  // namespace tray
