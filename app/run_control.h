// The start/stop button's click handler: starting a run, waiting it out, and stopping it.
#pragma once

#include <string>
#include <string_view>

#include "app/error_trap.h"
#include "app/window_presence.h"

namespace app {

inline constexpr std::string_view kStartCaption = "Start Running (Press Ctrl + Alt + U To Bring This Window Back)";
inline constexpr std::string_view kStopCaption = "Stop Running (Press Ctrl + Alt + U To Bring This Window Back)";
inline constexpr std::string_view kClickProcedure = "in Pelmorath2021/08/31.Form1.PushButton2_Click ";

// What the handler touches besides the window's presence. Any call may throw StepFailure; the handler's trap deals
// with it.
class RunControlHost {
public:
    virtual std::string ButtonCaption() = 0;
    virtual void SetButtonCaption(std::string_view caption) = 0;
    virtual void MinimizeWindow() = 0;
    virtual void HookKeyboard() = 0;
    virtual bool RestoreRequested() = 0;
    // Raising the request also wakes WaitForInput, wherever the raise runs.
    virtual void SetRestoreRequested(bool requested) = 0;
    // Blocks until a posted message arrives and dispatches it, running hook calls and sent messages meanwhile,
    // so an idle run costs nothing.
    virtual void WaitForInput() = 0;

protected:
    ~RunControlHost() = default;
};

// The button caption is the only record of a run: the start caption starts one, anything else stops it.
// The start road returns only when the run is over; the stop road runs nested inside its yields.
void PushButton2_Click(RunControlHost& host, WindowPresence& window, const ReportSink& report) noexcept;

}  // namespace app
