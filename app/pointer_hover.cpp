// The window's pointer: the pointer file's picture, shown over the button; the ordinary pointer elsewhere.
#include "app/pointer_hover.h"

#include <cstdint>
#include <vector>

#include "app/cursor_file.h"
#include "win/dpi.h"
#include "win/files_beside_exe.h"
#include "win/step_failure.h"
#include "win/system_error.h"

namespace app {
namespace {

HCURSOR PointerFor(const FormParts& parts, PointerSetting setting) noexcept {
    switch (setting) {
        case PointerSetting::Busy:
            return LoadCursorA(nullptr, IDC_WAIT);
        case PointerSetting::Custom:
            return parts.customPointer ? parts.customPointer.get() : LoadCursorA(nullptr, IDC_ARROW);
        case PointerSetting::Default:
            break;
    }
    return nullptr;
}

}  // namespace

void LoadPointerImage(FormParts& parts, const std::wstring& path) {
    // Read once and checked by our own code: the platform's loaders have crashed on crafted cursor files, and
    // the bytes they get are exactly the bytes that passed.
    const win::FileRead file = win::ReadWholeFileW(path, kMaxCursorFileSize);
    if (!file.Succeeded()) {
        if (file.error == ERROR_FILE_TOO_LARGE) throw win::StepFailure(kInvalidPicture);
        SetLastError(file.error);
        win::ThrowLastError(kInvalidPicture);
    }
    const CursorFile cursor = CheckCursorFile(file.bytes);
    if (cursor.fault != CursorFault::None) throw win::StepFailure(kInvalidPicture);
    const CursorImage& image =
        cursor.images[ChooseCursorImage(cursor.images, win::SystemMetricForDpi(SM_CXCURSOR, parts.dpi))];
    std::vector<std::uint8_t> resource = CursorResource(file.bytes, image);
    // The image's own size: the file's picture is shown as drawn, as the file loader shows it.
    constexpr DWORD kResourceVersion = 0x00030000;
    SetLastError(ERROR_SUCCESS);
    win::CursorHandle pointer(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE,
                                                       kResourceVersion, image.width, image.height, LR_DEFAULTCOLOR));
    if (!pointer) win::ThrowLastError(kInvalidPicture);
    parts.customPointer = std::move(pointer);
}

bool OnSetCursor(const FormParts& parts, int hitTest) noexcept {
    // With the default setting every area keeps its own pointer (the field its text beam).
    if (hitTest != HTCLIENT) return false;
    const HCURSOR pointer = PointerFor(parts, parts.pointerSetting);
    if (!pointer) return false;
    SetCursor(pointer);
    return true;
}

void Hover(FormParts& parts, HoverArea area) noexcept {
    const PointerSetting next = AfterHover(parts.pointerSetting, area);
    if (next == parts.pointerSetting) return;
    parts.pointerSetting = next;
    // The platform asks for the pointer only on the next move; show the new one now.
    const HCURSOR pointer = PointerFor(parts, next);
    SetCursor(pointer ? pointer : LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace app
