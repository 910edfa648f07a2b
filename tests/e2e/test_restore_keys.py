"""After Ctrl+U typed into another program, the window that comes back takes the keys typed next."""

import time

from harness import E2ETest, ID_BUTTON, ID_TEXT, START_CAPTION, TRAY_ICON, wait_until


class RestoreKeysTest(E2ETest):

    def test_keys_typed_after_ctrl_u_reach_the_restored_window(self):
        for shown in (False, True):
            with self.subTest(window_shown_during_the_run=shown):
                if shown:
                    self.app.close()
                    self.app = self.launch()
                    self.app.wait_main()
                    self.settle_focus()
                self.check_keys_after_ctrl_u(shown)

    def check_keys_after_ctrl_u(self, shown):
        np, edit, end_notepad = self.open_notepad()
        self.start_run()
        if shown:
            # Brought back from the tray while the run goes on: the end of the run then has nothing to show,
            # only the focus to take back from notepad.
            self.d.click(*TRAY_ICON)
            wait_until(lambda: self.app.info()["visible"], 5, what="the window back from the tray")
        cl = self.p.info(edit["hwnd"])["client"]
        self.d.click((cl[0] + cl[2]) // 2, (cl[1] + cl[3]) // 2)
        wait_until(lambda: self.p("gui", np)["focus"] == edit["hwnd"], 5, what="focus in notepad")
        # Over notepad: with only the bare desktop under the pointer, Wine can lose keys typed into a window
        # that it activated itself when ours hid.
        self.p.set_cursor_stable((cl[0] + cl[2]) // 2, (cl[1] + cl[3]) // 2)
        self.d.type("ab")
        wait_until(lambda: self.p.text(edit["hwnd"]) == "ab", 3, what="notepad to read 'ab'")
        self.p.set_cursor_stable(200, 600)       # nothing but the desktop under the pointer from now on

        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="the start caption")
        button = self.app.child(ID_BUTTON)["hwnd"]
        text1 = self.app.child(ID_TEXT)["hwnd"]
        # The focus comes back where it was: the button clicked to start, or the field when the arrows that
        # showed the hook was in reached the minimised window.
        focus = wait_until(lambda: (lambda f: f if f in (button, text1) else 0)(self.p("gui", self.app.hwnd)["focus"]),
                           3, what="the focus back in the window")
        # Typed without touching the mouse: Tab from the button into the field, then the field's text replaced.
        if focus == button:
            self.d.key("Tab")
        self.d.key("End", "shift+Home")
        self.d.type("42")
        try:
            wait_until(lambda: self.p.text(text1) == "42", 3, what="the field to read '42'")
        except AssertionError:
            self.fail("keys typed after Ctrl+U: field reads %r, notepad reads %r"
                      % (self.p.text(text1), self.p.text(edit["hwnd"])))
        self.assertEqual(self.p.text(edit["hwnd"]), "ab", "keys after Ctrl+U went to notepad")
        end_notepad()
