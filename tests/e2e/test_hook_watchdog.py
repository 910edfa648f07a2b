"""A run whose keyboard hook the system removed without notice: steering and Ctrl+U come back by themselves."""

import os
import time

from harness import E2ETest, START_CAPTION, STOP_CAPTION, Session, wait_until

HOME = (300, 300)


class HookWatchdogTest(E2ETest):
    start_app = False

    def test_a_lost_hook_is_installed_again_within_a_second(self):
        # The test build's switch makes the hook remove itself at the third key event of every run, as the system
        # does with a hook it found too slow; nothing tells the run.
        if not os.path.isfile(Session.test_exe or ""):
            raise AssertionError("test build not built: %s" % Session.test_exe)
        self.app = self.launch(exe=Session.test_exe, args=["/lose-hook-for-test"])
        self.app.wait_main()
        self.settle_focus()
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the stop caption")
        self.wait_hidden_in_tray()
        time.sleep(0.5)  # the hook goes in once the balloon wait has ended

        # The first tap is answered (a tap moves on its release), so the watchdog has seen the hook at work.
        self.p.set_cursor_stable(*HOME)
        self.d.key("Right")
        wait_until(lambda: self.p.cursor() == (HOME[0] + 5, HOME[1]), 3, what="the first tap to steer")
        self.p.set_cursor_stable(*HOME)
        lost_at = time.monotonic()
        taps = 0

        def steers():
            nonlocal taps
            self.d.key("Right")
            taps += 1
            time.sleep(0.1)
            return self.p.cursor() != HOME
        wait_until(steers, 5, interval=0.05, what="steering to come back after the hook was lost")
        back_after = time.monotonic() - lost_at
        # The next tap is the one the hook was lost on.
        self.assertGreater(taps, 1, "the first key event after the loss already steered: the hook was not lost")
        self.assertLessEqual(taps, 2, "the hook came back later than after two unanswered key events")
        print("     hook back after %d taps, %.2f s after the first key event without it" % (taps, back_after))
        self.assertLess(back_after, 1.5)

        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION and self.app.info()["visible"], 5,
                   what="Ctrl+U to end the run")

    def test_the_shipped_program_has_no_test_switch(self):
        def holds_switch(path):
            data = open(path, "rb").read()
            return any(w in data or w.decode().encode("utf-16-le") in data for w in (b"lose-hook", b"for-test"))
        self.assertTrue(holds_switch(Session.test_exe), "the test build lacks the switch this test looks for")
        self.assertFalse(holds_switch(Session.exe), "the shipped program carries a test switch")
