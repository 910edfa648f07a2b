// cSysTray: one notification-area icon for a host window, its tooltip, its balloon and its mouse events.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tray/logic/notify_record.h"
#include "tray/logic/property_bag.h"

namespace tray {

class cSysTray;

// The design text of a control placed without stored properties.
inline constexpr std::string_view kDefaultTrayTip = "Telnet Server";
// The control keeps itself this size, in twips.
inline constexpr int kControlSizeTwips = 510;
// The largest ShowTimer whose milliseconds fit a 32-bit signed count.
inline constexpr std::int32_t kMaxShowTimer = 2147483;

// What the control needs from the platform: its own window, the shell, the window hook, a monotonic clock
// and a wait that processes the thread's messages.
class SysTrayPlatform {
public:
    // The control's own window, as the shell and the hook know it.
    virtual std::uint32_t OwnWindow() = 0;
    // True when the shell accepted the call.
    virtual bool NotifyIcon(const NotifyCall& call) = 0;
    virtual void InstallTrayHook(cSysTray& control) = 0;
    virtual void RemoveTrayHook(cSysTray& control) = 0;
    // Seconds on a clock that only moves forward.
    virtual double Now() = 0;
    // Waits at most maxSeconds for a message, a sent message or a hook call, then processes every waiting one.
    virtual void WaitForMessages(double maxSeconds) = 0;
    virtual void SetHeightTwips(int twips) = 0;
    virtual void SetWidthTwips(int twips) = 0;
    virtual bool IsLeadByte(unsigned char byte) = 0;

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
    virtual void PropertyChanged(std::string_view /*name*/) {}
    // False while the host is being designed: then the icon is never added.
    virtual bool UserMode() = 0;

protected:
    ~SysTrayEvents() = default;
};

// The tray control as its host window drives it: cSysTray's properties and its balloon, for handlers that are tested
// without Windows.
class TrayControl {
public:
    virtual void SetTrayTip(std::string_view Tip) = 0;
    // True puts the icon into the notification area.
    virtual void SetInTray(bool Show) = 0;
    // Whether the shell really holds the icon: without it a hidden window could not be brought back.
    virtual bool IconInShell() const noexcept = 0;
    virtual void ShowBalloon(std::string_view Tip, std::string_view sTitle, std::int32_t ShowTimer, bool ShowOnce) = 0;

protected:
    ~TrayControl() = default;
};

class cSysTray final : public TrayControl {
public:
    cSysTray(SysTrayPlatform& platform, SysTrayEvents& host) noexcept : platform_(platform), host_(host) {}
    cSysTray(const cSysTray&) = delete;
    cSysTray& operator=(const cSysTray&) = delete;

    // Properties. The setters may throw what the host's change notice throws.
    void SetTrayIcon(const PictureRef& Icon);
    PictureRef TrayIcon() const { return trayIcon_; }
    void SetTrayTip(std::string_view Tip) override;
    std::string TrayTip() const { return trayTip_; }
    void SetInTray(bool Show) override;
    bool InTray() const noexcept { return inTray_; }

    // Shows a balloon on the icon and, with a positive ShowTimer, waits until the shell reports it gone or
    // ShowTimer seconds have passed, processing messages meanwhile. Throws HandlerFailure("Overflow")
    // when ShowTimer seconds do not fit in 32-bit milliseconds, before anything is sent.
    void ShowBalloon(std::string_view Tip, std::string_view sTitle, std::int32_t ShowTimer, bool ShowOnce) override;

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

    // Whether the shell accepted the last add of the icon (and it was not deleted since). Unlike IconAdded,
    // which follows the requests, this follows the shell's answers.
    bool IconInShell() const noexcept override { return iconInShell_; }
    bool IconAdded() const noexcept { return iconAdded_; }
    bool BalloonShowing() const noexcept { return balloonShowing_; }
    std::int32_t OnceCount() const noexcept { return onceCount_; }
    std::uint32_t OwnerWindow() const noexcept { return ownerWindow_; }

private:
    NotifyRecords Records(std::uint32_t window, std::uint32_t id);
    NotifyRecords Records();
    void AddIcon(std::uint32_t window, std::uint32_t id, std::string_view tip, const PictureRef& icon);
    void DeleteIcon(std::uint32_t window, std::uint32_t id);

    SysTrayPlatform& platform_;
    SysTrayEvents& host_;
    bool inTray_ = false;
    std::string trayTip_;
    PictureRef trayIcon_;
    PictureRef displayedPicture_;
    bool iconAdded_ = false;
    bool iconInShell_ = false;
    bool balloonShowing_ = false;
    std::int32_t onceCount_ = 0;
    std::uint32_t iconId_ = 0;
    std::uint32_t ownerWindow_ = 0;
};

}  // namespace tray
