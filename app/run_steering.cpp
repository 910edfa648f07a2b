// What starts and stops with a run: the keyboard hook, the watches around it, and their warnings.
#include "app/run_steering.h"

#include "app/message_boxes.h"
#include "app/build_seams.h"
#include "app/logic/admin_window_notice.h"
#include "app/logic/product.h"
#include "win/failure_trace.h"

namespace app {
namespace {

// The balloon must never hold up the run: no wait for the shell to report it gone. Nor is it counted as
// once-only: that count is the first minimise's, and either balloon would silence the other.
constexpr std::int32_t kNoWait = 0;
constexpr bool kNotOnce = false;

// Titled with the product's name, as the other balloons.
constexpr std::wstring_view kMouseKeysBalloonText =
    L"and Windows Mouse Keys are both on: each keypad key would move the pointer and click twice.\r\n"
    L"Turn Mouse Keys off in Settings, Accessibility, Mouse, to steer with Pelmorath alone.";

// The minimise that starts a run hands the front to another program's window, which takes it only when that
// program's thread next handles its messages: until then no window is in front, and the watch's first check would
// see none. Windows tells the watch when the hand-off ends; Wine raises no such event. So the run waits for a
// window in front before its hook goes in (nothing waits for the thread yet), for a short while at most.
void WaitForFrontWindow() noexcept {
    constexpr DWORD kMaxMilliseconds = 250, kStepMilliseconds = 5;
    for (DWORD waited = 0; !GetForegroundWindow() && waited < kMaxMilliseconds; waited += kStepMilliseconds) {
        Sleep(kStepMilliseconds);
    }
}

}  // namespace

ForegroundWatch* ForegroundWatch::watching_ = nullptr;

ForegroundWatch::ForegroundWatch(tray::cSysTray& tray, const std::optional<win::ProcessElevation>& own,
                                 modKeyboard::KeyboardHook& hook) noexcept
    : tray_(tray), own_(own), keyboardHook_(hook) {
    watching_ = this;
    // Out of context: the event reaches this thread as a message, so the watch needs no DLL and costs nothing
    // between changes of the foreground window. Windows of this program are never above it.
    eventHook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0, 0,
                                     WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    // The window activated when this one minimised came to the front before the hook was there.
    CheckFront(GetForegroundWindow());
}

ForegroundWatch::~ForegroundWatch() {
    eventHook_.reset();
    // Events queued before the hook went still arrive, and find no watch.
    watching_ = nullptr;
}

void CALLBACK ForegroundWatch::ForegroundChanged(HWINEVENTHOOK, DWORD, HWND front, LONG objectId, LONG, DWORD,
                                                 DWORD) noexcept {
    if (objectId == OBJID_WINDOW && watching_) watching_->CheckFront(front);
}

void ForegroundWatch::CheckFront(HWND front) noexcept {
    if (front) keyboardHook_.FrontOutOfReach(WarnIfOutOfReach(front));
}

void ForegroundWatch::CheckClickTarget(HWND root) noexcept {
    if (root) WarnIfOutOfReach(root);
}

bool ForegroundWatch::WarnIfOutOfReach(HWND window) noexcept {
    bool outOfReach = false;
    // The warning is a courtesy: on a failure the run goes on without it.
    win::RunTracingFailure(L"administrator window balloon", [&] {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        const AdminWindowFacts facts{.own = own_,
                                     .front = processId ? win::ElevationOfProcess(processId) : std::nullopt,
                                     .runUnderWay = true,
                                     .warnedThisRun = warnedThisRun_};
        if (WarnsOfAdminWindow(facts)) {
            // Before the call: while the shell answers, sent messages and events are delivered, and an event met
            // there must not warn again.
            warnedThisRun_ = true;
            tray_.ShowBalloon(kAdminWindowBalloonText, kProductDisplayName, kNoWait, kNotOnce);
        }
        outOfReach = FrontOutOfReach(facts);
    });
    return outOfReach;
}

void RunSteering::StartSteering() {
    // From now on no shell call holds this thread: it holds the hook, and Ctrl+U must end the run at once even while
    // the shell does not answer.
    trayWindow_.SetWaitsForShell(false);
    // Before the hook goes in: loading wtsapi32 and the call into the session service hold the thread up, and no
    // key may wait for a thread that holds a hook. Without the session's messages only the second key after an
    // unlock would bring the hook back.
    sessionNotices_.Register(window_);
    WaitForFrontWindow();
    keyboardHook_.HookKeyboard(window_);
    if (!ownElevation_) ownElevation_ = win::OwnElevation();
    foregroundWatch_.emplace(tray_, ownElevation_, keyboardHook_);
    SteeringStarted();
    if (MouseKeysOn()) WarnOfMouseKeys();
}

void RunSteering::StopSteering() {
    const bool running = foregroundWatch_.has_value();
    SteeringStopped();
    foregroundWatch_.reset();
    keyboardHook_.UnhookKeyboard();
    sessionNotices_.Unregister();
    if (running) AddIconAgainIfRefused();
    // Calls wait for the shell again, after the ones still on their way: the run is over.
    trayWindow_.SetWaitsForShell(true);
}

void RunSteering::AddIconAgainIfRefused() noexcept {
    // Still left to the shell's thread: the end of the run does not wait for the shell either. On a failure the icon
    // stays missing until the shell's next restart or the next run's end.
    win::RunTracingFailure(L"tray icon added again", [&] { tray_.AddAgainIfRefused(); });
}

void RunSteering::WarnOfMouseKeys() noexcept {
    // The warning is a courtesy: on a failure the run goes on without it.
    win::RunTracingFailure(L"Mouse Keys balloon",
                           [&] { tray_.ShowBalloon(kMouseKeysBalloonText, kProductDisplayName, kNoWait, kNotOnce); });
}

void RunSteering::WarnKeyboardLost() noexcept {
    // Once per run, and only when the hook could not be installed again several times in a row.
    ShowWarning(window_,
                L"Pelmorath can no longer see the keyboard: the arrow keys do not move the pointer and Ctrl+U "
                L"does not end the run.\r\nClick the hand icon in the notification area, then the Stop Running "
                L"button.");
}

void RunSteering::OnHookLost() noexcept {
    if (keyboardHook_.ReinstallLostHook()) WarnKeyboardLost();
}

void RunSteering::OnButtonDown(HWND root) noexcept {
    if (foregroundWatch_) foregroundWatch_->CheckClickTarget(root);
}

void RunSteering::OnSystemNotice(UINT message, WPARAM code) noexcept {
    if (keyboardHook_.SystemNoticed(message, code)) WarnKeyboardLost();
}

void RunSteering::OnDisplayChange() noexcept {
    // Sent to every top-level window, this hidden one too, before the change is over for the program that made it.
    // Which settings change the display's size for this program's DPI awareness is nowhere listed (scaling with
    // an awareness overridden by the user, rotation), so every settings change reads it again: they are rare.
    keyboardHook_.ReadScreenSize();
}

}  // namespace app
