// Places the mouse pointer.
#pragma once

namespace modMouse {

// The platform keeps the pointer on the desktop, so coordinates beyond it are clipped there.
void SetMousePos(int x, int y) noexcept;

}  // namespace modMouse
