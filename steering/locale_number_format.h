// The number separators of the user's locale, for reading the step-size text.
#pragma once

#include "steering/step_number.h"

namespace steering {

// Read afresh at each call, so a change in the regional settings counts at once.
NumberFormat UserNumberFormat();

}  // namespace steering
