// The foreground watch of a run: its WinEvent hook, the elevations it compares, its balloon, its word to the watchdog.
#include "app/admin_window_watch.h"

#include "app/admin_window_notice.h"
#include "app/product.h"
#include "steering/keyboard_hook.h"
#include "win/process_standing.h"
#include "win/win_handles.h"

namespace app {
namespace {

// Program-wide by nature: the system calls the event procedure without any context of ours.
struct WatchState {
    win::WinEventHookHandle hook;
    FormParts* parts = nullptr;  // set only while a run is under way: events queued before the hook went still arrive
    std::optional<win::ProcessStanding> own;
    bool toldThisRun = false;
};
WatchState watch;

// The balloon must never hold up the run: no wait for the shell to report it gone. Nor is it counted as
// once-only: that count is the first minimise's, and either balloon would silence the other.
constexpr std::int32_t kNoWait = 0;
constexpr bool kNotOnce = false;

void CheckFront(HWND front) noexcept {
    try {
        if (!front || !watch.parts) return;
        DWORD processId = 0;
        GetWindowThreadProcessId(front, &processId);
        const AdminWindowFacts facts{.own = watch.own,
                                     .front = processId ? win::StandingOfProcess(processId) : std::nullopt,
                                     .runUnderWay = true,
                                     .toldThisRun = watch.toldThisRun};
        modKeyboard::FrontOutOfReach(FrontOutOfReach(facts));
        if (!TellsOfAdminWindow(facts)) return;
        // Before the call: while the shell answers, sent messages and events are delivered, and an event met
        // there must not tell again.
        watch.toldThisRun = true;
        watch.parts->cSysTray1.ShowBalloon(kAdminWindowBalloonText, kProductDisplayName, kNoWait, kNotOnce);
    } catch (...) {
        // The notice is a courtesy: the run goes on without it.
    }
}

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG, DWORD, DWORD) noexcept {
    if (objectId == OBJID_WINDOW) CheckFront(window);
}

}  // namespace

void StartAdminWindowWatch(FormParts& parts) noexcept {
    watch.parts = &parts;
    watch.toldThisRun = false;
    if (!watch.own) watch.own = win::OwnStanding();
    // Out of context: the event reaches this thread as a message, so the watch needs no DLL and costs nothing
    // between changes of the foreground window. Windows of this program are never above it.
    watch.hook.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0,
                                     0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    // The window activated when this one minimised came to the front before the hook was there.
    CheckFront(GetForegroundWindow());
}

void StopAdminWindowWatch() noexcept {
    watch.hook.reset();
    watch.parts = nullptr;
}

}  // namespace app
