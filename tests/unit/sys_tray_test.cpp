// The tray control with a recording shell, a scripted clock and wait, and a recording host.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tray/logic/sys_tray.h"
#include "win/logic/handler_failure.h"

namespace {

using tray::cSysTray;
using tray::NotifyMessage;
using tray::PictureRef;
using tray::PictureType;
using Log = std::vector<std::string>;
namespace field = tray::field;

constexpr std::uint32_t kOwner = 0x5150;

// What the platform defines, written out here rather than taken from the control, so that a wrong number there shows.
constexpr std::uint32_t kCallbackMessage = 0x400 + 101;  // WM_USER + 101, the design's
// The record's flags (NIF_*), and the names the log gives them.
constexpr std::uint32_t kNifMessage = 0x01, kNifIcon = 0x02, kNifTip = 0x04, kNifState = 0x08, kNifInfo = 0x10;
constexpr struct {
    std::uint32_t flag;
    const char* name;
} kFlagNames[] = {{kNifMessage, "NIF_MESSAGE"}, {kNifIcon, "NIF_ICON"}, {kNifTip, "NIF_TIP"}, {kNifState, "NIF_STATE"},
                  {kNifInfo, "NIF_INFO"}};
// The shell's callback notices (lParam of the callback message).
constexpr std::int32_t kMouseMove = 0x200, kLButtonDown = 0x201, kLButtonUp = 0x202, kLButtonDblClk = 0x203,
                       kRButtonDown = 0x204, kRButtonUp = 0x205, kRButtonDblClk = 0x206, kMButtonDown = 0x207,
                       kMButtonUp = 0x208, kMButtonDblClk = 0x209;
constexpr std::int32_t kBalloonShow = 0x402, kBalloonHide = 0x403, kBalloonTimeout = 0x404, kBalloonUserClick = 0x405;

class FakePicture final : public tray::Picture {
public:
    FakePicture(PictureType type, std::uint32_t handle) : type_(type), handle_(handle) {}
    PictureType Type() const noexcept override { return type_; }
    std::uint32_t Handle() const noexcept override { return handle_; }

private:
    PictureType type_;
    std::uint32_t handle_;
};

PictureRef Icon(std::uint32_t handle) { return std::make_shared<FakePicture>(PictureType::Icon, handle); }
PictureRef Bitmap(std::uint32_t handle) { return std::make_shared<FakePicture>(PictureType::Bitmap, handle); }

std::uint32_t U32(const tray::NotifyRecord& r, std::size_t offset) {
    return static_cast<std::uint32_t>(r[offset]) | static_cast<std::uint32_t>(r[offset + 1]) << 8 |
           static_cast<std::uint32_t>(r[offset + 2]) << 16 | static_cast<std::uint32_t>(r[offset + 3]) << 24;
}

std::string Text(const tray::NotifyRecord& r, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(r.data()) + offset);
}

// "NIF_MESSAGE|NIF_TIP"; "none" for no flag; a bit the platform does not define shows as a number.
std::string FlagNames(std::uint32_t flags) {
    std::string names;
    const auto add = [&](const std::string& name) { names += (names.empty() ? "" : "|") + name; };
    for (const auto& [flag, name] : kFlagNames) {
        if (flags & flag) add(name);
        flags &= ~flag;
    }
    if (flags != 0) add(std::to_string(flags));
    return names.empty() ? "none" : names;
}

// Shell, hook, clock and wait in one log. Each shell call reads as "add NIF_MESSAGE|NIF_TIP tip=...",
// "modify NIF_INFO balloon=title/text/timeout", "delete none".
class FakePlatform final : public tray::SysTrayPlatform {
public:
    Log log;
    std::vector<tray::NotifyCall> calls;
    bool shellAccepts = true;
    bool answerLater = false;  // as during a run: the answers come through ShellAnswered
    double now = 100.0;
    // What happens during one wait: by default the clock simply reaches the end of the wait.
    std::function<void(double maxSeconds)> onWait;
    std::vector<double> waits;

