// Form1's side of a run: the button caption, the minimise, the hook and the restore request, the wait.
#pragma once

#include "app/form_parts.h"
#include "app/run_control.h"

namespace app {

class Form1Run final : public RunControlHost {
public:
    explicit Form1Run(FormParts& parts) noexcept : parts_(parts) {}

    std::string ButtonCaption() override;
    void SetButtonCaption(std::string_view caption) override;
    void MinimizeWindow() override;
    void HookKeyboard() override;
    bool RestoreRequested() override;
    void SetRestoreRequested(bool requested) override;
    void WaitForInput() override;

private:
    FormParts& parts_;
};

// Raw input of a key during a run, with the time of its message: the hook may have been lost, and is installed again.
void OnRawInput(const FormParts& parts, unsigned long messageTime) noexcept;

// A power broadcast or a change of the session, with its code: after a resume from sleep or a return to the session
// during a run, the hook is installed again.
void OnSystemNotice(const FormParts& parts, UINT message, WPARAM code) noexcept;

// The display or a setting changed: the steering reads the display's size again.
void OnDisplayChange() noexcept;

}  // namespace app
