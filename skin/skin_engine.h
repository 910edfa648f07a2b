// Our skin engine: loads a skin file and recolours a window, its frames, text fields and push buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/logic/skin_look.h"
#include "win/brush_cache.h"

namespace skin {

// The skin framework's five operations, as the window that wears a skin drives them; the option bit and the two
// settings are described with EngineSettings in skin/logic/skin_look.h. The engine hooks the window it is applied to
// (and its frames) by subclassing; it answers the colour requests of the controls, draws frames itself and push
// buttons through their custom-draw notifications, and hands everything else on.
class SkinEngine final {
public:
    SkinEngine() noexcept = default;
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;
    ~SkinEngine();

    // Reads and checks the skin file. Skin files are plain text, so the password must be empty. Fails with
    // win::HandlerFailure, whose description names the file's line when the file is at fault.
    void LoadSkin(const std::wstring& path, std::wstring_view password);
    std::int32_t Options() const noexcept { return settings_.options; }
    void SetOptions(std::int32_t options) noexcept;
    void SetReadableText(bool on) noexcept;
    void SetButtonStates(bool on) noexcept;
    // Applies the loaded skin to the window and the controls on it, and repaints them. Fails with
    // win::HandlerFailure.
    void ApplyTo(HWND window);

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