    win::WindowId OwnWindow() override { return static_cast<win::WindowId>(kOwner); }
    tray::ShellAnswer NotifyIcon(const tray::NotifyCall& call) override {
        calls.push_back(call);
        log.push_back(Describe(call));
        if (answerLater) return tray::ShellAnswer::Later;
        return shellAccepts ? tray::ShellAnswer::Accepted : tray::ShellAnswer::Refused;
    }
    void InstallTrayHook(cSysTray&) override { log.push_back("hook"); }
    void RemoveTrayHook(cSysTray&) override { log.push_back("unhook"); }
    double Now() override { return now; }
    void WaitForMessages(double maxSeconds) override {
        waits.push_back(maxSeconds);
        log.push_back("wait");
        if (waits.size() > 100) throw std::logic_error("runaway wait");
        if (onWait) {
            onWait(maxSeconds);
        } else {
            now += maxSeconds;
        }
    }
    void SetHeightTwips(int twips) override { log.push_back("height " + std::to_string(twips)); }
    void SetWidthTwips(int twips) override { log.push_back("width " + std::to_string(twips)); }
    // ASCII as it is; the code pages are the text field's tests.
    std::string ToAnsi(std::wstring_view character) override {
        return character.size() == 1 && character[0] < 0x80 ? std::string(1, static_cast<char>(character[0])) : "?";
    }

    static std::string Describe(const tray::NotifyCall& call) {
        const tray::NotifyRecord& r = call.record;
        const char* verb = call.message == NotifyMessage::Add ? "add" : call.message == NotifyMessage::Modify ? "modify" : "delete";
        const std::uint32_t flags = U32(r, field::kFlags);
        std::string s = std::string(verb) + " " + FlagNames(flags);
        if (flags & kNifTip) s += " tip=" + Text(r, field::kTip);
        if (flags & kNifIcon) s += " icon=" + std::to_string(U32(r, field::kIcon));
        if (flags & kNifInfo) {
            s += " balloon=" + Text(r, field::kInfoTitle) + "/" + Text(r, field::kInfo) + "/" +
                 std::to_string(U32(r, field::kTimeout));
        }
        return s;
    }
};

class FakeHost final : public tray::SysTrayEvents {
public:
    Log events;
    Log notices;
    bool userMode = true;
    std::function<void()> onMouseUp;

    void MouseMove(std::int32_t& id) override { events.push_back("move " + std::to_string(id)); }
    void MouseDown(std::int16_t& button, std::int32_t& id) override { Record("down", button, id); }
    void MouseUp(std::int16_t& button, std::int32_t& id) override {
        Record("up", button, id);
        if (onMouseUp) onMouseUp();
    }
    void MouseDblClick(std::int16_t& button, std::int32_t& id) override { Record("dblclick", button, id); }
    void PropertyChanged(std::wstring_view name) override { notices.emplace_back(name.begin(), name.end()); }
    bool UserMode() override { return userMode; }

private:
    void Record(const char* what, std::int16_t button, std::int32_t id) {
        events.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(id));
    }
};

struct Fixture {
    FakePlatform platform;
    FakeHost host;
    cSysTray tray{platform, host};

    Fixture() { tray.Initialize(); }
    // The icon in the shell with this tip and picture; the logs then start empty for what the test does next.
    void AddIcon(std::wstring_view tip, const PictureRef& icon) {
        tray.SetTrayTip(tip);
        tray.SetTrayIcon(icon);
        tray.SetInTray(true);
        Clear();
    }
    void Clear() {
        platform.log.clear();
        platform.calls.clear();
        host.notices.clear();
    }
};

TEST(SysTray, SettersBeforeTheIconIsAddedSendNothingAndAlwaysNotify) {
    Fixture f;
    const PictureRef hand = Icon(77);
    f.tray.SetTrayTip(L"Pelmorath Software");
    f.tray.SetTrayIcon(hand);
    f.tray.SetTrayIcon(Bitmap(5));  // ignored: not an icon
    f.tray.SetTrayIcon(nullptr);    // ignored: none
    EXPECT_EQ(f.platform.log, Log{}) << "nothing is sent before the icon is added";
    EXPECT_EQ(f.host.notices, (Log{"TrayTip", "TrayIcon"}));
    EXPECT_EQ(f.tray.TrayIcon(), hand);
}

