// Text1, the step-size field: its handlers.
#pragma once

#include <windows.h>

#include "app/form_parts.h"

namespace app {

// The step from the field's designed text, at creation.
void LoadStep(FormParts& parts) noexcept;
void Text1_Change(FormParts& parts) noexcept;
void Text1_GotFocus(const FormParts& parts) noexcept;
void Text1_LostFocus(const FormParts& parts) noexcept;
// A press that brings the focus into the field, and every release over it.
void Text1_MouseDown(FormParts& parts) noexcept;
void Text1_MouseUp(FormParts& parts) noexcept;
// WM_SETTEXT of the field, from this program or any other.
LRESULT Text1_SetText(HWND control, WPARAM wParam, LPARAM lParam) noexcept;
// The user's number format may have changed.
void UpdateStepFormat(FormParts& parts) noexcept;

}  // namespace app
