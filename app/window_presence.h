// What the run control and the tray handlers both do to the window: show and focus it, record whether it is hidden
// in the tray, stop the steering and yield.
#pragma once

namespace app {

// Any call may throw StepFailure.
class WindowPresence {
public:
    // Makes the window visible in its normal size.
    virtual void ShowWindow() = 0;
    // Brings the window to the front with the keyboard focus.
    virtual void FocusWindow() = 0;
    // True while the window is hidden in the tray.
    virtual void SetMinimizedToTray(bool minimized) = 0;
    virtual void UnhookKeyboard() = 0;
    // One pass of message processing: dispatches everything waiting and returns at once.
    virtual void ProcessPendingMessages() = 0;

protected:
    ~WindowPresence() = default;
};

}  // namespace app