TEST(SysTray, SwitchingOnHooksThenAddsWithFlagsForTheStoredTipAndIcon) {
    struct Case {
        const char* name;
        const wchar_t* tip;
        PictureRef icon;
        const char* add;
    } const cases[] = {
        {"neither", L"", nullptr, "add NIF_MESSAGE"},
        {"icon only", L"", Icon(9), "add NIF_MESSAGE|NIF_ICON icon=9"},
        {"tip only", L"T", nullptr, "add NIF_MESSAGE|NIF_TIP tip=T"},
        {"both", L"Pelmorath Software", Icon(77), "add NIF_MESSAGE|NIF_ICON|NIF_TIP tip=Pelmorath Software icon=77"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.tray.SetTrayTip(c.tip);
        f.tray.SetTrayIcon(c.icon);
        f.Clear();
        f.tray.SetInTray(true);
        EXPECT_EQ(f.platform.log, (Log{"hook", c.add})) << c.name;
        EXPECT_EQ(f.host.notices, Log{"InTray"}) << c.name;
        EXPECT_TRUE(f.tray.IconAdded()) << c.name;
        EXPECT_EQ(U32(f.platform.calls[0].record, field::kCallbackMessage), kCallbackMessage) << c.name;
        EXPECT_EQ(U32(f.platform.calls[0].record, field::kWindow), kOwner) << c.name;
    }
}

TEST(SysTray, SettersWhileTheIconIsAddedSendOneModifyEach) {
    Fixture f;
    f.AddIcon(L"Pelmorath Software", Icon(77));
    f.tray.SetTrayTip(L"");
    f.tray.SetTrayIcon(Icon(78));
    f.tray.SetTrayIcon(Bitmap(6));
    f.tray.SetInTray(true);  // unchanged: no call, no notice
    EXPECT_EQ(f.platform.log, (Log{"modify NIF_TIP tip=", "modify NIF_ICON icon=78"}));
    EXPECT_EQ(f.host.notices, (Log{"TrayTip", "TrayIcon"}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.platform.calls[0].record.data()) + field::kTip, 128),
              '\0' + std::string(127, ' '))
        << "an empty tip clears the tooltip with the empty field";
}

TEST(SysTray, SwitchingOffDeletesThenUnhooksOnce) {
    Fixture f;
    f.AddIcon(L"Pelmorath Software", Icon(77));
    f.tray.SetInTray(false);
    f.tray.SetInTray(false);
    EXPECT_EQ(f.platform.log, (Log{"delete none", "unhook"}));
    EXPECT_EQ(f.host.notices, Log{"InTray"});
    EXPECT_FALSE(f.tray.IconAdded());
}

TEST(SysTray, DesignModeRecordsInTrayWithoutAnyShellCall) {
    Fixture f;
    f.host.userMode = false;
    f.tray.SetInTray(true);
    EXPECT_TRUE(f.tray.InTray());
    EXPECT_FALSE(f.tray.IconAdded());
    f.tray.Terminate();
    EXPECT_FALSE(f.tray.InTray());
    EXPECT_EQ(f.platform.log, Log{});
    EXPECT_EQ(f.host.notices, (Log{"InTray", "InTray"}));
}

TEST(SysTray, AnAddTheShellRefusedCountsAsAddedButNotAsInTheShell) {
    Fixture f;
    f.tray.SetTrayTip(L"T");
    f.platform.shellAccepts = false;
    f.tray.SetInTray(true);
    EXPECT_TRUE(f.tray.IconAdded()) << "the add counts as done whatever the shell said";
    EXPECT_FALSE(f.tray.IconInShell());
}

TEST(SysTray, AShellRestartAddsTheIconAgainWithWhatTheControlHoldsNow) {
    Fixture f;
    f.platform.shellAccepts = false;
    f.AddIcon(L"T", nullptr);
    f.tray.SetTrayIcon(Icon(4));
    f.Clear();
    f.platform.shellAccepts = true;
    f.tray.TaskbarCreated();
    EXPECT_EQ(f.platform.log, Log{"add NIF_MESSAGE|NIF_ICON|NIF_TIP tip=T icon=4"});
    EXPECT_TRUE(f.tray.IconInShell());
}

