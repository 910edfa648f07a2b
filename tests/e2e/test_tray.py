"""The tray: the icon from start-up, hiding into it with the balloon, coming back, closing, a shell restart, a shell
that does not answer."""

import os
import re
import subprocess
import time

from harness import (E2ETest, ID_BUTTON, ID_TEXT, MAIN_CAPTION, START_CAPTION, STOP_CAPTION, TRAY_ICON, HarnessError,
                     Session, find_probe, wait_until)

BALLOON_TEXT = ("has been minimized to the system tray.\r\n"
                "Click on the blue 'Q' icon (Q for Quendrix) to bring the software back.")
MOUSE_KEYS_TEXT = ("and Windows Mouse Keys are both on: each keypad key would move the pointer and click twice.\r\n"
                   "Turn Mouse Keys off in Settings, Accessibility, Mouse, to steer with Pelmorath alone.")
TEST_SETTINGS_KEY = r"HKCU\Software\Pelmorath"
HTMINBUTTON = 8
BM_CLICK = 0xF5
WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK = 0x201, 0x202, 0x203
WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK = 0x204, 0x205, 0x206
TRAY_CALLBACK = 1125
WM_QUERYENDSESSION, WM_ENDSESSION, WM_QUIT = 0x11, 0x16, 0x12
WM_APP = 0x8000
# What the test's tray window does with a WM_APP (the time in wParam): hang at the next call, and close itself too.
HANG_AT_NEXT_CALL, HANG_AT_NEXT_CALL_THEN_CLOSE = 1, 2
HOME = (300, 300)


class TrayHelpers(E2ETest):
    per_test_timeout = 90

    def setUp(self):
        if Session.desktop:
            self.clear_dead_icons(Session.desktop)
        super().setUp()

    @staticmethod
    def clear_dead_icons(desktop):
        """An icon whose program ended without deleting it stays until the pointer passes over it: clear such
        leftovers so that the first icon is this program's."""
        for dx in range(0, 140, 10):
            desktop.xdotool("mousemove", TRAY_ICON[0] - dx, TRAY_ICON[1])
            time.sleep(0.02)  # each stop a hover of its own
        desktop.xdotool("mousemove", *HOME)

    # ----- what the desktop shows -----
    def tray_shown(self):
        """The taskbar is shown while any icon is in the notification area."""
        tray = self.p.find("Shell_TrayWnd")
        return bool(tray) and bool(self.p.info(tray)["visible"])

    def taskbar_buttons(self):
        """Visible window buttons of the taskbar (the start button, at its left edge, aside)."""
        tray = self.p.find("Shell_TrayWnd")
        if not tray:
            return []
        return [c for c in self.p.children(tray)
                if c["class"].lower() == "button" and c["visible"] and c["local"][0] > 0]

    def tips(self):
        return [w["text"] for w in self.p("toplevels")["windows"] if w["class"] == "tooltips_class32" and w["visible"]]

    def window_state(self, app=None):
        info = (app or self.app).info()
        return bool(info["visible"]), bool(info["iconic"])

    # ----- what a person does -----
    def minimise(self):
        """Click the window's minimise button."""
        l, t, r, b = self.app.info()["rect"]
        for y in range(t + 4, t + 30, 3):
            for x in range(r - 2, r - 150, -2):
                if self.p("hittest", self.app.hwnd, x, y)["hit"] == HTMINBUTTON:
                    self.d.click(x, y)
                    return
        raise AssertionError("no minimise button in the caption")

    def click_icon(self, button=1):
        self.d.click(*TRAY_ICON, button=button)

    def assert_back_in_front(self, what):
        wait_until(lambda: self.window_state() == (True, False), 5, what="the window back, normal (%s)" % what)
        wait_until(lambda: self.p("gui", self.app.hwnd)["foreground"] == self.app.hwnd, 3,
                   what="the window in front (%s)" % what)
        # the control that had the focus before the window went gets it back
        controls = (self.app.child(ID_TEXT)["hwnd"], self.app.child(ID_BUTTON)["hwnd"])
        wait_until(lambda: self.p("gui", self.app.hwnd)["focus"] in controls, 3,
                   what="the keyboard focus in the window (%s)" % what)

    def steers(self):
        """One tap of Left moves the pointer by the step when the hook is in."""
        self.p.set_cursor_stable(*HOME)
        self.d.key("Left")
        try:
            wait_until(lambda: self.p.cursor() != HOME, 1)
        except AssertionError:
            return False
        return self.p.cursor() == (HOME[0] - 5, HOME[1])



