// Form1's side of the tray: its control cSysTray1, hiding into the tray, the icon's click, and closing.
#include <string>

#include "app/form1.h"
#include "res/resource_ids.h"

namespace app {
namespace {

// The tip stored with the window's design; start-up replaces it before the icon is first shown.
constexpr std::string_view kSysTray1DesignTip = "cSysTray1";

}  // namespace

void Form1::CreateSysTray1() noexcept {
    try {
        cSysTray1Properties_.Write("InTray", false);
        cSysTray1Properties_.Write("TrayIcon", tray::LoadCursorPicture(instance_, kTrayHandId));
        cSysTray1Properties_.Write("TrayTip", std::string(kSysTray1DesignTip));
        // Without its window the control still keeps its properties; the shell then refuses the icon and
        // minimising stays the ordinary one.
        cSysTray1Window_.Create(window_, instance_, kSysTray1Id, cSysTray1_);
        cSysTray1_.Initialize();
        cSysTray1_.ReadProperties(cSysTray1Properties_);
    } catch (...) {
        // Out of memory while reading stored properties: the control starts with what it has.
    }
}

void Form1::SetTrayTip(std::string_view tip) { cSysTray1_.SetTrayTip(tip); }

void Form1::SetInTray(bool inTray) { cSysTray1_.SetInTray(inTray); }

void Form1::Form_Resize() noexcept {
    try {
        app::Form_Resize(*this);
    } catch (...) {
        // No trap here: a minimise that fails halfway leaves the window as the platform left it.
    }
}

void Form1::cSysTray1_MouseUp(std::int16_t&, std::int32_t&) noexcept {
    try {
        app::cSysTray1_MouseUp(*this);
    } catch (...) {
        // The window stays as it was; the next release over the icon tries again.
    }
}

void Form1::cSysTray1_TaskbarCreated() noexcept {
    try {
        cSysTray1_.TaskbarCreated();
    } catch (...) {
        // The icon stays missing until the next restart of the shell.
    }
}

void Form1::OnClose() noexcept {
    Form_QueryUnload();
    Form_Unload();
}

void Form1::Form_QueryUnload() noexcept { app::Form_QueryUnload(*this, Reporter()); }

void Form1::Form_Unload() noexcept {
    // A run loop may still be waiting on the stack: the program ends here rather than unwinding into it.
    ExitProcess(static_cast<UINT>(UnloadExitCode(created_)));
}

bool Form1::IsMinimized() { return IsIconic(window_) != FALSE; }

bool Form1::MinimizedToTray() { return minimizedToTray_; }

bool Form1::TrayIconInShell() { return cSysTray1_.IconInShell(); }

void Form1::HideWindow() {
    // The platform restores a minimised window only by showing it, so a hidden window keeps its minimised
    // state until ShowWindow brings it back in its normal size.
    ::ShowWindow(window_, SW_HIDE);
}

void Form1::ShowTrayBalloon(std::string_view tip, std::string_view title, std::int32_t seconds, bool once) {
    cSysTray1_.ShowBalloon(tip, title, seconds, once);
}

void Form1::MouseMove(std::int32_t&) {}

void Form1::MouseDown(std::int16_t&, std::int32_t&) {}

void Form1::MouseUp(std::int16_t& Button, std::int32_t& Id) { cSysTray1_MouseUp(Button, Id); }

void Form1::MouseDblClick(std::int16_t&, std::int32_t&) {}

void Form1::PropertyChanged(std::string_view) {}

bool Form1::UserMode() { return true; }

}  // namespace app
