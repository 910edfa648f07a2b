// Text1, the step-size field: every change saved, the whole text selected on entry, a non-number replaced on exit.
#include <string>

#include "app/form1.h"
#include "app/product.h"
#include "app/settings_store.h"
#include "win/window_text.h"
#include "steering/locale_number_format.h"
#include "steering/step_number.h"

namespace app {
namespace {

constexpr const char* kReplacementStep = "5";
constexpr std::string_view kStepSettingKey = "Text1";

}  // namespace

std::string Form1::Text1() const { return win::WindowText(field_); }

void Form1::Text1_Change() noexcept {
    try {
        SaveSetting(kMakerName, kProductDisplayName, kStepSettingKey, Text1());
    } catch (...) {
        // The text could not even be read: nothing to save, and nothing else depends on the write.
    }
}

void Form1::Text1_GotFocus() noexcept { SendMessageA(field_, EM_SETSEL, 0, -1); }

void Form1::Text1_LostFocus() noexcept {
    try {
        if (!steering::IsNumeric(Text1(), steering::UserNumberFormat())) SetWindowTextA(field_, kReplacementStep);
    } catch (...) {
        // Leaving the field must never fail; the text stays as typed.
    }
}

// A click places the caret after the focus arrived and undoes the selection; select again, as the field is
// meant to be retyped whole. A drag that selects part of the text is left alone.
void Form1::Text1_MouseDown() noexcept {
    SendMessageA(field_, EM_SETSEL, 0, -1);
    selectAllOnRelease_ = true;
}

void Form1::Text1_MouseUp() noexcept {
    if (!selectAllOnRelease_) return;
    selectAllOnRelease_ = false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(field_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) SendMessageA(field_, EM_SETSEL, 0, -1);
}

}  // namespace app
