// cSysTray: one notification-area icon for a host window, its tooltip, its balloon and its mouse events.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tray/logic/notify_record.h"
#include "tray/logic/property_bag.h"
#include "win/logic/window_id.h"

namespace tray {

class cSysTray;

// The design text of a control placed without stored properties.
inline constexpr std::wstring_view kDefaultTrayTip = L"Telnet Server";
// The control keeps itself this size, in twips.
inline constexpr int kControlSizeTwips = 510;
// The largest ShowTimer whose milliseconds fit a 32-bit signed count.
inline constexpr std::int32_t kMaxShowTimer = 2147483;

// What the shell puts in the callback's lParam: the mouse message over the icon, or what became of a balloon.
namespace notification {
inline constexpr std::int32_t kMouseMove = 0x200;
inline constexpr std::int32_t kLeftDown = 0x201;
inline constexpr std::int32_t kLeftUp = 0x202;
inline constexpr std::int32_t kLeftDoubleClick = 0x203;
inline constexpr std::int32_t kRightDown = 0x204;
inline constexpr std::int32_t kRightUp = 0x205;
inline constexpr std::int32_t kRightDoubleClick = 0x206;
inline constexpr std::int32_t kBalloonHide = 0x403;
inline constexpr std::int32_t kBalloonTimeout = 0x404;
inline constexpr std::int32_t kBalloonUserClick = 0x405;
}  // namespace notification

// What the shell said to one call: accepted or refused at once, or not yet. A call left for later waits its turn on
// a thread of its own, in the order of the calls, and its answer comes back through cSysTray::ShellAnswered.
enum class ShellAnswer : std::uint8_t { Accepted, Refused, Later };

// What the control needs from the platform: its own window, the shell, the window hook, a monotonic clock, a wait
// that processes the thread's messages, and the system's ANSI code page.
class SysTrayPlatform {
public:
    // The control's own window, as the shell and the hook know it.
    virtual win::WindowId OwnWindow() = 0;
    virtual ShellAnswer NotifyIcon(const NotifyCall& call) = 0;
    virtual void InstallTrayHook(cSysTray& control) = 0;
    virtual void RemoveTrayHook(cSysTray& control) = 0;
    // Seconds on a clock that only moves forward.
    virtual double Now() = 0;
    // Waits at most maxSeconds for a message, a sent message or a hook call, then processes every waiting one.
    virtual void WaitForMessages(double maxSeconds) = 0;
    virtual void SetHeightTwips(int twips) = 0;
    virtual void SetWidthTwips(int twips) = 0;
    // One character's bytes in the system's ANSI code page, for the record's text fields.
    virtual std::string ToAnsi(std::wstring_view character) = 0;

protected:
    ~SysTrayPlatform() = default;
};

// The host's side: the control's events, its change notices and the ambient design/run mode. A host overrides the
// events it handles; the others go unheard, as a form leaves a control's other events without handlers.
class SysTrayEvents {
public:
    virtual void MouseMove(std::int32_t& /*Id*/) {}
    virtual void MouseDown(std::int16_t& /*Button*/, std::int32_t& /*Id*/) {}
    virtual void MouseUp(std::int16_t& /*Button*/, std::int32_t& /*Id*/) {}
    virtual void MouseDblClick(std::int16_t& /*Button*/, std::int32_t& /*Id*/) {}
    virtual void PropertyChanged(std::wstring_view /*name*/) {}
    // False while the host is being designed: then the icon is never added.
    virtual bool UserMode() = 0;

protected:
    ~SysTrayEvents() = default;
};

class cSysTray final {
public:
    cSysTray(SysTrayPlatform& platform, SysTrayEvents& host) noexcept : platform_(platform), host_(host) {}
    cSysTray(const cSysTray&) = delete;
    cSysTray& operator=(const cSysTray&) = delete;

    // Properties. The setters may throw what the host's change notice throws.
    void SetTrayIcon(const PictureRef& Icon);
    PictureRef TrayIcon() const { return trayIcon_; }
    void SetTrayTip(std::wstring_view Tip);
    std::wstring TrayTip() const { return trayTip_; }
    // True puts the icon into the notification area.
    void SetInTray(bool Show);
    bool InTray() const noexcept { return inTray_; }

    // Shows a balloon on the icon and, with a positive ShowTimer, waits until the shell reports it gone or
    // ShowTimer seconds have passed, processing messages meanwhile. Throws HandlerFailure("Overflow")
    // when ShowTimer seconds do not fit in 32-bit milliseconds, before anything is sent.
    void ShowBalloon(std::wstring_view Tip, std::wstring_view sTitle, std::int32_t ShowTimer, bool ShowOnce);

    // Lifecycle, in the order the host raises it.
    void Initialize();
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void Resize();
    void WriteProperties(PropertyBag& bag) const;
    void Terminate();

    // The shell's callback for the icon, from the replaced window procedure.
    void HandleTrayMessage(std::int32_t& lParam, std::int32_t& wParam);

    // The shell restarted ("TaskbarCreated"): an icon that is on is added again.
    void TaskbarCreated();
    // The answer to a call that the platform left for later, in the order of the calls.
    void ShellAnswered(NotifyMessage message, bool accepted);
    // An icon that is on but that the shell refused is added again; one whose add still awaits its answer is left to
    // that add.
    void AddAgainIfRefused();

    // Whether the shell accepted the last add of the icon (and it was not deleted since): without it a hidden window
    // could not be brought back. Unlike IconAdded, which follows the requests, this follows the shell's answers.
    bool IconInShell() const noexcept { return iconInShell_; }
    bool IconAdded() const noexcept { return iconAdded_; }
    bool BalloonShowing() const noexcept { return balloonShowing_; }
    std::int32_t OnceCount() const noexcept { return onceCount_; }
    win::WindowId OwnerWindow() const noexcept { return ownerWindow_; }

private:
    NotifyRecords Records(win::WindowId window, std::uint32_t id);
    NotifyRecords Records();
    void AddIcon(win::WindowId window, std::uint32_t id, std::wstring_view tip, const PictureRef& icon);
    void DeleteIcon(win::WindowId window, std::uint32_t id);

    SysTrayPlatform& platform_;
    SysTrayEvents& host_;
    bool inTray_ = false;
    std::wstring trayTip_;
    PictureRef trayIcon_;
    PictureRef displayedPicture_;
    bool iconAdded_ = false;
    bool iconInShell_ = false;
    int addsAwaitingAnswer_ = 0;
    bool balloonShowing_ = false;
    std::int32_t onceCount_ = 0;
    std::uint32_t iconId_ = 0;
    win::WindowId ownerWindow_ = win::WindowId::None;
};

}  // namespace tray
