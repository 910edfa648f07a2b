// Fuzz target of the pointer file's check: no input may crash it, and what it passes must really be in bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "app/logic/cursor_file.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const app::CursorFile checked = app::CheckCursorFile(file);
    Require((checked.fault == app::CursorFault::None) == !checked.images.empty());
    for (const app::CursorImage& image : checked.images) {
        Require(image.offset <= size && image.size <= size - image.offset);
        Require(image.width >= 1 && image.width <= app::kMaxCursorSide);
        Require(image.height >= 1 && image.height <= app::kMaxCursorSide);
        Require(image.hotX >= 0 && image.hotX < image.width && image.hotY >= 0 && image.hotY < image.height);
    }
    if (!checked.images.empty()) {
        const std::size_t chosen = app::ChooseCursorImage(checked.images, 32);
        Require(chosen < checked.images.size());
        Require(app::CursorResource(file, checked.images[chosen]).size() == 4 + checked.images[chosen].size);
    }
    return 0;
}
