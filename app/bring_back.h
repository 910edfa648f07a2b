// A later start of the program hands over to this one.
#pragma once

#include "app/form_parts.h"
#include "app/window_presence.h"

namespace app {

// The window comes back, normal, in front and focused; an open error report comes to the front instead.
void OnBringBack(FormParts& parts, WindowPresence& window) noexcept;

}  // namespace app