TEST(SysTray, AShellRestartLeavesAnIconThatIsOffAlone) {
    Fixture f;
    f.platform.shellAccepts = false;
    f.AddIcon(L"T", Icon(4));
    f.platform.shellAccepts = true;
    f.tray.TaskbarCreated();
    ASSERT_TRUE(f.tray.IconInShell());
    f.tray.SetInTray(false);
    EXPECT_FALSE(f.tray.IconInShell());
    f.Clear();
    f.tray.TaskbarCreated();
    EXPECT_EQ(f.platform.log, Log{});
}

TEST(SysTray, AnswersThatComeLaterDecideWhetherTheIconIsInTheShellAndWhetherItIsAddedAgain) {
    struct Case {
        const char* name;
        std::function<void(Fixture&)> steps;  // with the answers left for later
        bool inShell;
        bool addedAgain;  // by AddAgainIfRefused afterwards
    } const cases[] = {
        {"the add not answered yet", [](Fixture&) {}, true, false},
        {"the add accepted", [](Fixture& f) { f.tray.ShellAnswered(NotifyMessage::Add, true); }, true, false},
        {"the add refused", [](Fixture& f) { f.tray.ShellAnswered(NotifyMessage::Add, false); }, false, true},
        {"refused, a balloon accepted after it",
         [](Fixture& f) {
             f.tray.ShellAnswered(NotifyMessage::Add, false);
             f.tray.ShellAnswered(NotifyMessage::Modify, true);
         },
         false, true},
        {"the icon switched off before the add was accepted",
         [](Fixture& f) {
             f.tray.SetInTray(false);
             f.tray.ShellAnswered(NotifyMessage::Add, true);
         },
         false, false},
        {"refused, then a restart whose add still awaits its answer",
         [](Fixture& f) {
             f.tray.ShellAnswered(NotifyMessage::Add, false);
             f.tray.TaskbarCreated();
         },
         false, false},
        {"a second restart while the first add awaits its answer: the last answer counts",
         [](Fixture& f) {
             f.tray.TaskbarCreated();
             f.tray.ShellAnswered(NotifyMessage::Add, true);
             f.tray.ShellAnswered(NotifyMessage::Add, false);
         },
         false, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.AddIcon(L"T", Icon(4));  // accepted at once, as at start-up
        f.platform.answerLater = true;
        f.tray.TaskbarCreated();
        c.steps(f);
        EXPECT_EQ(f.tray.IconInShell(), c.inShell) << c.name;
        f.Clear();
        f.tray.AddAgainIfRefused();
        EXPECT_EQ(f.platform.log, c.addedAgain ? Log{"add NIF_MESSAGE|NIF_ICON|NIF_TIP tip=T icon=4"} : Log{})
            << c.name;
    }
}

TEST(SysTray, ShowOnceBalloonWaitsOutItsTimerThenClosesIt) {
    Fixture f;
    f.AddIcon(L"", nullptr);
    f.tray.ShowBalloon(L"text", L"title", 5, true);
    EXPECT_EQ(f.platform.log,
              (Log{"modify NIF_INFO balloon=title/text/5000", "wait", "modify NIF_INFO balloon=//5000"}));
    EXPECT_EQ(f.platform.waits, std::vector<double>{5.0}) << "one blocking wait for the whole remaining time";
    EXPECT_TRUE(f.tray.BalloonShowing()) << "only the shell's notice clears it";
    EXPECT_EQ(f.tray.OnceCount(), 1);
}

TEST(SysTray, ASecondShowOnceBalloonSendsNothing) {
    Fixture f;
    f.AddIcon(L"", nullptr);
    f.tray.ShowBalloon(L"text", L"title", 5, true);
    f.Clear();
    f.tray.ShowBalloon(L"again", L"title", 5, true);
    EXPECT_EQ(f.platform.log, Log{});
    EXPECT_EQ(f.tray.OnceCount(), 1);
}

TEST(SysTray, BalloonsWithoutShowOnceShowEveryTimeWithoutATimerOrACount) {
    Fixture f;
    f.AddIcon(L"", nullptr);
    f.tray.ShowBalloon(L"text", L"title", 5, true);  // a ShowOnce balloon has been shown
    f.Clear();
    f.tray.ShowBalloon(L"always", L"t", 0, false);
    f.tray.ShowBalloon(L"always", L"t", -3, false);
    EXPECT_EQ(f.platform.log, (Log{"modify NIF_INFO balloon=t/always/0", "modify NIF_INFO balloon=t/always/0"}))
        << "without a timer: no wait and no close call";
    EXPECT_EQ(f.tray.OnceCount(), 1) << "balloons without ShowOnce are not counted";
}

TEST(SysTray, WakesThatEndEarlyKeepWaitingForTheRemainingTime) {
    Fixture f;
    // Three wakes for messages that are not the balloon's, 1.5 s apart, then the clock passes the end.
    f.platform.onWait = [&](double) { f.platform.now += 1.5; };
    f.tray.ShowBalloon(L"text", L"title", 5, true);
    EXPECT_EQ(f.platform.waits, (std::vector<double>{5.0, 3.5, 2.0, 0.5}));
    EXPECT_EQ(f.platform.log.back(), "modify NIF_INFO balloon=//5000");
}

TEST(SysTray, BalloonNoticeEndsTheWaitWithoutACloseCall) {
    for (std::int32_t notice : {kBalloonHide, kBalloonTimeout, kBalloonUserClick}) {
        Fixture f;
        f.platform.onWait = [&](double) {
            f.platform.now += 0.25;
            std::int32_t lParam = notice;
            std::int32_t wParam = 0;
            if (f.platform.waits.size() == 2) f.tray.HandleTrayMessage(lParam, wParam);
        };
        f.tray.ShowBalloon(L"text", L"title", 5, true);
        EXPECT_EQ(f.platform.log, (Log{"modify NIF_INFO balloon=title/text/5000", "wait", "wait"})) << notice;
        EXPECT_FALSE(f.tray.BalloonShowing()) << notice;
    }
}

TEST(SysTray, ShowBalloonOverflowFailsBeforeAnythingChanges) {
    Fixture f;
    f.tray.ShowBalloon(L"t", L"t", 2147483, false);  // the largest that fits
    EXPECT_EQ(U32(f.platform.calls[0].record, field::kTimeout), 2147483000u);
    Fixture g;
    EXPECT_THROW(g.tray.ShowBalloon(L"t", L"t", 2147484, true), win::HandlerFailure);
    try {
        g.tray.ShowBalloon(L"t", L"t", 2147484, true);
    } catch (const win::HandlerFailure& e) {
        EXPECT_EQ(e.Description(), L"Overflow");
    }
    EXPECT_EQ(g.platform.log, Log{});
    EXPECT_FALSE(g.tray.BalloonShowing());
    EXPECT_EQ(g.tray.OnceCount(), 0);
}

TEST(SysTray, ANestedShowOnceBalloonDuringTheWaitReturnsAtOnce) {
    Fixture f;
    f.host.onMouseUp = [&] { f.tray.ShowBalloon(L"nested", L"t", 5, true); };
    f.platform.onWait = [&](double maxSeconds) {
        std::int32_t up = kLButtonUp;
        std::int32_t id = 0;
        if (f.platform.waits.size() == 1) f.tray.HandleTrayMessage(up, id);
        f.platform.now += maxSeconds;
    };
    f.tray.ShowBalloon(L"first", L"t", 5, true);
    EXPECT_EQ(f.platform.log,
              (Log{"modify NIF_INFO balloon=t/first/5000", "wait", "modify NIF_INFO balloon=//5000"}));
}

TEST(SysTray, HandleTrayMessageRaisesOneEventPerCallback) {
    struct Case {
        std::int32_t lParam;
        const char* event;  // empty: none
        bool clearsBalloon;
    } const cases[] = {
        {kMouseMove, "move 3", false},
        {kLButtonDown, "down 1 3", false},
        {kLButtonUp, "up 1 3", false},
        {kLButtonDblClk, "dblclick 1 3", false},
        {kRButtonDown, "down 2 3", false},
        {kRButtonUp, "up 2 3", false},
        {kRButtonDblClk, "dblclick 2 3", false},
        {kMButtonDown, "", false},
        {kMButtonUp, "", false},
        {kMButtonDblClk, "", false},
        {kBalloonShow, "", false},
        {kBalloonHide, "", true},
        {kBalloonTimeout, "", true},
        {kBalloonUserClick, "", true},
        {kLButtonUp | 0x10000, "", false},  // the version 4 form (icon id in the high word), never asked for
        {0, "", false},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.tray.ShowBalloon(L"t", L"t", 0, false);  // BalloonShowing without a wait
        std::int32_t lParam = c.lParam;
        std::int32_t wParam = 3;  // the icon identifier goes through to the event as it came
        f.tray.HandleTrayMessage(lParam, wParam);
        EXPECT_EQ(f.host.events, c.event[0] ? Log{c.event} : Log{}) << std::hex << c.lParam;
        EXPECT_EQ(f.tray.BalloonShowing(), !c.clearsBalloon) << std::hex << c.lParam;
    }
}

// As this program's window stores the control: the hand, a design tip, and off or on.
tray::PropertyBag StoredProperties(bool inTray, const PictureRef& hand) {
    tray::PropertyBag stored;
    stored.Write(L"InTray", inTray);
    stored.Write(L"TrayIcon", hand);
    stored.Write(L"TrayTip", std::wstring(L"design"));
    return stored;
}

TEST(SysTray, StoredOffTheIconWaitsForTheSwitchAndTheCurrentValuesAreWrittenBack) {
    const PictureRef hand = Icon(42);
    Fixture f;
    f.tray.ReadProperties(StoredProperties(false, hand));
    EXPECT_EQ(f.platform.log, Log{});
    EXPECT_EQ(f.host.notices, (Log{"TrayIcon", "TrayTip"}));
    f.tray.SetTrayTip(L"Pelmorath Software");
    f.tray.SetInTray(true);
    tray::PropertyBag saved;
    f.tray.WriteProperties(saved);
    EXPECT_TRUE(saved.ReadBool(L"InTray", false));
    EXPECT_EQ(saved.ReadPicture(L"TrayIcon", nullptr), hand);
    EXPECT_EQ(saved.ReadString(L"TrayTip", L""), L"Pelmorath Software");
    f.tray.Terminate();
    EXPECT_EQ(f.platform.log,
              (Log{"hook", "add NIF_MESSAGE|NIF_ICON|NIF_TIP tip=Pelmorath Software icon=42", "delete none", "unhook"}));
}

TEST(SysTray, StoredOnTheIconGoesInFirstAndItsPictureAndTipFollowAsChanges) {
    Fixture f;
    f.tray.ReadProperties(StoredProperties(true, Icon(42)));
    EXPECT_EQ(f.platform.log,
              (Log{"hook", "add NIF_MESSAGE", "modify NIF_ICON icon=42", "modify NIF_TIP tip=design"}));
    EXPECT_EQ(f.host.notices, (Log{"InTray", "TrayIcon", "TrayTip"}));
}

TEST(SysTray, NothingStoredGivesTheDefaultsWhichAreWrittenBackAllTheSame) {
    Fixture f;
    f.tray.ReadProperties(tray::PropertyBag{});
    EXPECT_EQ(f.tray.TrayTip(), L"Telnet Server");
    EXPECT_EQ(f.tray.TrayIcon(), nullptr);
    EXPECT_EQ(f.host.notices, Log{"TrayTip"}) << "no picture to take";
    tray::PropertyBag saved;
    f.tray.WriteProperties(saved);
    EXPECT_TRUE(saved.Contains(L"InTray") && saved.Contains(L"TrayIcon") && saved.Contains(L"TrayTip"));
    EXPECT_FALSE(saved.ReadBool(L"InTray", true));
}

TEST(SysTray, InitPropertiesSetsTheDesignTipAndSendsNothing) {
    Fixture f;
    f.tray.InitProperties();
    EXPECT_EQ(f.tray.TrayTip(), L"Telnet Server");
    EXPECT_EQ(f.host.notices, Log{"TrayTip"});
    EXPECT_EQ(f.platform.log, Log{});
}

TEST(SysTray, AStoredValueOfTheWrongKindFailsTheRead) {
    // As a host's property service would.
    tray::PropertyBag wrong;
    wrong.Write(L"InTray", std::wstring(L"yes"));
    Fixture f;
    EXPECT_THROW(f.tray.ReadProperties(wrong), win::HandlerFailure);
}

}  // namespace
