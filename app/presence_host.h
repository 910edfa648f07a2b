// Form1's presence: showing and focusing the window, the in-tray flag, the end of steering and the yield.
#pragma once

#include "app/form_parts.h"
#include "app/window_presence.h"

namespace app {

class Form1Presence final : public WindowPresence {
public:
    explicit Form1Presence(FormParts& parts) noexcept : parts_(parts) {}

    void ShowWindow() override;
    void FocusWindow() override;
    void SetMinimizedToTray(bool minimized) override;
    void UnhookKeyboard() override;
    void ProcessPendingMessages() override;

private:
    void ForceForeground() noexcept;

    FormParts& parts_;
};

}  // namespace app
