// The window's pointer: the pointer file's picture, shown over the button; the ordinary pointer elsewhere.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/cursor_file.h"
#include "app/error_box.h"
#include "app/form1.h"
#include "win/dpi.h"
#include "win/files_beside_exe.h"

namespace app {

void Form1::LoadPointerImage(const std::wstring& path) {
    // Read once and checked by our own code: the platform's loaders have crashed on crafted cursor files, and
    // the bytes they get are exactly the bytes that passed.
    unsigned long readError = 0;
    const std::optional<std::vector<std::uint8_t>> file = win::ReadWholeFileW(path, kMaxCursorFileSize, readError);
    if (!file) {
        if (readError == ERROR_FILE_TOO_LARGE) throw StepFailure(kInvalidPicture);
        SetLastError(readError);
        ThrowLastError(kInvalidPicture);
    }
    const CursorFile cursor = CheckCursorFile(*file);
    if (cursor.fault != CursorFault::None) throw StepFailure(kInvalidPicture);
    const CursorImage& image =
        cursor.images[ChooseCursorImage(cursor.images, win::SystemMetricForDpi(SM_CXCURSOR, dpi_))];
    std::vector<std::uint8_t> resource = CursorResource(*file, image);
    // The image's own size: the file's picture is shown as drawn, as the file loader shows it.
    constexpr DWORD kResourceVersion = 0x00030000;
    SetLastError(ERROR_SUCCESS);
    win::CursorHandle pointer(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                       kResourceVersion, image.width, image.height, LR_DEFAULTCOLOR));
    if (!pointer) ThrowLastError(kInvalidPicture);
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
