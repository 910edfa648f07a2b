// Focus changes that also move Wine's X input focus.
#include "win/keyboard_focus.h"

namespace win {
namespace {

UINT RenewMessageTimeMessage() noexcept { return RegisterWindowMessageW(L"Pelmorath.RenewMessageTime"); }

}  // namespace

void GiveKeyboardFocus(HWND window, HWND control) noexcept {
    // Wine moves its X input focus only when the focus lands on the top-level window itself, and stamps the
    // move with the time of the last message this thread took. After a run spent waiting that time is older
    // than the click into the other program, so X keeps its focus there and the keys typed next reach no
    // window at all. A message taken now renews the time.
    if (const UINT renew = RenewMessageTimeMessage(); renew != 0 && PostMessageW(window, renew, 0, 0)) {
        MSG message;
        PeekMessageW(&message, window, renew, renew, PM_REMOVE);
    }
    // Through nothing and the window itself, so that the move happens even when the control had the focus all
    // along. A move to nothing is no move to another control: the step field does not count it as leaving.
    SetFocus(nullptr);
    SetFocus(window);
    SetFocus(control);
}

}  // namespace win
