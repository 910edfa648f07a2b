// Our skin engine: loads a skin file and recolours a window, its frames, text fields and push buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <vector>

#include "skin/logic/skin_framework.h"
#include "skin/logic/skin_look.h"
#include "win/brush_cache.h"

namespace skin {

// Option bit 0 and the two settings are described in skin/skin_framework.h. The engine hooks the window it is
// applied to (and its frames) by subclassing; it answers the colour requests of the controls, draws frames
// itself and push buttons through their custom-draw notifications, and hands everything else on.
class SkinEngine final : public SkinFramework {
public:
    SkinEngine() noexcept = default;
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;
    ~SkinEngine();

    void LoadSkin(const std::wstring& path, std::string_view password) override;
    std::int32_t Options() const override { return settings_.options; }
    void SetOptions(std::int32_t options) override;
    void SetReadableText(bool on) override;
    void SetButtonStates(bool on) override;
    void ApplyTo(std::uintptr_t window) override;

    // While suspended the engine paints nothing and answers no colour request: the window and its controls look
    // as their host makes them, as high contrast asks. The skin stays loaded and applied for when it resumes.
    void SetSuspended(bool suspended) noexcept;

private:
    static LRESULT CALLBACK WindowSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR engine) noexcept;
    static LRESULT CALLBACK FrameSubclass(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR engine) noexcept;
    // What EnumChildWindows hands HookFrame: the engine, and whether memory ran out on the way.
    struct FrameHooking {
        SkinEngine* engine;
        bool outOfMemory;
    };
    static BOOL CALLBACK HookFrame(HWND child, LPARAM hooking) noexcept;
    LRESULT OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // One handler per message the engine takes part in.
    bool OnEraseBackground(HWND window, HDC dc) noexcept;
    LRESULT OnCtlColorFrame(HWND window, HDC dc, HWND frame) noexcept;
    LRESULT OnCtlColorField(HWND window, HDC dc, HWND field) noexcept;
    LRESULT OnCtlColorButton(HWND window, HDC dc, HWND button) noexcept;
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw) noexcept;
    void PaintFrame(HWND frame) noexcept;
    void PaintButton(const NMCUSTOMDRAW& draw, const ButtonLook& look) noexcept;

    bool PaintsFrames() const noexcept;
    HBRUSH BrushFor(Colour colour) noexcept;
    void Detach() noexcept;
    void Repaint() noexcept;

    std::optional<SkinColours> skin_;
    EngineSettings settings_;
    bool suspended_ = false;
    HWND window_ = nullptr;
    std::vector<HWND> frames_;
    win::BrushCache brushes_;
};

}  // namespace skin
