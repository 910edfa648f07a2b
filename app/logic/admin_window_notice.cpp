// The decisions whether the window in front is out of reach, and whether the user is warned of it.
#include "app/logic/admin_window_notice.h"

namespace app {

bool FrontOutOfReach(const AdminWindowFacts& facts) noexcept {
    if (!facts.own || !facts.front) return false;
    // Running elevated is the way around the limit.
    if (facts.own->elevated) return false;
    if (facts.front->elevated) return true;
    return facts.own->integrityLevel && facts.front->integrityLevel &&
           *facts.front->integrityLevel > *facts.own->integrityLevel;
}

bool WarnsOfAdminWindow(const AdminWindowFacts& facts) noexcept {
    return facts.runUnderWay && !facts.warnedThisRun && FrontOutOfReach(facts);
}

}  // namespace app
