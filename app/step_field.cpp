// Text1, the step-size field: every change saved and converted, the whole text selected on entry, a non-number
// replaced on exit, and no text longer than a step size needs.
#include "app/step_field.h"

#include <commctrl.h>

#include <new>
#include <string>

#include "app/logic/product.h"
#include "app/logic/step_text_limit.h"
#include "steering/locale_number_format.h"
#include "win/failure_trace.h"
#include "win/utf8.h"
#include "win/win_handles.h"
#include "win/window_text.h"

namespace app {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr const wchar_t* kReplacementStep = L"5";
constexpr const wchar_t* kStepSettingKey = L"Text1";

// Writes the value under HKCU\Software\<application>\<section>, creating the keys when missing, exactly as given,
// in UTF-16. A failed write changes nothing else and is not reported.
void SaveSetting(std::wstring_view application, std::wstring_view section, const wchar_t* key,
                 std::wstring_view value) noexcept {
    try {
        std::wstring path = L"Software\\";
        path += application;
        path += L'\\';
        path += section;
        win::RegistryKey sectionKey;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, sectionKey.put(), nullptr) != ERROR_SUCCESS) {
            return;
        }
        const std::wstring data(value);
        // The wide call stores the text as typed; the ANSI one would turn what the code page lacks into other
        // characters or question marks.
        RegSetValueExW(sectionKey.get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       (static_cast<DWORD>(data.size()) + 1) * DWORD{sizeof(wchar_t)});
    } catch (const std::bad_alloc&) {
        // Out of memory while forming the key's path or the value: the write is lost, like any failed write.
        win::TraceFailure(L"Text1 setting", win::kOutOfMemory);
    }
}

}  // namespace

void StepField::Attach(HWND field) noexcept {
    field_ = field;
    // Before the subclass, which costs every message that passes it a lookup of its data; the limit is within
    // the subclass's own, and the text read is the designed one.
    SendMessageW(field_, EM_LIMITTEXT, kStepTextLimit, 0);
    try {
        step_.SetFormat(steering::UserNumberFormat());
        step_.SetText(win::ToUtf8(win::WindowTextW(field_)));
    } catch (const std::bad_alloc&) {
        // Out of memory at creation: the step stays unset and the keys move nothing until the next edit.
        win::TraceFailure(L"Text1 step", win::kOutOfMemory);
    }
    SetWindowSubclass(field_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void StepField::Text1_Change() noexcept {
    try {
        const std::wstring text = win::WindowTextW(field_);
        step_.SetText(win::ToUtf8(text));
        SaveSetting(kMakerName, kProductDisplayName, kStepSettingKey, text);
    } catch (const std::bad_alloc&) {
        // Out of memory for the text: the step stays as it was, and nothing else depends on the write.
        win::TraceFailure(L"Text1_Change", win::kOutOfMemory);
    }
}

void StepField::UpdateStepFormat() noexcept {
    // Sent to every top-level window, hidden ones included, when the regional settings (among others) change.
    try {
        step_.SetFormat(steering::UserNumberFormat());
    } catch (const std::bad_alloc&) {
        // Out of memory for the separators: they stay as they were.
        win::TraceFailure(L"Text1 number format", win::kOutOfMemory);
    }
}

LRESULT CALLBACK StepField::SubclassProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) noexcept {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(field, SubclassProc, kSubclassId);
        return DefSubclassProc(field, message, wParam, lParam);
    }
    return reinterpret_cast<StepField*>(self)->HandleMessage(message, wParam, lParam);
}

LRESULT StepField::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(field_, message, wParam, lParam);
            Text1_GotFocus();
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(field_, message, wParam, lParam);
            // Only a move to another part of this window counts as leaving the field; switching to another
            // program or minimising keeps whatever is being typed.
            const HWND gaining = reinterpret_cast<HWND>(wParam);
            const HWND window = GetParent(field_);
            if (gaining && (gaining == window || IsChild(window, gaining))) Text1_LostFocus();
            return result;
        }
        case WM_LBUTTONDOWN: {
            const bool entering = GetFocus() != field_;
            const LRESULT result = DefSubclassProc(field_, message, wParam, lParam);
            if (entering) Text1_MouseDown();
            return result;
        }
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(field_, message, wParam, lParam);
            Text1_MouseUp();
            return result;
        }
        case WM_SETTEXT:
            return Text1_SetText(wParam, lParam);
        case EM_LIMITTEXT:
            // Nobody raises the field's limit: the step text stays short, whoever asks.
            return DefSubclassProc(field_, message, wParam == 0 || wParam > kStepTextLimit ? kStepTextLimit : wParam,
                                   lParam);
        default:
            return DefSubclassProc(field_, message, wParam, lParam);
    }
}

void StepField::Text1_GotFocus() noexcept { SendMessageW(field_, EM_SETSEL, 0, -1); }

void StepField::Text1_LostFocus() noexcept {
    if (!step_.IsNumeric()) SetWindowTextW(field_, kReplacementStep);
}

// The edit control's own limit holds for typing and pasting but not for WM_SETTEXT, which any program can send;
// a very long text would keep the edit control, and with it every key event of a run, busy for seconds.
LRESULT StepField::Text1_SetText(WPARAM wParam, LPARAM lParam) noexcept {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    if (!text) return DefSubclassProc(field_, WM_SETTEXT, wParam, lParam);
    const std::size_t length = LengthWithinLimit(text);
    if (text[length] == L'\0') return DefSubclassProc(field_, WM_SETTEXT, wParam, lParam);
    try {
        const std::wstring cut(text, length);  // as a paste into the field would be cut
        return DefSubclassProc(field_, WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(cut.c_str()));
    } catch (const std::bad_alloc&) {
        // Out of memory for the cut text: the field keeps the text it has.
        win::TraceFailure(L"Text1 set text", win::kOutOfMemory);
        return FALSE;
    }
}

// A click places the caret after the focus arrived and undoes the selection; select again, as the field is
// meant to be retyped whole. A drag that selects part of the text is left alone.
void StepField::Text1_MouseDown() noexcept {
    SendMessageW(field_, EM_SETSEL, 0, -1);
    selectAllOnRelease_ = true;
}

void StepField::Text1_MouseUp() noexcept {
    if (!selectAllOnRelease_) return;
    selectAllOnRelease_ = false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) SendMessageW(field_, EM_SETSEL, 0, -1);
}

}  // namespace app
