// The watch on the foreground window during a run: a window out of the steering's reach gets the balloon.
#pragma once

#include "app/form_parts.h"

namespace app {

// At the keyboard hook's install: the window in front now is checked, then every window that comes to the front,
// until StopAdminWindowWatch. The balloon goes on parts' tray icon, once per run; the hook's watchdog hears of every
// window in front, out of reach or not.
void StartAdminWindowWatch(FormParts& parts) noexcept;

// At the end of the run and at the close; harmless when no watch is on.
void StopAdminWindowWatch() noexcept;

}  // namespace app
