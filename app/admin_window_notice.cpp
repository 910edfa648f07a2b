// The decision whether the window in front is told about.
#include "app/admin_window_notice.h"

namespace app {

bool TellsOfAdminWindow(const AdminWindowFacts& facts) noexcept {
    if (!facts.runUnderWay || facts.toldThisRun || !facts.own || !facts.front) return false;
    // Running elevated is the way around the limit: then there is nothing to tell.
    if (facts.own->elevated) return false;
    if (facts.front->elevated) return true;
    return facts.own->integrityLevel && facts.front->integrityLevel &&
           *facts.front->integrityLevel > *facts.own->integrityLevel;
}

}  // namespace app
