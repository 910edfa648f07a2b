// The window's pointer setting: the custom pointer over the button, the ordinary one over frame and background.
#include "app/error_box.h"
#include "app/form1.h"

namespace app {

void Form1::LoadPointerImage(const std::string& path) {
    // LoadImage reports no error code for a file that is no cursor at all.
    SetLastError(ERROR_SUCCESS);
    win::CursorHandle pointer(
        static_cast<HCURSOR>(LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE)));
    if (!pointer) ThrowLastError("Invalid picture");
    customPointer_ = std::move(pointer);
}

HCURSOR Form1::PointerFor(PointerSetting setting) const noexcept {
    switch (setting) {
        case PointerSetting::Busy:
            return LoadCursorA(nullptr, IDC_WAIT);
        case PointerSetting::Custom:
            return customPointer_ ? customPointer_.get() : LoadCursorA(nullptr, IDC_ARROW);
        case PointerSetting::Default:
            break;
    }
    return nullptr;
}

bool Form1::OnSetCursor(int hitTest) noexcept {
    // With the default setting every area keeps its own pointer (the field its text beam).
    if (hitTest != HTCLIENT) return false;
    const HCURSOR pointer = PointerFor(pointerSetting_);
    if (!pointer) return false;
    SetCursor(pointer);
    return true;
}

void Form1::OnMouseMove() noexcept {
    // The frame lets the mouse through to the window, so both report here; their rule is the same.
    Hover(HoverArea::Background);
}

void Form1::Hover(HoverArea area) noexcept {
    const PointerSetting next = AfterHover(pointerSetting_, area);
    if (next == pointerSetting_) return;
    pointerSetting_ = next;
    // The platform asks for the pointer only on the next move; show the new one now.
    const HCURSOR pointer = PointerFor(next);
    SetCursor(pointer ? pointer : LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace app
