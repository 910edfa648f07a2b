// Pointer placement through the platform's cursor call.
#include "steering/mouse.h"

#include <windows.h>

namespace modMouse {

void SetMousePos(int x, int y) noexcept { SetCursorPos(x, y); }

}  // namespace modMouse
