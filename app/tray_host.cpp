// Form1's side of the tray: creating its control cSysTray1, hiding into the tray, a restart of the shell.
#include "app/tray_host.h"

#include <string>

#include "res/resource_ids.h"
#include "win/message_pump.h"

namespace app {
namespace {

// The tip stored with the window's design; start-up replaces it before the icon is first shown.
constexpr std::string_view kSysTray1DesignTip = "cSysTray1";

}  // namespace

void CreateSysTray1(FormParts& parts, int controlId) noexcept {
    try {
        parts.cSysTray1Properties.Write("InTray", false);
        parts.cSysTray1Properties.Write("TrayIcon", tray::LoadCursorPicture(parts.instance, kTrayHandId));
        parts.cSysTray1Properties.Write("TrayTip", std::string(kSysTray1DesignTip));
        // Without its window the control still keeps its properties; the shell then refuses the icon and
        // minimising stays the ordinary one.
        parts.cSysTray1Window.Create(parts.window, parts.instance, controlId, parts.cSysTray1);
        parts.cSysTray1.Initialize();
        parts.cSysTray1.ReadProperties(parts.cSysTray1Properties);
    } catch (...) {
        // Out of memory while reading stored properties: the control starts with what it has.
    }
}

void cSysTray1_TaskbarCreated(FormParts& parts) noexcept {
    try {
        parts.cSysTray1.TaskbarCreated();
    } catch (...) {
        // The icon stays missing until the next restart of the shell.
    }
}

bool Form1Tray::IsMinimized() { return IsIconic(parts_.window) != FALSE; }

bool Form1Tray::MinimizedToTray() { return parts_.minimizedToTray; }

bool Form1Tray::TrayIconInShell() { return parts_.cSysTray1.IconInShell(); }

void Form1Tray::HideWindow() {
    // The platform restores a minimised window only by showing it, so a hidden window keeps its minimised
    // state until ShowWindow brings it back in its normal size.
    ::ShowWindow(parts_.window, SW_HIDE);
}

void Form1Tray::ShowTrayBalloon(std::string_view tip, std::string_view title, std::int32_t seconds, bool once) {
    win::ReleaseSender();  // the balloon may wait: a minimise sent by another program is answered first
    parts_.cSysTray1.ShowBalloon(tip, title, seconds, once);
}

void Form1Tray::SetInTray(bool inTray) { parts_.cSysTray1.SetInTray(inTray); }

}  // namespace app
