// The tray icon control's logic: property setters, the add/delete pairs, the balloon wait, the callbacks.
#include "tray/logic/sys_tray.h"

#include "win/logic/handler_failure.h"

namespace tray {
namespace {

using namespace notification;

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;

}  // namespace

NotifyRecords cSysTray::Records(win::WindowId window, std::uint32_t id) {
    return NotifyRecords(window, id, [this](std::wstring_view character) { return platform_.ToAnsi(character); });
}

NotifyRecords cSysTray::Records() { return Records(ownerWindow_, iconId_); }

void cSysTray::SetTrayIcon(const PictureRef& Icon) {
    if (!Icon || Icon->Type() != PictureType::Icon) return;
    if (iconAdded_) platform_.NotifyIcon(Records().IconChange(Icon->Handle()));
    trayIcon_ = Icon;
    displayedPicture_ = Icon;
    host_.PropertyChanged(L"TrayIcon");
}

void cSysTray::SetTrayTip(std::wstring_view Tip) {
    if (iconAdded_) platform_.NotifyIcon(Records().TipChange(Tip));
    trayTip_ = Tip;
    host_.PropertyChanged(L"TrayTip");
}

void cSysTray::SetInTray(bool Show) {
    if (Show == inTray_) return;
    if (Show) {
        if (host_.UserMode()) {
            platform_.InstallTrayHook(*this);
            const std::wstring tip = TrayTip();
            const PictureRef icon = TrayIcon();
            AddIcon(ownerWindow_, iconId_, tip, icon);
            iconAdded_ = true;
        }
    } else if (iconAdded_) {
        DeleteIcon(ownerWindow_, iconId_);
        platform_.RemoveTrayHook(*this);
        iconAdded_ = false;
    }
    inTray_ = Show;
    host_.PropertyChanged(L"InTray");
}

void cSysTray::AddIcon(win::WindowId window, std::uint32_t id, std::wstring_view tip, const PictureRef& icon) {
    std::optional<std::uint32_t> handle;
    if (icon) {
        handle = icon->Handle();
        trayIcon_ = icon;
    }
    if (!tip.empty()) trayTip_ = tip;
    const ShellAnswer answer = platform_.NotifyIcon(Records(window, id).Add(tip, handle));
    if (answer == ShellAnswer::Later) {
        ++addsAwaitingAnswer_;
    } else {
        iconInShell_ = answer == ShellAnswer::Accepted;
    }
}

void cSysTray::DeleteIcon(win::WindowId window, std::uint32_t id) {
    platform_.NotifyIcon(Records(window, id).Delete());
    iconInShell_ = false;
}

void cSysTray::TaskbarCreated() {
    if (iconAdded_) AddIcon(ownerWindow_, iconId_, TrayTip(), TrayIcon());
}

void cSysTray::ShellAnswered(NotifyMessage message, bool accepted) {
    if (message != NotifyMessage::Add) return;
    if (addsAwaitingAnswer_ > 0) --addsAwaitingAnswer_;
    // A delete made since then has taken the icon out again.
    iconInShell_ = accepted && iconAdded_;
}

void cSysTray::AddAgainIfRefused() {
    if (iconAdded_ && !iconInShell_ && addsAwaitingAnswer_ == 0) AddIcon(ownerWindow_, iconId_, TrayTip(), TrayIcon());
}

void cSysTray::ShowBalloon(std::wstring_view Tip, std::wstring_view sTitle, std::int32_t ShowTimer, bool ShowOnce) {
    if (ShowOnce && onceCount_ >= 1) return;
    std::uint32_t timeoutMs = 0;
    if (ShowTimer > 0) {
        if (ShowTimer > kMaxShowTimer) throw win::HandlerFailure(L"Overflow");
        timeoutMs = static_cast<std::uint32_t>(ShowTimer) * 1000u;
    }
    const NotifyRecords records = Records();
    platform_.NotifyIcon(records.BalloonShow(sTitle, Tip, timeoutMs));
    balloonShowing_ = true;
    if (ShowOnce) ++onceCount_;

    if (ShowTimer <= 0 || !balloonShowing_) return;
    // Blocks between messages instead of spinning: the same messages are processed in the same order, and
    // an idle wait costs nothing.
    const double start = platform_.Now();
    for (;;) {
        const double elapsed = platform_.Now() - start;
        if (!(elapsed < ShowTimer && balloonShowing_)) break;
        platform_.WaitForMessages(ShowTimer - elapsed);
    }
    if (balloonShowing_) platform_.NotifyIcon(records.BalloonClose(timeoutMs));
}

void cSysTray::Initialize() {
    inTray_ = false;
    iconAdded_ = false;
    iconId_ = 0;
    ownerWindow_ = platform_.OwnWindow();
}

void cSysTray::InitProperties() {
    SetInTray(false);
    SetTrayTip(kDefaultTrayTip);
    SetTrayIcon(displayedPicture_);
}

void cSysTray::ReadProperties(const PropertyBag& bag) {
    SetInTray(bag.ReadBool(L"InTray", false));
    SetTrayIcon(bag.ReadPicture(L"TrayIcon", displayedPicture_));
    SetTrayTip(bag.ReadString(L"TrayTip", kDefaultTrayTip));
}

void cSysTray::Resize() {
    platform_.SetHeightTwips(kControlSizeTwips);
    platform_.SetWidthTwips(kControlSizeTwips);
}

void cSysTray::WriteProperties(PropertyBag& bag) const {
    bag.Write(L"InTray", inTray_);
    bag.Write(L"TrayIcon", trayIcon_);
    bag.Write(L"TrayTip", trayTip_);
}

void cSysTray::Terminate() {
    if (inTray_) SetInTray(false);
}

void cSysTray::HandleTrayMessage(std::int32_t& lParam, std::int32_t& wParam) {
    std::int16_t button = 0;
    switch (lParam) {
        case kMouseMove:
            host_.MouseMove(wParam);
            break;
        case kLeftDown:
        case kRightDown:
            button = lParam == kLeftDown ? kLeftButton : kRightButton;
            host_.MouseDown(button, wParam);
            break;
        case kLeftUp:
        case kRightUp:
            button = lParam == kLeftUp ? kLeftButton : kRightButton;
            host_.MouseUp(button, wParam);
            break;
        case kLeftDoubleClick:
        case kRightDoubleClick:
            button = lParam == kLeftDoubleClick ? kLeftButton : kRightButton;
            host_.MouseDblClick(button, wParam);
            break;
        case kBalloonHide:
        case kBalloonTimeout:
        case kBalloonUserClick:
            balloonShowing_ = false;
            break;
        default:
            break;
    }
}

}  // namespace tray
