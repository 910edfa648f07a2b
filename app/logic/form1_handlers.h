// Form1's trapped handlers, free of Windows: start-up, the start/stop button and the close, each a run of numbered
// lines; and the one interface through which they reach the window, its parts and the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/logic/error_trap.h"

namespace app {

inline constexpr std::wstring_view kStartCaption = L"Start Running (Press Ctrl + Alt + U To Bring This Window Back)";
inline constexpr std::wstring_view kStopCaption = L"Stop Running (Press Ctrl + Alt + U To Bring This Window Back)";

// The procedures the error report names, one per trapped handler.
inline constexpr std::wstring_view kLoadProcedure = L"in Pelmorath2021/08/31.Form1.Form_Load ";
inline constexpr std::wstring_view kClickProcedure = L"in Pelmorath2021/08/31.Form1.PushButton2_Click ";
inline constexpr std::wstring_view kQueryUnloadProcedure = L"in Pelmorath2021/08/31.Form1.Form_QueryUnload ";

inline constexpr std::wstring_view kPointerFileName = L"\\HAND-M.CUR";

// The balloon of the first minimise of a program run.
inline constexpr std::wstring_view kTrayBalloonText =
    L"has been minimized to the system tray.\r\n"
    L"Click on the blue 'Q' icon (Q for Quendrix) to bring the software back.";
inline constexpr std::int32_t kTrayBalloonSeconds = 5;

// The codes the program ends with: 0 after a close, and a failure when the window is destroyed before it came up, so
// that a start that could not make its window does not pass for a success.
inline constexpr int kClosedExitCode = 0;
inline constexpr int kStartFailedExitCode = 1;

// What Form1's handlers need, each part implementing its own share: the window (Form1Platform), the run's steering
// (SteeringControl), the look beyond the system's (LookFiles) and the program as a whole (ProgramPlatform). The unit
// tests record all four in one order. Any call may throw win::HandlerFailure or run out of memory; a trapped handler
// reports either with its line.

// The window, its button, its tray control, its thread's messages and the run's restore request. Form1 implements it.
class Form1Platform {
public:
    virtual std::wstring ButtonCaption() = 0;
    virtual void SetButtonCaption(std::wstring_view caption) = 0;
    virtual void SetCaption(std::wstring_view caption) = 0;
    virtual void SetWindowIcon() = 0;
    // The platform's resize event runs inside: a minimised window goes into the tray (Form1's Form_Resize).
    virtual void MinimizeWindow() = 0;
    // Makes the window visible in its normal size.
    virtual void ShowWindow() = 0;
    // Brings the window to the front with the keyboard focus.
    virtual void FocusWindow() = 0;
    // True while the window is hidden in the tray.
    virtual void SetMinimizedToTray(bool minimized) = 0;

    // The tray control cSysTray1's properties: its tooltip, and its icon in the notification area (true) or not.
    virtual void SetTrayTip(std::wstring_view tip) = 0;
    virtual void SetInTray(bool show) = 0;

    // The thread's message processing, with the window's keyboard navigation: the first dispatches every waiting
    // message and returns at once; the second blocks until a message, a sent message or a hook call is due, or the
    // restore request is raised, and processes nothing itself.
    virtual void ProcessPendingMessages() = 0;
    virtual void WaitForInput() = 0;
    // The request that ends a run, raised by Ctrl+U in the keyboard hook and by the stop branch; its raising also
    // ends a WaitForInput, wherever it runs.
    virtual bool RestoreRequested() = 0;
    virtual void SetRestoreRequested(bool requested) = 0;

protected:
    ~Form1Platform() = default;
};

// The run's steering: the keyboard hook and the watches that go with it, started and stopped by the handlers only.
// Stopping is harmless when nothing steers. RunSteering implements it.
class SteeringControl {
public:
    virtual void StartSteering() = 0;
    virtual void StopSteering() = 0;

protected:
    ~SteeringControl() = default;
};

// The look beyond the system's: the skin file beside the program recolours and skins the window when present; the
// pointer file, read and checked, is shown over the button. WindowLook implements it.
class LookFiles {
public:
    virtual void ApplySkin(std::wstring_view executableFolder) = 0;
    virtual void LoadPointerImage(const std::wstring& path) = 0;

protected:
    ~LookFiles() = default;
};

// The program as a whole: its folder, without a trailing separator and in any script; whether a file or folder exists
// (never fails); the home page on about one start in a hundred; the application title. Program implements it.
class ProgramPlatform {
public:
    virtual const std::wstring& ExecutableFolder() = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual void RollForHomePage() = 0;
    virtual void SetAppTitle() = 0;

protected:
    ~ProgramPlatform() = default;
};

// Runs before the window is first shown. A failing line is reported and start-up goes on.
void Form_Load(Form1Platform& form, LookFiles& look, ProgramPlatform& program, const ReportSink& report) noexcept;

// The load handler's last line, whose work nobody can see (the application title's hidden window): run from the
// window's own queue right after the first show, so that the window shows sooner, and reported as the load handler's.
void Form_LoadAfterShow(ProgramPlatform& program, const ReportSink& report) noexcept;

// The button caption is the only record of a run: the start caption starts one, anything else stops it. The start
// branch returns only when the run is over; the stop branch runs nested inside its message processing.
void PushButton2_Click(Form1Platform& form, SteeringControl& steering, const ReportSink& report) noexcept;

// A mouse button released over the tray icon: the window comes back, whatever the button.
void cSysTray1_MouseUp(Form1Platform& form);

// Before the window closes for any reason: the steering and the icon go, and waiting messages are served. Never
// refuses the close; a failing line is reported and the next one runs.
void Form_QueryUnload(Form1Platform& form, SteeringControl& steering, const ReportSink& report) noexcept;

// What the resize event sees, and whether it hides the window into the tray: only a minimised window not yet there,
// and only while the shell holds the icon, without which a hidden window would be out of reach.
struct ResizeFacts {
    bool minimized = false;
    bool minimizedToTray = false;
    bool iconInShell = false;
};
constexpr bool HidesIntoTray(const ResizeFacts& facts) {
    return facts.minimized && !facts.minimizedToTray && facts.iconInShell;
}

int UnloadExitCode(bool windowCameUp) noexcept;

}  // namespace app
