// Text1, the step-size field: the step it holds, its handlers, and the setting every change writes.
#pragma once

#include <windows.h>

#include "steering/logic/step_setting.h"

namespace app {

class StepField {
public:
    StepField() noexcept = default;
    StepField(const StepField&) = delete;
    StepField& operator=(const StepField&) = delete;

    // Takes the created edit control: limits its text, reads the step from its designed text and subclasses it.
    void Attach(HWND field) noexcept;
    HWND Handle() const noexcept { return field_; }
    // Text1's text and its step size, converted on every change of either.
    const steering::StepSetting& Step() const noexcept { return step_; }

    // EN_CHANGE: the step size is converted and the text saved.
    void Text1_Change() noexcept;
    // The user's number format may have changed.
    void UpdateStepFormat() noexcept;

private:
    static LRESULT CALLBACK SubclassProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    void Text1_GotFocus() noexcept;
    void Text1_LostFocus() noexcept;
    // A press that brings the focus into the field, and every release over it.
    void Text1_MouseDown() noexcept;
    void Text1_MouseUp() noexcept;
    // WM_SETTEXT of the field, from this program or any other.
    LRESULT Text1_SetText(WPARAM wParam, LPARAM lParam) noexcept;

    HWND field_ = nullptr;
    steering::StepSetting step_{{}, {}};
    bool selectAllOnRelease_ = false;
};

}  // namespace app
