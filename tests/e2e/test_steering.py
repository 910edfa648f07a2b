"""Runs as a person makes them: button click, steering keys, step edits, Ctrl+U, the stop click, keys reaching other
programs, keypad 5 as a mouse button."""

import re
import subprocess
import time

from harness import (E2ETest, ID_BUTTON, ID_TEXT, KEYCODE, START_CAPTION, STOP_CAPTION, Session, find_probe,
                     wait_until)

HOME = (300, 300)   # where steering starts: above the restored window, away from the minimised one
TARGET_RECT = (40, 40, 400, 240)   # the window that counts clicks: clear of the restored window and of HOME
OVER_TARGET = (240, 160)           # where the pointer clicks it
VK_CLEAR, VK_NUMPAD5 = 0x0C, 0x65  # keypad 5 with Num Lock off, and on
VK_RIGHT = 0x27
MOUSE_KEY = r"HKCU\Control Panel\Mouse"


class SteeringTest(E2ETest):

    def assert_steers(self, keys, want, start=HOME):
        """Place the pointer, send keys with xdotool, expect the pointer to end at want and stay there."""
        self.p.set_cursor_stable(*start)
        for k in keys:
            self.d.xdotool(*k) if isinstance(k, tuple) else self.d.key(k)
        try:
            wait_until(lambda: self.p.cursor() == want, 2)
        except AssertionError:
            pass
        time.sleep(0.15)
        self.assertEqual(self.p.cursor(), want, "keys %r from %r" % (keys, start))

    def assert_still(self, keys=("Left", "Right", "Up", "Down")):
        """No steering: the pointer stays where it was put, whatever arrows are pressed."""
        self.p.set_cursor_stable(*HOME)
        for k in keys:
            self.d.key(k)
            time.sleep(0.15)
            self.assertEqual(self.p.cursor(), HOME, "%s moved the pointer although no run is under way" % k)

    def restore_during_run(self):
        """Bring the window back while the run goes on (the taskbar's restore)."""
        self.p("restore", self.app.hwnd)
        wait_until(lambda: not self.app.info()["iconic"] and self.app.info()["visible"], 5,
                   what="the window to be restored")

    def set_step(self, text):
        """Click into the field (selects all) and type a new step."""
        x, y = self.client_point(self.app.child(ID_TEXT)["local"])
        self.d.click(x, y)
        text1 = self.app.child(ID_TEXT)["hwnd"]
        wait_until(lambda: self.p("gui", self.app.hwnd)["focus"] == text1, 3, what="focus in Text1")
        self.d.key("End", "shift+Home")
        self.d.type(text)
        wait_until(lambda: self.p.text(text1) == text, 3, what="Text1 to read %r" % text)

    def test_click_starts_a_run_hidden_in_the_tray_with_the_stop_caption(self):
        self.assertEqual(self.app.button_text(), START_CAPTION)
        self.assert_still()
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the stop caption")
        self.wait_hidden_in_tray()
        self.wait_steering()

    def test_steering_keys_move_by_the_step(self):
        self.start_run()
        x, y = HOME
        # one tap moves once: the hook sees a key as held on its release
        cases = [
            ("Left", (x - 5, y)), ("Right", (x + 5, y)), ("Up", (x, y - 5)), ("Down", (x, y + 5)),
            (("key", KEYCODE["kp4"]), (x - 5, y)), (("key", KEYCODE["kp6"]), (x + 5, y)),
            (("key", KEYCODE["kp8"]), (x, y - 5)), (("key", KEYCODE["kp2"]), (x, y + 5)),
        ]
        for key, want in cases:
            with self.subTest(key=key, numlock="off"):
                self.assert_steers([key], want)
        # a held arrow moves on every other event: Shift down, Shift up, then its own release
        with self.subTest(held="Left with Shift tapped"):
            self.assert_steers([("keydown", "Left"), "shift", ("keyup", "Left")], (x - 15, y))
        with self.subTest(held="Left and Up together"):
            # Up down: Left moves; Up up: both move; Left up: Left moves
            self.assert_steers([("keydown", "Left"), ("keydown", "Up"), ("keyup", "Up"), ("keyup", "Left")],
                               (x - 15, y - 5))

    def test_keypad_with_num_lock_on_steers_through_the_digit_keys(self):
        # Num Lock on turns the keypad into VK_NUMPAD4/6/8/2; show that it is on by typing a digit.
        self.d.key(KEYCODE["numlock"])
        self.addCleanup(self.d.key, KEYCODE["numlock"])
        text1 = self.app.child(ID_TEXT)["hwnd"]
        self.d.key("End", "shift+Home", KEYCODE["kp4"])
        wait_until(lambda: self.p.text(text1) == "4", 3, what="keypad 4 to type a digit (Num Lock on)")
        self.d.key("BackSpace")
        self.d.type("5")
        self.start_run()
        x, y = HOME
        for code, want in ((KEYCODE["kp4"], (x - 5, y)), (KEYCODE["kp6"], (x + 5, y)),
                           (KEYCODE["kp8"], (x, y - 5)), (KEYCODE["kp2"], (x, y + 5))):
            with self.subTest(keycode=code):
                self.assert_steers([("key", code)], want)

    def test_moves_stop_at_the_screen_edges(self):
        self.start_run()
        scr = self.p("screen")
        w, h = scr["w"], scr["h"]
        cases = [
            ("Left", (3, 300), (0, 300)), ("Left", (5, 300), (0, 300)), ("Left", (6, 300), (1, 300)),
            ("Right", (w - 6, 300), (w - 1, 300)), ("Right", (w - 5, 300), (w - 1, 300)),
            ("Up", (600, 2), (600, 0)), ("Up", (600, 6), (600, 1)),
            ("Down", (600, h - 6), (600, h - 1)), ("Down", (600, h - 3), (600, h - 1)),
        ]
        for key, start, want in cases:
            with self.subTest(key=key, start=start):
                self.assert_steers([key], want, start=start)

    def test_moves_stop_at_the_edges_of_a_display_resized_during_the_run(self):
        def resize(w, h):
            # Under Wine a pointer that a shrinking desktop leaves outside stays there, deaf to SetCursorPos.
            self.p.set_cursor_stable(*HOME)
            answer = self.p("display", w, h)
            self.assertEqual((answer["result"], answer["w"], answer["h"]), (0, w, h), "the desktop was not resized")
        # Registered first: every later test expects the desktop at its own size, whatever happens here.
        self.addCleanup(resize, 1024, 768)
        # The run starts small, so a size read only at its start would stop the later moves at 800.
        resize(800, 600)
        self.start_run()
        small = [("Right", (795, 300), (799, 300)), ("Down", (400, 595), (400, 599))]
        large = [("Right", (1018, 300), (1023, 300)), ("Down", (400, 762), (400, 767))]
        for size, cases in (((800, 600), small), ((1024, 768), large), ((800, 600), small), ((1024, 768), large)):
            resize(*size)
            for key, start, want in cases:
                with self.subTest(size=size, key=key, start=start):
                    self.assert_steers([key], want, start=start)

    def test_step_typed_during_a_run_takes_effect_at_the_next_move(self):
        self.start_run()
        self.restore_during_run()
        for text, step in (("20", 20), ("7", 7), ("-4", -4)):
            with self.subTest(step=text):
                self.set_step(text)
                x, y = HOME
                self.assert_steers(["Left"], (x - step, y))
                self.assert_steers(["Down"], (x, y + step))

    def test_ctrl_u_ends_the_run_and_brings_the_window_back(self):
        for keys in ("ctrl+u", "ctrl+alt+u"):
            with self.subTest(keys=keys):
                self.start_run()
                self.p.set_cursor_stable(*HOME)
                self.d.key(keys)
                wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
                wait_until(lambda: self.app.info()["visible"] and not self.app.info()["iconic"], 5,
                           what="the window back")
                self.assertEqual(self.p.cursor(), HOME, "Ctrl+U moved the pointer")
                wait_until(lambda: self.p("gui", self.app.hwnd)["foreground"] == self.app.hwnd, 3,
                           what="the window to have the focus")
                self.assert_still()

    def test_ctrl_u_while_no_run_is_under_way_changes_nothing(self):
        def state():
            info = self.app.info()
            return (info["visible"], info["iconic"], info["rect"], self.app.button_text(),
                    self.p.text(self.app.child(ID_TEXT)["hwnd"]), self.p("gui", self.app.hwnd)["foreground"])
        before = state()
        for keys in ("ctrl+u", "ctrl+alt+u"):
            self.d.key(keys)
            time.sleep(0.3)
            self.assertEqual(state(), before, "%s changed the window" % keys)
        self.assert_still()

    def test_second_click_on_the_restored_window_ends_the_run(self):
        self.start_run()
        self.restore_during_run()
        self.assertEqual(self.app.button_text(), STOP_CAPTION, "run goes on after the restore")
        self.click_button()
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
        info = self.app.info()
        self.assertTrue(info["visible"] and not info["iconic"])
        self.assert_still()

    def test_keys_still_reach_the_focused_program(self):
        np, edit, _ = self.open_notepad()
        self.start_run()
        x, y = self.client_point_of(np, edit)
        self.d.click(x, y)
        wait_until(lambda: self.p("gui", np)["focus"] == edit["hwnd"], 5, what="focus in notepad")
        # Over notepad: under Xvfb without a window manager, keys typed while the pointer is over the bare
        # desktop reach no program once a run's hook is in.
        self.p.set_cursor_stable(780, 200)
        self.d.type("hello")
        self.d.key("Left", "Left")
        # The hook has seen both arrows once notepad has them.
        wait_until(lambda: self.p("getsel", edit["hwnd"])["start"] == 3, 3, what="notepad's caret moved by the arrows")
        self.assertEqual(self.p.cursor(), (770, 200), "arrows steered while notepad had the focus")
        self.d.type("X")
        wait_until(lambda: self.p.text(edit["hwnd"]) == "helXlo", 3,
                   what="notepad to read 'helXlo' (it reads %r)" % self.p.text(edit["hwnd"]))
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
        # typed into notepad, the restore keys still bring the window back in front
        wait_until(lambda: self.p("gui", self.app.hwnd)["foreground"] == self.app.hwnd, 3,
                   what="the window to take the foreground from notepad")

    # ----- keypad 5 clicks -----
    def open_target(self):
        """The probe's target window, in front with the pointer over it: it logs the keys and the clicks it gets."""
        proc = subprocess.Popen(["wine", find_probe(Session.build_dir), "target", *map(str, TARGET_RECT)],
                                env=self.d.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

        def end():
            if proc.poll() is None:
                proc.kill()
                proc.wait(5)
        self.addCleanup(end)
        target = wait_until(lambda: self.p.find("WinprobeTarget"), 10, what="the target window")
        wait_until(lambda: self.p("gui", target)["foreground"] == target, 5, what="the target in front")
        self.p.set_cursor_stable(*OVER_TARGET)
        return target

    def target_entries(self, target):
        """What the target got, in order, as (kind, value, microseconds): kind "key" or "keyup" with the vk, or a
        button or move ("LD", "LU", "LM", ...) with its point."""
        entries = []
        for kind, value, at in re.findall(r"(\w+):([0-9A-F,]+)@(\d+)", self.p.text(target)):
            if kind in ("K", "KU"):
                entries.append(("key" if kind == "K" else "keyup", int(value, 16), int(at)))
            else:
                entries.append((kind, tuple(int(v) for v in value.split(",")), int(at)))
        return entries

    def target_log(self, target):
        """What the target got, in order: ("key", vk) for a key down, ("LD"/"LU"/"LM"/..., (x, y)) for a button or
        a move carrying one."""
        return [(kind, value) for kind, value, _ in self.target_entries(target) if kind != "keyup"]

    def after_marker_click(self, target, action):
        """The target's log of action, up to a middle click of the real mouse made after it: a button event the
        program made for the action is queued before that one, so the log holds all of them and none is waited
        for."""
        done = len(self.target_log(target))
        action()
        self.d.xdotool("click", 2)
        wait_until(lambda: "MU" in [kind for kind, _ in self.target_log(target)[done:]], 5, what="the marker click")
        log = self.target_log(target)[done:]
        return log[:[kind for kind, _ in log].index("MD")]

    @staticmethod
    def clicks(log):
        return [entry for entry in log if entry[0] != "key"]

    @staticmethod
    def keys(log, vk):
        return sum(1 for entry in log if entry == ("key", vk))

    def with_shift(self, *keys):
        self.d.xdotool("keydown", "shift")
        try:
            self.d.key(*keys)
        finally:
            self.d.xdotool("keyup", "shift")

    def test_keypad_5_clicks_once_per_press_where_the_pointer_is(self):
        self.start_run()
        target = self.open_target()
        one_click = [("LD", OVER_TARGET), ("LU", OVER_TARGET)]
        with self.subTest("a tap"):
            log = self.after_marker_click(target, lambda: self.d.key(KEYCODE["kp5"]))
            self.assertEqual(self.keys(log, VK_CLEAR), 1, "the target did not get the key: %r" % log)
            self.assertEqual(self.clicks(log), one_click)
            self.assertEqual(self.p.cursor(), OVER_TARGET, "the click moved the pointer")
        with self.subTest("two taps click twice"):
            log = self.after_marker_click(target, lambda: self.d.key(KEYCODE["kp5"], KEYCODE["kp5"]))
            self.assertEqual(self.keys(log, VK_CLEAR), 2, "the target did not get both keys: %r" % log)
            self.assertEqual(self.clicks(log), one_click * 2)
        with self.subTest("held, with repeats"):
            # Xvfb repeats no key here: the repeats are injected, as presses of the key that is already down.
            self.addCleanup(self.p, "vk", VK_CLEAR, "up")

            def held():
                for _ in range(3):
                    self.p("vk", VK_CLEAR, "down")
                self.p("vk", VK_CLEAR, "up")
            log = self.after_marker_click(target, held)
            self.assertEqual(self.keys(log, VK_CLEAR), 3, "the target did not get the press and its repeats: %r" % log)
            self.assertEqual(self.clicks(log), one_click)
        with self.subTest("after 8 s without keys"):
            # Wine skips the hook of a thread that it finds woken without a message retrieval for 5 s.
            time.sleep(8.5)
            log = self.after_marker_click(target, lambda: self.d.key(KEYCODE["kp5"]))
            self.assertEqual(self.clicks(log), one_click, "the first key after a pause did not click: %r" % log)
        with self.subTest("Shift gives the secondary button"):
            log = self.after_marker_click(target, lambda: self.with_shift(KEYCODE["kp5"]))
            self.assertEqual(self.keys(log, VK_CLEAR), 1, "the target did not get the key: %r" % log)
            self.assertEqual(self.clicks(log), [("RD", OVER_TARGET), ("RU", OVER_TARGET)])

    def test_keypad_5_held_drags_with_the_arrows_kept_from_the_program(self):
        self.start_run()
        target = self.open_target()
        x, y = OVER_TARGET

        def right_keys():
            return [kind for kind, vk, _ in self.target_entries(target) if vk == VK_RIGHT and kind in ("key", "keyup")]

        def drag():
            self.d.xdotool("keydown", KEYCODE["kp5"])
            try:
                # At a person's pace: Wine may put the pointer back for a moment after a move, and a key that
                # comes meanwhile moves from there.
                for step in (1, 2, 3):
                    self.d.key("Right")
                    wait_until(lambda: self.p.cursor() == (x + 5 * step, y), 2, what="the pointer %d steps on" % step)
            finally:
                self.d.xdotool("keyup", KEYCODE["kp5"])
        log = self.clicks(self.after_marker_click(target, drag))
        self.assertEqual(log[0], ("LD", (x, y)), "the button did not go down where the drag starts: %r" % log)
        self.assertEqual(log[-1], ("LU", (x + 15, y)), "the button did not come up three steps on: %r" % log)
        self.assertEqual([kind for kind, _ in log].count("LD"), 1, "more than one down: %r" % log)
        moves = log[1:-1]
        self.assertTrue(moves and all(kind == "LM" for kind, _ in moves), "a move without the button: %r" % log)
        self.assertEqual(moves[-1], ("LM", (x + 15, y)))
        # Its own caret moves would undo the selection a drag makes.
        self.assertEqual(right_keys(), [], "Right reached the program during the drag")
        self.d.key("Right")
        wait_until(lambda: right_keys() == ["key", "keyup"], 3, what="Right to reach the program after the drag")

    def test_a_release_of_keypad_5_that_the_hook_never_sees_lets_the_button_up(self):
        # The test build's hook hears no key event from the third of a run on, as a release made on the secure
        # desktop never reaches a hook: Ctrl's press and keypad 5's reach it, keypad 5's release does not, and no
        # key follows. Ctrl stays held, so that no later event tells the hook either.
        self.launch_losing_hook()
        self.start_run_without_keys()
        target = self.open_target()
        self.addCleanup(self.d.xdotool, "keyup", "ctrl")
        self.d.xdotool("keydown", "ctrl")
        self.d.xdotool("keydown", KEYCODE["kp5"])
        wait_until(lambda: ("LD", OVER_TARGET) in self.target_log(target), 3, what="the button down")
        self.d.xdotool("keyup", KEYCODE["kp5"])
        wait_until(lambda: ("LU", OVER_TARGET) in self.target_log(target), 3, what="the button up")
        entries = self.target_entries(target)
        released = next(at for kind, vk, at in entries if kind == "keyup" and vk == VK_CLEAR)
        up = next(at for kind, value, at in entries if kind == "LU")
        print("     the button up %.0f ms after keypad 5's release" % ((up - released) / 1000.0))
        self.assertLess(up - released, 1000000, "the button came up more than a second after keypad 5's release")

    def hold_keypad_5_in_a_run(self):
        """A run, the target in front, and keypad 5 held down over it until the button is down; returns the target."""
        self.start_run()
        target = self.open_target()
        self.addCleanup(self.d.xdotool, "keyup", KEYCODE["kp5"])
        self.d.xdotool("keydown", KEYCODE["kp5"])
        wait_until(lambda: ("LD", OVER_TARGET) in self.target_log(target), 3, what="the button down")
        return target

    def test_ctrl_u_while_keypad_5_is_held_lets_the_button_up(self):
        target = self.hold_keypad_5_in_a_run()
        # Held with no other key, over several of the checks that let up a button whose key is up.
        time.sleep(3)
        self.assertNotIn(("LU", OVER_TARGET), self.target_log(target), "the button came up while keypad 5 was held")
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
        wait_until(lambda: ("LU", OVER_TARGET) in self.target_log(target), 3,
                   what="the button up while keypad 5 is still held")
        log = self.after_marker_click(target, lambda: self.d.xdotool("keyup", KEYCODE["kp5"]))
        self.assertEqual(self.clicks(log), [], "keypad 5's release after the run made a click")
        self.assertEqual(self.clicks(self.target_log(target))[:2], [("LD", OVER_TARGET), ("LU", OVER_TARGET)])

    def test_a_failure_that_ends_the_program_lets_the_held_button_up_first(self):
        target = self.hold_keypad_5_in_a_run()
        self.assertEqual(self.p("crash", self.p.info(self.app.hwnd)["pid"])["done"], 1)
        wait_until(lambda: self.app.proc.poll() is not None, 10, what="the program to end on its failure")
        # Up from the failure's own thread, before the process ended: nothing after it could let the button up.
        wait_until(lambda: ("LU", OVER_TARGET) in self.target_log(target), 3, what="the button up")

    def test_swapped_buttons_send_the_other_physical_button(self):
        # Wine reads the swap once per process and applies it to no button event: the target sees the physical
        # button the program sent.
        self.app.close()
        self.d.reg_set(MOUSE_KEY, "SwapMouseButtons", "1")
        self.addCleanup(self.d.reg_set, MOUSE_KEY, "SwapMouseButtons", "0")
        self.app = self.launch()
        self.app.wait_main()
        self.settle_focus()
        self.start_run()
        target = self.open_target()
        for what, action, want in (("the primary button", lambda: self.d.key(KEYCODE["kp5"]), ("RD", "RU")),
                                   ("Shift: the secondary", lambda: self.with_shift(KEYCODE["kp5"]), ("LD", "LU"))):
            with self.subTest(what):
                log = self.after_marker_click(target, action)
                self.assertEqual(self.clicks(log), [(want[0], OVER_TARGET), (want[1], OVER_TARGET)])

    def test_keypad_5_with_num_lock_on_does_not_click(self):
        self.start_run()
        target = self.open_target()
        self.d.key(KEYCODE["numlock"])
        self.addCleanup(self.d.key, KEYCODE["numlock"])
        with self.subTest("keypad 5"):
            log = self.after_marker_click(target, lambda: self.d.key(KEYCODE["kp5"]))
            self.assertEqual(self.keys(log, VK_NUMPAD5), 1, "the target did not get keypad 5 as a digit: %r" % log)
            self.assertEqual(self.clicks(log), [])
        with self.subTest("Shift+keypad 5, which comes as VK_CLEAR"):
            log = self.after_marker_click(target, lambda: self.with_shift(KEYCODE["kp5"]))
            self.assertEqual(self.keys(log, VK_CLEAR), 1, "the target did not get Shift+keypad 5: %r" % log)
            self.assertEqual(self.clicks(log), [])

    def test_keypad_5_after_ctrl_u_does_not_click(self):
        self.start_run()
        target = self.open_target()
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
        wait_until(lambda: self.p("gui", self.app.hwnd)["foreground"] == self.app.hwnd, 3, what="the window back")
        # The target back in front, clicked as a person would; the window's own return may take the foreground
        # once more just after it came back.
        for _ in range(3):
            self.d.click(*OVER_TARGET)
            wait_until(lambda: self.p("gui", target)["foreground"] == target, 5, what="the target in front again")
            time.sleep(0.3)
            if self.p("gui", target)["foreground"] == target:
                break
        log = self.after_marker_click(target, lambda: self.d.key(KEYCODE["kp5"]))
        self.assertEqual(self.keys(log, VK_CLEAR), 1, "the target did not get the key: %r" % log)
        self.assertEqual(self.clicks(log), [])

    def client_point_of(self, top, child):
        cl = self.p.info(child["hwnd"])["client"]
        return (cl[0] + cl[2]) // 2, (cl[1] + cl[3]) // 2
