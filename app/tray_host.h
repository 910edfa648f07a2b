// Form1's side of the tray: its control cSysTray1, hiding into the tray and the icon's state.
#pragma once

#include "app/form_parts.h"
#include "app/tray_handlers.h"

namespace app {

class Form1Tray final : public TrayHandlersHost {
public:
    explicit Form1Tray(FormParts& parts) noexcept : parts_(parts) {}

    bool IsMinimized() override;
    bool MinimizedToTray() override;
    bool TrayIconInShell() override;
    void HideWindow() override;
    void ShowTrayBalloon(std::string_view tip, std::string_view title, std::int32_t seconds, bool once) override;
    void SetInTray(bool inTray) override;

private:
    FormParts& parts_;
};

// Creates cSysTray1 on the window with its stored properties, at the window's creation.
void CreateSysTray1(FormParts& parts, int controlId) noexcept;

// The shell (re)started: the icon goes back into the notification area.
void cSysTray1_TaskbarCreated(FormParts& parts) noexcept;

}  // namespace app
