"""An administrator window in front during a run: a balloon on the tray icon, once per run, only where it applies."""

import contextlib
import subprocess
import time

from harness import E2ETest, KEYCODE, START_CAPTION, STOP_CAPTION, App, Session, find_probe, wait_until

ADMIN_TEXT = ("cannot steer while an administrator window is in front: Windows keeps its keys from other programs.\r\n"
              "Click a window of an ordinary program to steer again, or start Pelmorath as administrator.")
FRONT_CLASS = "WinprobeFrontWindow"
# Under Wine a balloon shows about 2 s after the request.
BALLOON_DELAY = 4.0


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


class AdminWindowNoticeTest(E2ETest):
    """Wine ranks every ordinary process elevated; the probe starts the limited ones with the linked token. The
    "administrator window" is a window of the probe that comes to the front and raises the foreground event itself,
    as Windows does and Wine does not."""
    start_app = False
    per_test_timeout = 150

    def setUp(self):
        super().setUp()
        # What a case starts ends with the case: the program is single-instance.
        self.case = contextlib.ExitStack()
        self.addCleanup(lambda: self.case.close())

    # ----- the processes -----
    def probe_process(self, *args, limited=False):
        probe = find_probe(Session.build_dir)
        if limited:
            args = ("limited", windows_path(probe)) + args
        proc = subprocess.Popen(["wine", probe, *args], env=self.d.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def end():
            if proc.poll() is None:
                proc.kill()
                proc.wait(5)
        self.case.callback(end)
        return proc

    def front_window(self, title, limited=False):
        """A window of its own process that takes the foreground; returns it once it is in front."""
        self.probe_process("window", title, limited=limited)
        hwnd = wait_until(lambda: self.p.find(FRONT_CLASS, title), 10, what="the window %r" % title)
        wait_until(lambda: self.p("gui", hwnd)["foreground"] == hwnd, 3, what="%r in front" % title)
        self.assertEqual(self.elevated(self.p.info(hwnd)["pid"]), not limited, "elevation of %r" % title)
        self.case.callback(self.p, "close", hwnd)
        return hwnd

    def elevated(self, pid):
        return bool(self.p("elevation", pid)["elevated"])

    def start_pelmorath(self, limited):
        # Wine activates the taskbar when the window minimises unless another window is there to take the
        # front, and its explorer ranks elevated: a limited window waits below, as the user's own program would.
        self.front_window("Below", limited=True)
        if limited:
            probe = find_probe(Session.build_dir)
            self.app = App(self.d, self.p, probe, ("limited", windows_path(Session.exe)))
            self._apps.append(self.app)
        else:
            self.app = self.launch()
        self.case.callback(self.app.close)
        self.app.wait_main()
        self.settle_focus()
        self.assertEqual(self.elevated(self.app._win_pid()), not limited, "elevation of Pelmorath")

    def end_run(self, front):
        # Keys typed while the bare desktop is under the pointer reach no program under Wine, nor the hook.
        left, top, right, bottom = self.p.info(front)["client"]
        self.d.move_pointer((left + right) // 2, (top + bottom) // 2)
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
        self.settle_focus()

    # ----- the balloons -----
    def assert_told(self, before, what):
        wait_until(lambda: self.balloons(ADMIN_TEXT) - before, BALLOON_DELAY, what="the balloon (%s)" % what)

    def assert_not_told(self, before, what):
        end = time.monotonic() + BALLOON_DELAY
        while time.monotonic() < end:
            self.assertEqual(self.balloons(ADMIN_TEXT) - before, set(), "a balloon (%s)" % what)
            time.sleep(0.2)

    # ----- the tests -----
    def test_told_only_to_a_limited_program_in_a_run_about_an_elevated_window(self):
        cases = [
            # (Pelmorath limited, in a run, the window in front elevated, told)
            (True, True, True, True),
            (True, False, True, False),
            (True, True, False, False),
            (False, True, True, False),
        ]
        for limited, in_run, elevated_front, told in cases:
            what = "Pelmorath %s, %s, %s window" % ("limited" if limited else "elevated",
                                                   "in a run" if in_run else "outside a run",
                                                   "an elevated" if elevated_front else "a limited")
            with self.subTest(what), self.case:
                self.start_pelmorath(limited)
                if in_run:
                    self.start_run()
                before = self.balloons(ADMIN_TEXT)
                self.front_window("In front", limited=not elevated_front)
                (self.assert_told if told else self.assert_not_told)(before, what)

    def test_told_once_per_run_and_again_in_the_next_run(self):
        self.start_pelmorath(limited=True)
        self.start_run()
        before = self.balloons(ADMIN_TEXT)
        self.front_window("First")
        self.assert_told(before, "the first elevated window")
        before = self.balloons(ADMIN_TEXT)
        second = self.front_window("Second")
        self.assert_not_told(before, "a second elevated window in the same run")

        self.end_run(second)
        before = self.balloons(ADMIN_TEXT)
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the stop caption")
        # Minimised, the window hands the front to the elevated window below it, before the watch is on: the check
        # at the hook's install sees it.
        wait_until(lambda: self.p("gui", second)["foreground"] == second, 3, what="the elevated window in front")
        self.assert_told(before, "the next run")

    def test_told_of_a_keypad_click_into_an_elevated_window_behind(self):
        # The elevated window is not in front: the run begins with a limited one there, and only the click,
        # which Windows would drop, tells of it.
        target_rect = (40, 40, 400, 240)
        self.probe_process("target", *map(str, target_rect))
        target = wait_until(lambda: self.p.find("WinprobeTarget"), 10, what="the elevated target window")
        self.assertTrue(self.elevated(self.p.info(target)["pid"]))
        self.start_pelmorath(limited=True)
        below = self.p.find(FRONT_CLASS, "Below")
        self.start_run()
        wait_until(lambda: self.p("gui", below)["foreground"] == below, 3, what="the limited window in front")
        before = self.balloons(ADMIN_TEXT)
        self.p.set_cursor_stable(240, 160)
        self.d.key(KEYCODE["kp5"])
        wait_until(lambda: "LD:240,160" in self.p.text(target), 3, what="the click to land")
        self.assert_told(before, "a click into an elevated window")