class TrayTest(TrayHelpers):

    def test_icon_with_its_tooltip_is_there_from_start_up(self):
        self.assertTrue(self.tray_shown(), "no icon in the notification area")
        self.assertEqual(len(self.taskbar_buttons()), 1, "the shown window has its taskbar button")
        # the hand, scaled down by the shell: a black outline on the tray's white
        w, _, data = self.d.screenshot()
        x0, y0 = TRAY_ICON[0] - 8, TRAY_ICON[1] - 8
        dark = sum(1 for y in range(y0, y0 + 16) for x in range(x0, x0 + 16)
                   if max(data[(y * w + x) * 3:(y * w + x) * 3 + 3]) < 80)
        self.assertGreater(dark, 15, "no picture on the icon (%d dark pixels)" % dark)
        self.d.move_pointer(*TRAY_ICON)
        wait_until(lambda: MAIN_CAPTION in self.tips(), 5, what="the tooltip %r (tips: %r)" % (MAIN_CAPTION, self.tips()))

    def test_first_minimise_hides_with_the_balloon_the_second_without(self):
        self.minimise()
        wait_until(lambda: self.window_state() == (False, True) or self.window_state() == (False, False), 3,
                   what="the window to hide")
        t0 = time.monotonic()
        self.assertEqual(self.taskbar_buttons(), [], "the hidden window keeps no taskbar button")
        wait_until(lambda: BALLOON_TEXT in self.tips(), 5, what="the balloon (tips: %r)" % self.tips())
        # Wine never reports the balloon gone: the wait runs its 5 s, then the balloon is closed.
        wait_until(lambda: BALLOON_TEXT not in self.tips(), 8, interval=0.1, what="the balloon closed after its wait")
        self.assertGreater(time.monotonic() - t0, 3.5, "the balloon went too early")

        self.click_icon()
        self.assert_back_in_front("after the first minimise")
        self.minimise()
        wait_until(lambda: not self.window_state()[0], 3, what="the window to hide again")
        self.assertEqual(self.taskbar_buttons(), [])
        end = time.monotonic() + 3.5
        while time.monotonic() < end:
            self.assertNotIn(BALLOON_TEXT, self.tips(), "a second balloon")
            time.sleep(0.2)
        self.click_icon()
        self.assert_back_in_front("after the second minimise")

    def test_mouse_keys_on_is_told_in_a_balloon_at_each_run_start(self):
        # Wine has no Mouse Keys: the test build reads the setting from a registry value.
        self.app.close()
        self.addCleanup(self.d.reg_set, TEST_SETTINGS_KEY, "mouse-keys-for-test", "0")
        self.app = self.launch(exe=Session.test_exe)
        self.app.wait_main()
        self.settle_focus()

        for mouse_keys, told in (("1", True), ("1", True), ("0", False)):
            with self.subTest(mouse_keys=mouse_keys):
                self.d.reg_set(TEST_SETTINGS_KEY, "mouse-keys-for-test", mouse_keys)
                before = self.balloons(MOUSE_KEYS_TEXT)
                self.start_run()
                if told:
                    wait_until(lambda: self.balloons(MOUSE_KEYS_TEXT) - before, 5, what="the Mouse Keys balloon")
                else:
                    end = time.monotonic() + 4
                    while time.monotonic() < end:
                        self.assertEqual(self.balloons(MOUSE_KEYS_TEXT) - before, set(),
                                         "a Mouse Keys balloon with Mouse Keys off")
                        time.sleep(0.2)
                self.d.key("ctrl+u")
                wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
                self.settle_focus()

    def test_a_release_over_the_icon_brings_the_window_back(self):
        for button in (1, 3):
            with self.subTest(button="left" if button == 1 else "right"):
                self.minimise()
                self.wait_hidden_in_tray()
                self.d.move_pointer(*TRAY_ICON)
                self.d.xdotool("mousedown", button)
                try:
                    time.sleep(0.6)
                    self.assertFalse(self.window_state()[0], "a press alone shows the window")
                finally:
                    self.d.xdotool("mouseup", button)
                self.assert_back_in_front("button %d" % button)

    def test_a_release_over_the_icon_brings_the_shown_window_to_the_front(self):
        np, _, _ = self.open_notepad()
        self.p("foreground", np)
        wait_until(lambda: self.p("gui", np)["foreground"] == np, 5, what="notepad in front")
        self.click_icon()
        self.assert_back_in_front("shown behind notepad")

    def test_of_a_double_click_only_the_releases_bring_the_window_back(self):
        # The shell's callbacks of a double click, one at a time, with the window hidden again before each.
        for down, double, up in ((WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP),
                                 (WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP)):
            for callback, shows in ((down, False), (up, True), (double, False), (up, True)):
                with self.subTest(callback=hex(callback)):
                    if self.window_state()[0]:
                        self.minimise()
                        self.wait_hidden_in_tray()
                    self.p("post", self.app.tray_control(), TRAY_CALLBACK, 0, callback)
                    if shows:
                        self.assert_back_in_front("callback %#x" % callback)
                    else:
                        time.sleep(0.5)
                        self.assertFalse(self.window_state()[0], "callback %#x showed the window" % callback)

    def test_a_click_sent_by_assistive_technology_ends_the_run(self):
        # UI Automation's Invoke and the accessible default action send BM_CLICK: no posted mouse input at all.
        for shown in (False, True):
            with self.subTest(window_shown_during_the_run=shown):
                self.start_run()
                if shown:
                    self.click_icon()
                    self.assert_back_in_front("during a run")
                button = self.app.child(ID_BUTTON)["hwnd"]
                t0 = time.monotonic()
                self.p("send", button, BM_CLICK, 0, 0)
                wait_until(lambda: self.app.button_text() == START_CAPTION, 2, what="the start caption")
                to_caption = time.monotonic() - t0
                wait_until(lambda: self.window_state() == (True, False), 2, what="the window shown")
                to_shown = time.monotonic() - t0
                print("     sent click to the caption %.3f s, to the window shown %.3f s" % (to_caption, to_shown))
                self.assertFalse(self.steers(), "the arrows still steer after the run ended")

    def test_a_click_sent_to_start_is_answered_at_once_and_the_run_goes_on(self):
        # The first run of the program, so the minimise waits for its balloon before the hook goes in.
        button = self.app.child(ID_BUTTON)["hwnd"]
        t0 = time.monotonic()
        self.p("send", button, BM_CLICK, 0, 0)
        answered = time.monotonic() - t0
        print("     sent click on Start answered in %.3f s" % answered)
        self.assertLess(answered, 1.0, "the sender was held")
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 2, what="the stop caption")
        wait_until(lambda: not self.window_state()[0], 3, what="the window to hide into the tray")
        wait_until(self.steers, 10, interval=0.05, what="the run to steer")
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="Ctrl+U to end the run")
        wait_until(lambda: self.window_state() == (True, False), 3, what="the window back")

    def test_first_run_steers_after_the_balloon_wait_the_second_at_once(self):
        self.p.set_cursor_stable(*HOME)
        self.click_button()
        t0 = time.monotonic()
        wait_until(lambda: not self.window_state()[0], 5, what="the window to hide")
        wait_until(self.steers, 10, interval=0.05, what="the first run to steer")
        first = time.monotonic() - t0
        self.assertGreaterEqual(first, 4.5, "the first run steered before the balloon wait was over")
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the run to end")
        self.settle_focus()

        self.click_button()
        t0 = time.monotonic()
        wait_until(lambda: not self.window_state()[0], 5, what="the window to hide")
        wait_until(self.steers, 5, interval=0.05, what="the second run to steer")
        self.assertLess(time.monotonic() - t0, 2.5, "the second run waited (first run took %.1f s)" % first)

    def test_a_click_on_the_icon_during_a_run_shows_the_window_and_the_run_goes_on(self):
        self.start_run()
        self.click_icon()
        self.assert_back_in_front("during a run")
        self.assertEqual(self.app.button_text(), STOP_CAPTION)
        self.assertTrue(self.steers(), "steering stopped when the window came back")
        # minimising again hides it again, without a balloon, and the run still steers
        self.minimise()
        wait_until(lambda: not self.window_state()[0], 3, what="the window to hide again")
        self.assertTrue(self.steers(), "steering stopped after hiding again")

    def test_a_scaling_change_while_in_the_tray_brings_the_window_back_laid_out_for_its_dpi(self):
        def layout():
            cl = self.app.info()["client"]
            return (cl[2] - cl[0], cl[3] - cl[1]), tuple(self.app.child(ID_TEXT)["local"])
        at_96 = layout()
        self.minimise()
        self.wait_hidden_in_tray()
        self.app.send_dpi_changed(144)
        self.assertFalse(self.window_state()[0], "the scaling change showed the window")
        self.assertEqual(layout()[1], (36, 42, 764, 77), "the field is laid out for 144 DPI in the tray")
        # Wine's windows keep the system's DPI whatever the message said: on the way back the window is laid out
        # again for the DPI it has then, as after a scaling change that a hidden window never heard of.
        self.click_icon()
        self.assert_back_in_front("after the scaling change")
        self.assertEqual(layout(), at_96, "the window came back laid out for another DPI than its own")

    def test_a_shell_restart_brings_back_an_icon_deleted_from_outside(self):
        tray_control = self.app.tray_control()
        self.assertTrue(self.tray_shown())
        self.assertEqual(self.p("traydelete", tray_control, 0)["done"], 1)
        wait_until(lambda: not self.tray_shown(), 3, what="the icon to go")
        self.p("broadcast", "TaskbarCreated")
        wait_until(self.tray_shown, 3, what="the icon to come back")
        self.d.move_pointer(*TRAY_ICON)
        wait_until(lambda: MAIN_CAPTION in self.tips(), 5, what="the tooltip of the icon added again")
        # and it still answers: hide, then bring back through it
        self.minimise()
        self.wait_hidden_in_tray()
        self.click_icon()
        self.assert_back_in_front("through the icon added again")

    def test_text_typed_right_after_start_reaches_the_program_in_front(self):
        # Notepad lies behind our window, below its caption: where the pointer is when the run starts.
        l, t, r, b = self.app.info()["rect"]
        np, edit, _ = self.open_notepad((l - 40, t + 40, r - l + 80, b - t + 200))
        wait_until(lambda: self.p("gui", np)["foreground"] == np, 5, what="notepad in front")
        self.d.click((l + r) // 2, t + 10)  # our caption brings our window to the front
        self.settle_focus()
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the run to start")
        self.d.type("hello")
        wait_until(lambda: self.p.text(edit["hwnd"]) == "hello", 3,
                   what="notepad to read 'hello' (it reads %r; foreground %r)"
                   % (self.p.text(edit["hwnd"]), self.p("gui", np)))


class HungShellTest(TrayHelpers):
    """A window of the shell's tray class above the shell's own gets the program's tray calls, and answers them only
    when the test lets it."""

    def tray_windows(self):
        return {w["hwnd"] for w in self.p("toplevels")["windows"] if w["class"] == "Shell_TrayWnd"}

    def tray_window(self, answer):
        shells = self.tray_windows()
        proc = subprocess.Popen(["wine", find_probe(Session.build_dir), "traywindow", str(answer)], env=self.d.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def end():
            if proc.poll() is None:
                proc.kill()
                proc.wait(5)
        self.addCleanup(end)
        tray = wait_until(lambda: list(self.tray_windows() - shells), 10, what="the test's tray window")[0]
        # Topmost, it is the first of its class in z-order, which is the one the tray calls go to.
        wait_until(lambda: self.p.find("Shell_TrayWnd") == tray, 5, what="the test's tray window above the shell's")
        return tray, end

    def tray_log(self, tray):
        """The calls the test's tray window got, in order: (NIM_ message, its answer or None while it waits)."""
        return [(int(call), int(answer) if answer else None)
                for call, answer in re.findall(r"C:(\d+)(?:=(\d+))?", self.p("keptext", tray)["text"])]

    def add_to_a_hung_shell(self, answer, hang_ms, then_close=False):
        """The shell announces a restart, and the program's add of its icon finds the test's tray window hanging."""
        tray, end_tray = self.tray_window(answer)
        self.p("send", tray, WM_APP, hang_ms, HANG_AT_NEXT_CALL_THEN_CLOSE if then_close else HANG_AT_NEXT_CALL)
        self.p("broadcast", "TaskbarCreated")
        wait_until(lambda: self.tray_log(tray) == [(0, None)], 5, what="the add to reach the hung shell")
        return tray, end_tray

    def test_ctrl_u_ends_a_run_within_a_second_while_the_shell_does_not_answer(self):
        self.start_run()
        _, end_tray = self.add_to_a_hung_shell(1, 8000)
        pressed = time.monotonic()
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 8, interval=0.05, what="the run to end")
        ended = time.monotonic() - pressed
        print("     Ctrl+U to the end of the run while the shell hangs: %.2f s" % ended)
        self.assertLess(ended, 1.5, "the run waited for the shell")
        end_tray()

    def test_an_icon_the_shell_refused_is_added_again_when_the_run_ends(self):
        self.start_run()
        # The shell loses the icon, then comes back refusing it.
        self.assertEqual(self.p("traydelete", self.app.tray_control(), 0)["done"], 1)
        wait_until(lambda: not self.tray_shown(), 3, what="the icon to go")
        tray, end_tray = self.tray_window(0)
        self.p("broadcast", "TaskbarCreated")
        # The add refused, and the change that asks whether the shell holds the icon after all refused too.
        wait_until(lambda: self.tray_log(tray) == [(0, 0), (1, 0)], 5, what="the add refused")
        end_tray()
        self.assertFalse(self.tray_shown(), "the icon came back while the shell refused it")
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the run to end")
        wait_until(self.tray_shown, 3, what="the icon added again at the end of the run")

    def test_an_add_refused_after_the_run_ended_is_made_again(self):
        self.start_run()
        self.assertEqual(self.p("traydelete", self.app.tray_control(), 0)["done"], 1)
        wait_until(lambda: not self.tray_shown(), 3, what="the icon to go")
        # The shell hangs on the add past the run's end, then refuses it and is gone: the shell's own tray is back.
        self.add_to_a_hung_shell(0, 3000, then_close=True)
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the run to end")
        self.assertFalse(self.tray_shown(), "the icon came back while its add still waited")
        wait_until(self.tray_shown, 8, what="the icon added again after the late refusal")

    def test_a_shell_that_does_not_answer_never_keeps_the_program_from_ending(self):
        def close_window():
            self.p("close", self.app.hwnd)

        def installer_close():
            try:
                self.p("send", self.app.hwnd, "Pelmorath.CloseForUpdate", 0, 0, timeout=5)
            except HarnessError:
                pass  # ended before the answer came back to the probe
        for how, close in (("the window closed", close_window), ("the installer's close message", installer_close)):
            with self.subTest(how):
                if self.app.proc.poll() is not None:
                    self.app = self.launch()
                    self.app.wait_main()
                    self.settle_focus()
                self.start_run()
                _, end_tray = self.add_to_a_hung_shell(1, 30000)
                asked = time.monotonic()
                close()
                wait_until(lambda: self.app.proc.poll() is not None, 8, interval=0.05, what="the program to end")
                ended = time.monotonic() - asked
                print("     %s to the end of the program while the shell hangs: %.2f s" % (how, ended))
                self.assertLess(ended, 3.0, "the end waited for the shell")
                self.assertEqual(self.app.proc.returncode, 0)
                end_tray()
                # The delete was left to the ended program's shell call thread, with the icon.
                self.clear_dead_icons(self.d)
                wait_until(lambda: not self.tray_shown(), 3, what="the ended program's icon cleared")


class TrayCloseTest(TrayHelpers):
    start_app = False

    def start(self):
        self.app = self.launch()
        self.app.wait_main()
        self.settle_focus()
        wait_until(self.tray_shown, 3, what="the icon")

    def assert_ended_without_icon(self, what):
        wait_until(lambda: self.app.proc.poll() is not None, 5, what="the program to end (%s)" % what)
        wait_until(lambda: not self.tray_shown(), 3, what="the icon to go (%s)" % what)

    def close_box(self):
        l, t, r, b = self.app.info()["rect"]
        for y in range(t + 4, t + 30, 3):
            for x in range(r - 2, r - 60, -2):
                if self.p("hittest", self.app.hwnd, x, y)["hit"] == 20:  # HTCLOSE
                    self.d.click(x, y)
                    return
        raise AssertionError("no close button in the caption")

    def test_closing_ends_the_program_and_removes_the_icon(self):
        with self.subTest(close="close box while idle"):
            self.start()
            self.close_box()
            self.assert_ended_without_icon("close box")
        with self.subTest(close="Alt+F4 during a run, after a click on the icon"):
            self.start()
            self.start_run()
            self.click_icon()
            self.assert_back_in_front("during a run")
            self.d.key("alt+F4")
            self.assert_ended_without_icon("Alt+F4 during a run")
        with self.subTest(close="session end while hidden in the tray during a run"):
            self.start()
            self.start_run()
            answer = self.p("send", self.app.hwnd, WM_QUERYENDSESSION, 0, 0)["result"]
            self.assertEqual(answer, 1, "the session end is never refused")
            self.assertIsNone(self.app.proc.poll(), "the query alone ends nothing")
            try:
                self.p("send", self.app.hwnd, WM_ENDSESSION, 1, 0, timeout=5)
            except Exception:
                pass  # the program may end before it answers
            self.assert_ended_without_icon("session end")
        with self.subTest(close="the installer's close message during a run"):
            self.start()
            self.start_run()
            try:
                answer = self.p("send", self.app.hwnd, "Pelmorath.CloseForUpdate", 0, 0, timeout=5)["result"]
                self.assertEqual(answer, 0x504C4D, "the program did not answer that it closes")
            except HarnessError:
                pass  # ended before the answer came back to the probe
            wait_until(lambda: self.app.proc.poll() is not None, 5, what="the program to end")
            self.assertEqual(self.app.proc.returncode, 0)
            self.assert_ended_without_icon("the installer's close message")
        for during_run, post in ((True, "post"), (False, "postthread")):
            with self.subTest(close="WM_QUIT by %s, %s" % (post, "during a run" if during_run else "while idle")):
                self.start()
                if during_run:
                    self.start_run()
                t0 = time.monotonic()
                self.assertEqual(self.p(post, self.app.hwnd, WM_QUIT, 7, 0)["done"], 1)
                wait_until(lambda: self.app.proc.poll() is not None, 2, what="the program to end on the quit")
                print("     quit to the end of the process %.3f s" % (time.monotonic() - t0))
                self.assertEqual(self.app.proc.returncode, 7, "not the quit's exit code")
                self.assert_ended_without_icon("WM_QUIT")


class TrayWindowHookTest(E2ETest):
    """The control's window hook on a real window, in a process of its own: the program's own icon window can be
    switched off only by closing the program."""
    start_app = False

    def test_the_hook_hands_every_message_on_and_is_gone_once_the_icon_is_off(self):
        exe = os.path.join(Session.build_dir, "tests", "e2e", "tray_hook_check.exe")
        self.assertTrue(os.path.isfile(exe), "not built: %s" % exe)
        out = self.d.run(["wine", exe], check=False).stdout.decode("latin-1").replace("\r", "")
        lines = out.strip().splitlines()
        for line in lines:
            if line.startswith("FAIL"):
                self.fail(line)
        self.assertTrue(lines and lines[-1] == "checks: 8 passed, 0 failed", out)
