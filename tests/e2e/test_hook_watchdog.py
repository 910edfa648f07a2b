"""A run whose keyboard hook the system removed without notice: steering and Ctrl+U come back by themselves."""

import time

from harness import E2ETest, START_CAPTION, STOP_CAPTION, wait_until

HOME = (300, 300)


class HookWatchdogTest(E2ETest):
    start_app = False

    def test_a_lost_hook_is_installed_again_within_a_second(self):
        # The switch makes the hook remove itself at the first key event of every run, as the system does with
        # a hook it found too slow; nothing tells the run.
        self.app = self.launch(args=["/lose-hook-for-test"])
        self.app.wait_main()
        self.settle_focus()
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the stop caption")
        self.wait_hidden_in_tray()
        time.sleep(0.5)  # the hook goes in once the balloon wait has ended

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
        # The first tap is the one the hook was lost on; a tap moves on its release.
        self.assertGreater(taps, 1, "the first key event after the loss already steered: the hook was not lost")
        print("     hook back after %d taps, %.2f s after the first key event without it" % (taps, back_after))
        self.assertLess(back_after, 1.5)

        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION and self.app.info()["visible"], 5,
                   what="Ctrl+U to end the run")
