// The window's pointer setting and the hover rules that change it.
#pragma once

namespace app {

enum class PointerSetting { Default = 0, Busy = 11, Custom = 99 };

enum class HoverArea { Button, Frame, Background };

// A busy setting is never touched by hovering; otherwise the button asks for the custom image and the
// frame and background give the ordinary pointer back.
constexpr PointerSetting AfterHover(PointerSetting current, HoverArea area) {
    if (current == PointerSetting::Busy) return current;
    return area == HoverArea::Button ? PointerSetting::Custom : PointerSetting::Default;
}

}  // namespace app
