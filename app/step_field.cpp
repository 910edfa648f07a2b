// Text1, the step-size field: every change saved and converted, the whole text selected on entry, a non-number
// replaced on exit, and no text longer than a step needs.
#include "app/step_field.h"

#include <commctrl.h>

#include <string>

#include "app/product.h"
#include "app/settings_store.h"
#include "app/step_text_limit.h"
#include "win/utf8.h"
#include "win/window_text.h"
#include "steering/locale_number_format.h"

namespace app {
namespace {

constexpr const wchar_t* kReplacementStep = L"5";
constexpr std::string_view kStepSettingKey = "Text1";

}  // namespace

void LoadStep(FormParts& parts) noexcept {
    try {
        parts.step.SetFormat(steering::UserNumberFormat());
        parts.step.SetText(win::ToUtf8(win::WindowTextW(parts.field)));
    } catch (...) {
        // Out of memory at creation: the step stays unset and the keys move nothing until the next edit.
    }
}

void Text1_Change(FormParts& parts) noexcept {
    try {
        const std::wstring text = win::WindowTextW(parts.field);
        parts.step.SetText(win::ToUtf8(text));
        SaveSetting(kMakerName, kProductDisplayName, kStepSettingKey, text);
    } catch (...) {
        // The text could not even be read: the step stays as it was, and nothing else depends on the write.
    }
}

void UpdateStepFormat(FormParts& parts) noexcept {
    // Sent to every top-level window, hidden ones included, when the regional settings (among others) change.
    try {
        parts.step.SetFormat(steering::UserNumberFormat());
    } catch (...) {
        // The separators stay as they were.
    }
}

void Text1_GotFocus(const FormParts& parts) noexcept { SendMessageA(parts.field, EM_SETSEL, 0, -1); }

void Text1_LostFocus(const FormParts& parts) noexcept {
    if (!parts.step.IsNumeric()) SetWindowTextW(parts.field, kReplacementStep);
}

// The edit control's own limit holds for typing and pasting but not for WM_SETTEXT, which any program can send;
// a very long text would keep the edit control, and with it every key event of a run, busy for seconds.
LRESULT Text1_SetText(HWND control, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    if (!text) return DefSubclassProc(control, WM_SETTEXT, wParam, lParam);
    const std::size_t kept = KeptTextLength(text);
    if (text[kept] == L'\0') return DefSubclassProc(control, WM_SETTEXT, wParam, lParam);
    try {
        const std::wstring cut(text, kept);  // as a paste into the field would be cut
        return DefSubclassProc(control, WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(cut.c_str()));
    } catch (...) {
        return FALSE;
    }
}

// A click places the caret after the focus arrived and undoes the selection; select again, as the field is
// meant to be retyped whole. A drag that selects part of the text is left alone.
void Text1_MouseDown(FormParts& parts) noexcept {
    SendMessageA(parts.field, EM_SETSEL, 0, -1);
    parts.selectAllOnRelease = true;
}

void Text1_MouseUp(FormParts& parts) noexcept {
    if (!parts.selectAllOnRelease) return;
    parts.selectAllOnRelease = false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(parts.field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) SendMessageA(parts.field, EM_SETSEL, 0, -1);
}

}  // namespace app
