"""A second start of the program brings the running window back and ends at once: one window, one hook."""

import os
import subprocess
import time

from harness import (APP_TITLE_CLASS, E2ETest, ID_BUTTON, ID_TEXT, MAIN_CLASS, STOP_CAPTION, wait_until)


def second_start(test, exe):
    """Start the exe again and expect it to end by itself, quickly, with code 0."""
    second = subprocess.Popen(["wine", exe], env=test.d.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    try:
        code = second.wait(15)
    except subprocess.TimeoutExpired:
        second.kill()
        second.wait(5)
        test.fail("the second start is still running after 15 s")
    test.assertEqual(code, 0, "exit code of the second start")


class SingleInstanceTest(E2ETest):

    def our_windows(self):
        return [w for w in self.p("toplevels")["windows"] if w["class"] in (MAIN_CLASS, APP_TITLE_CLASS)]

    def assert_back_in_front(self, *focus_on):
        wait_until(lambda: self.app.info()["visible"] and not self.app.info()["iconic"], 5,
                   what="the first window shown in its normal size")
        wait_until(lambda: self.p("gui", self.app.hwnd)["foreground"] == self.app.hwnd, 5,
                   what="the first window in front")
        wait_until(lambda: self.p("gui", self.app.hwnd)["focus"] in focus_on, 3, what="the focus in the window")
        self.assertEqual(len(self.our_windows()), 2, "only the first copy's windows: %r" % self.our_windows())
        self.assertIsNone(self.app.proc.poll(), "the first copy still runs")

    def test_second_start_during_a_run_brings_the_window_back_and_ends(self):
        self.start_run()
        second_start(self, self.app.exe)
        # The arrows that show the hook is in also reach the minimised window, and may move its focus.
        self.assert_back_in_front(self.app.child(ID_BUTTON)["hwnd"], self.app.child(ID_TEXT)["hwnd"])
        # The run goes on, steered by one hook only: a tap moves by one step, not two.
        self.assertEqual(self.app.button_text(), STOP_CAPTION)
        self.p.set_cursor_stable(300, 300)
        self.d.key("Right")
        wait_until(lambda: self.p.cursor() != (300, 300), 3, what="the pointer to move")
        time.sleep(0.2)
        self.assertEqual(self.p.cursor(), (305, 300), "one step per tap")

    def test_second_start_brings_a_window_behind_another_program_to_the_front(self):
        np, _, _ = self.open_notepad()
        wait_until(lambda: self.p("gui", np)["foreground"] == np, 5, what="notepad in front")
        second_start(self, self.app.exe)
        self.assert_back_in_front(self.app.child(ID_TEXT)["hwnd"])
        # Keys typed now reach the window that came back.
        self.d.key("End", "shift+Home")
        self.d.type("12")
        text1 = self.app.child(ID_TEXT)["hwnd"]
        wait_until(lambda: self.p.text(text1) == "12", 3, what="the field to read '12'")


class SecondStartDuringStartUpTest(E2ETest):
    start_app = False

    def test_second_start_while_start_up_shows_a_report_leaves_the_window_to_its_first_show(self):
        exe = self.exe_copy("second-during-start-up")
        with open(os.path.join(os.path.dirname(exe), "HAND-M.CUR"), "wb") as f:
            f.write(b"no cursor")
        first = self.launch(exe)

        def report():
            return [w for w in self.p("toplevels")["windows"]
                    if w["class"] == "#32770" and w["visible"] and w["text"] == "Application Error"]
        box = wait_until(report, 15, what="the start-up report")[0]
        second_start(self, exe)
        # The second start posts its request and ends: a bounded look for a show that must not come.
        time.sleep(0.3)
        main = self.p.find(MAIN_CLASS)
        self.assertFalse(self.p.info(main)["visible"], "the window shown before start-up ended")
        self.assertEqual([w["hwnd"] for w in report()], [box["hwnd"]], "the report is still the one open")
        self.p("command", box["hwnd"], 1)        # OK: start-up goes on and shows the window
        first.wait_main()
