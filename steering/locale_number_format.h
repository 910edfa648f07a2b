// The number separators of the user's locale, for reading the step-size text.
#pragma once

#include "steering/logic/step_number.h"

namespace steering {

// Read afresh at each call: the window asks again when the regional settings change.
NumberFormat UserNumberFormat();

}  // namespace steering
