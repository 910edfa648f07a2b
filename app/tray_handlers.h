// The window's lifecycle outside start-up: hiding into the tray, coming back from it, and closing.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/error_trap.h"
#include "app/window_presence.h"

namespace app {

inline constexpr std::string_view kQueryUnloadProcedure = "in Pelmorath2021/08/31.Form1.Form_QueryUnload ";

// The balloon of the first minimise of a program run.
inline constexpr std::string_view kTrayBalloonText =
    "has been minimized to the system tray.\r\n"
    "Click on the blue 'Q' icon (Q for Quendrix) to bring the software back.";
inline constexpr std::int32_t kTrayBalloonSeconds = 5;

// What the handlers touch besides the window's presence. Any call may throw StepFailure.
class TrayHandlersHost {
public:
    virtual bool IsMinimized() = 0;
    // True while the window is hidden in the tray.
    virtual bool MinimizedToTray() = 0;
    // Whether the shell really holds the tray icon: without it a hidden window could not be brought back.
    virtual bool TrayIconInShell() = 0;
    // Hides the window and its taskbar button; shown again, it comes back in its normal size.
    virtual void HideWindow() = 0;
    virtual void ShowTrayBalloon(std::string_view tip, std::string_view title, std::int32_t seconds, bool once) = 0;
    virtual void SetInTray(bool inTray) = 0;

protected:
    ~TrayHandlersHost() = default;
};

// The resize event: a minimised window goes into the tray, with the balloon on the first time.
void Form_Resize(TrayHandlersHost& host, WindowPresence& window);

// A mouse button released over the tray icon: the window comes back, whatever the button.
void cSysTray1_MouseUp(WindowPresence& window);

// Before the window closes for any reason: the hook and the icon go, and waiting messages are served. Never
// refuses the close; a failing step is reported and the next one runs.
void Form_QueryUnload(TrayHandlersHost& host, WindowPresence& window, const ReportSink& report) noexcept;

// The code the program ends with when its window is destroyed: 0 after a close, and a failure when the window is
// destroyed while it is being created, so that a start that could not make its window does not pass for a success.
inline constexpr int kStartFailedExitCode = 1;
int UnloadExitCode(bool windowCreated) noexcept;

}  // namespace app
