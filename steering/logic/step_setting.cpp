// The cached step of the step-size text.
#include "steering/logic/step_setting.h"

#include <utility>

namespace steering {

StepSetting::StepSetting(std::string_view text, NumberFormat format) { Update(std::string(text), std::move(format)); }

void StepSetting::SetText(std::string_view text) { Update(std::string(text), format_); }

void StepSetting::SetFormat(NumberFormat format) { Update(text_, std::move(format)); }

void StepSetting::Update(std::string text, NumberFormat format) {
    // Everything that can fail happens before the first member changes: text and step never disagree.
    const std::optional<double> value = ReadLocaleNumber(text, format);
    text_.swap(text);
    format_.decimal.swap(format.decimal);
    format_.grouping.swap(format.grouping);
    numeric_ = value.has_value();
    step_ = StepFromNumber(value);
}

}  // namespace steering
