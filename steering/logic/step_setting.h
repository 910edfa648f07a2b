// The step-size text and the step it gives, converted once per change and read by the field's rules and the hook.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "steering/logic/step_number.h"

namespace steering {

// Kept up to date by the field on every change of its text and by the window on every change of the regional
// settings, so nothing on the key path reads a window or the locale. The conversion happens here only.
class StepSetting {
public:
    StepSetting(std::string_view text, NumberFormat format);

    void SetText(std::string_view text);
    void SetFormat(NumberFormat format);

    const std::string& Text() const noexcept { return text_; }
    // The field's rule: the text reads as a number in the user's locale, of any size or sign.
    bool IsNumeric() const noexcept { return numeric_; }
    // The step in pixels; nothing when the text gives no 16-bit step.
    std::optional<std::int16_t> Step() const noexcept { return step_; }

private:
    void Update(std::string text, NumberFormat format);

    std::string text_;
    NumberFormat format_;
    bool numeric_ = false;
    std::optional<std::int16_t> step_;
};

}  // namespace steering
