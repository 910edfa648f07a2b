// The window's pointer: the pointer file's picture over the button, the ordinary pointer elsewhere.
#pragma once

#include <windows.h>

#include <string>

#include "app/form_parts.h"
#include "app/pointer_setting.h"

namespace app {

// Reads and checks the pointer file and keeps its picture for the button. Throws StepFailure when it is no pointer.
void LoadPointerImage(FormParts& parts, const std::wstring& path);

// WM_SETCURSOR over the window: true when it set the pointer.
bool OnSetCursor(const FormParts& parts, int hitTest) noexcept;

// The mouse moved over an area of the window.
void Hover(FormParts& parts, HoverArea area) noexcept;

}  // namespace app
