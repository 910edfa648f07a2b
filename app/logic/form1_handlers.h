// Form1's event handlers, free of Windows: start-up, the start/stop button, hiding into the tray, the close; and
// the interfaces through which they reach the window and the system, one per concern.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/logic/error_trap.h"
#include "tray/logic/sys_tray.h"

namespace app {

inline constexpr std::string_view kStartCaption = "Start Running (Press Ctrl + Alt + U To Bring This Window Back)";
inline constexpr std::string_view kStopCaption = "Stop Running (Press Ctrl + Alt + U To Bring This Window Back)";

// The procedures the error report names, one per trapped handler.
inline constexpr std::string_view kLoadProcedure = "in Pelmorath2021/08/31.Form1.Form_Load ";
inline constexpr std::string_view kClickProcedure = "in Pelmorath2021/08/31.Form1.PushButton2_Click ";
inline constexpr std::string_view kQueryUnloadProcedure = "in Pelmorath2021/08/31.Form1.Form_QueryUnload ";

inline constexpr std::wstring_view kPointerFileName = L"\\HAND-M.CUR";

// The balloon of the first minimise of a program run.
inline constexpr std::string_view kTrayBalloonText =
    "has been minimized to the system tray.\r\n"
    "Click on the blue 'Q' icon (Q for Quendrix) to bring the software back.";
inline constexpr std::int32_t kTrayBalloonSeconds = 5;

// The code the program ends with when its window is destroyed: 0 after a close, and a failure when the window is
// destroyed while it is being created, so that a start that could not make its window does not pass for a success.
inline constexpr int kStartFailedExitCode = 1;

// Any call of the interfaces below may throw win::HandlerFailure; a trapped handler reports it with its line.

// The main window as its user sees it.
class WindowState {
public:
    virtual std::string ButtonCaption() = 0;
    virtual void SetButtonCaption(std::string_view caption) = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetWindowIcon() = 0;
    virtual void MinimizeWindow() = 0;
    virtual bool IsMinimized() = 0;
    // Hides the window and its taskbar button; shown again, it comes back in its normal size.
    virtual void HideWindow() = 0;
    // Makes the window visible in its normal size.
    virtual void ShowWindow() = 0;
    // Brings the window to the front with the keyboard focus.
    virtual void FocusWindow() = 0;
    // True while the window is hidden in the tray.
    virtual bool MinimizedToTray() = 0;
    virtual void SetMinimizedToTray(bool minimized) = 0;

protected:
    ~WindowState() = default;
};

// The steering of a run: the keyboard hook and the watches that go with it, started and stopped here only, and
// the restore request that ends the run.
class Steering {
public:
    virtual void StartSteering() = 0;
    // Harmless when nothing steers.
    virtual void StopSteering() = 0;
    virtual bool RestoreRequested() = 0;
    // Raising the request also ends a WaitForInput, wherever the raise runs.
    virtual void SetRestoreRequested(bool requested) = 0;

protected:
    ~Steering() = default;
};

// The thread's message processing, with the window's keyboard navigation.
class MessagePump {
public:
    // Dispatches every waiting message and returns at once.
    virtual void ProcessPendingMessages() = 0;
    // Blocks until a posted message arrives and dispatches it, running hook calls and sent messages meanwhile.
    virtual void WaitForInput() = 0;

protected:
    ~MessagePump() = default;
};

// The window's look beyond the system's: the optional skin file and pointer file.
class Look {
public:
    // Recolours the window and skins it when the skin file is present.
    virtual void ApplySkin() = 0;
    // Reads and checks the pointer file; its picture is then shown over the button.
    virtual void LoadPointerImage(const std::wstring& path) = 0;

protected:
    ~Look() = default;
};

// What belongs to the program rather than to its window.
class Application {
public:
    // The executable's folder, without a trailing separator; Unicode, as folder names may be in any script.
    virtual std::wstring ExecutableFolder() = 0;
    // True for any existing file or folder; never fails.
    virtual bool FileExists(const std::wstring& path) = 0;
    // On about one start in a hundred, opens the maker's home page.
    virtual void RollForHomePage() = 0;
    virtual void SetAppTitle() = 0;

protected:
    ~Application() = default;
};

// Runs before the window is first shown. A failing line is reported and start-up goes on.
void Form_Load(WindowState& window, Look& look, Application& application, tray::TrayControl& tray,
               const ReportSink& report) noexcept;

// The load handler's last line, whose work nobody can see (the application title's hidden window): run from the
// window's own queue right after the first show, so that the window shows sooner, and reported as the load handler's.
void Form_LoadAfterShow(Application& application, const ReportSink& report) noexcept;

// The button caption is the only record of a run: the start caption starts one, anything else stops it. The start
// branch returns only when the run is over; the stop branch runs nested inside its message processing.
void PushButton2_Click(WindowState& window, Steering& steering, MessagePump& pump, const ReportSink& report) noexcept;

// The resize event: a minimised window goes into the tray, with the balloon on the first time.
void Form_Resize(WindowState& window, tray::TrayControl& tray);

// A mouse button released over the tray icon: the window comes back, whatever the button.
void cSysTray1_MouseUp(WindowState& window);

// Before the window closes for any reason: the steering and the icon go, and waiting messages are served. Never
// refuses the close; a failing line is reported and the next one runs.
void Form_QueryUnload(Steering& steering, tray::TrayControl& tray, MessagePump& pump, const ReportSink& report) noexcept;

int UnloadExitCode(bool windowCreated) noexcept;

}  // namespace app
