// The main window's look: its colours and its controls', the skin engine SkinFramework1, high contrast, and the
// pointer shown over the button.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/logic/cursor_file.h"
#include "app/logic/form1_handlers.h"
#include "app/logic/window_colours.h"
#include "skin/skin_engine.h"
#include "win/brush_cache.h"
#include "win/win_handles.h"

namespace app {

// Two answer the controls' colour requests: the skin engine, which subclasses the window and so sees
// WM_CTLCOLOR* first, and this class, which answers what the engine hands on (everything, without a skin or in
// high contrast).
class WindowLook final : public LookFiles, private SkinTarget {
public:
    WindowLook() noexcept = default;
    WindowLook(const WindowLook&) = delete;
    WindowLook& operator=(const WindowLook&) = delete;

    // The window and its button, once created: the pointer over the button follows the button's mouse moves.
    void Attach(HWND window, HWND button) noexcept;

    // LookFiles. Recolours the window and skins it when the skin file is beside the program. Throws HandlerFailure.
    void ApplySkin(std::wstring_view executableFolder) override;
    // Reads and checks the pointer file; its picture is then shown over the button. Throws HandlerFailure.
    void LoadPointerImage(const std::wstring& path) override;

    // Reads the high contrast setting again and repaints: at creation, and whenever the system's colours or its
    // contrast setting change.
    void FollowHighContrast() noexcept;

    // WM_ERASEBKGND of the window.
    void EraseBackground(HDC dc) noexcept;
    // A control's colour request (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORBTN): a frame shows its own
    // background, the area around the button the window's. Null: the platform's answer stands.
    HBRUSH ColourControl(UINT message, HDC dc, HWND control) noexcept;

    // WM_SETCURSOR over the window: true when it set the pointer.
    bool OnSetCursor(int hitTest) noexcept;
    // The mouse moved over an area of the window.
    void Hover(HoverArea area) noexcept;

private:
    // SkinTarget: what ApplySkin needs of the window and of the engine.
    bool SkinFileFound(const std::wstring& path) override;
    void SetBackColour(StoredColour colour) override;
    std::vector<FormControl> Controls() override;
    void SetControlBackColour(win::WindowId control, StoredColour colour) override;
    void LoadSkin(const std::wstring& path, std::wstring_view password) override {
        skinFramework1_.LoadSkin(path, password);
    }
    std::int32_t SkinOptions() override { return skinFramework1_.Options(); }
    void SetSkinOptions(std::int32_t options) override { skinFramework1_.SetOptions(options); }
    void SetReadableText(bool on) override { skinFramework1_.SetReadableText(on); }
    void SetButtonStates(bool on) override { skinFramework1_.SetButtonStates(on); }
    void ApplySkinToWindow() override { skinFramework1_.ApplyTo(window_); }

    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
    // A control without a colour of its own shows the window's.
    StoredColour StoredOf(HWND control) const noexcept;
    HBRUSH BrushOf(StoredColour colour) noexcept;
    HCURSOR PointerFor(PointerSetting setting) const noexcept;

    HWND window_ = nullptr;
    StoredColour back_ = kStoredWhite;
    std::vector<std::pair<HWND, StoredColour>> controls_;
    bool highContrast_ = false;
    win::BrushCache brushes_;
    skin::SkinEngine skinFramework1_;
    win::CursorHandle customPointer_;
    PointerSetting pointerSetting_ = PointerSetting::Default;
};

}  // namespace app
