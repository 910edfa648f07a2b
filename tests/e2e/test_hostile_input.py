"""Input a careless or hostile user gives: a u typed during a run, digits of other scripts, huge texts in the field."""

import time

from harness import (E2ETest, ID_TEXT, SETTINGS_KEY, SETTINGS_VALUE, START_CAPTION, STOP_CAPTION, Session,
                     wait_until)

STEP_LIMIT = 64


def hex16(text):
    return "".join("%04x" % ord(c) for c in text)


def unhex16(digits):
    return "".join(chr(int(digits[i:i + 4], 16)) for i in range(0, len(digits), 4))


class HostileInputTest(E2ETest):

    def setUp(self):
        if Session.desktop:
            Session.desktop.reg_delete_key(SETTINGS_KEY)
        super().setUp()
        self.text1 = self.app.child(ID_TEXT)["hwnd"]

    def field_text(self):
        return unhex16(self.p("textw", self.text1)["hex"])

    def stored(self):
        try:
            return unhex16(self.p("regw", SETTINGS_KEY.split("\\", 1)[1], SETTINGS_VALUE)["hex"])
        except Exception:  # no value yet
            return None

    def focus_notepad(self, np, edit):
        cl = self.p.info(edit["hwnd"])["client"]
        self.d.click((cl[0] + cl[2]) // 2, (cl[1] + cl[3]) // 2)
        wait_until(lambda: self.p("gui", np)["focus"] == edit["hwnd"], 5, what="focus in notepad")

    def test_a_u_typed_during_a_run_does_not_end_it_at_a_later_ctrl_shortcut(self):
        np, edit, _ = self.open_notepad()
        self.start_run()
        self.focus_notepad(np, edit)
        self.d.type("u")
        wait_until(lambda: self.p.text(edit["hwnd"]) == "u", 3, what="the u to reach notepad")
        self.d.key("ctrl+c")
        time.sleep(0.5)
        self.assertEqual(self.app.button_text(), STOP_CAPTION, "Ctrl+C after a u ended the run")
        self.wait_steering()
        self.d.key("ctrl+u")
        wait_until(lambda: self.app.button_text() == START_CAPTION, 5, what="Ctrl+U to end the run")

    def test_digits_of_other_scripts_are_stored_exactly_as_typed(self):
        for text in ("\uff11\uff12", "\u0663\u0660", "7\u00a0"):
            with self.subTest(text=text):
                self.d.key("End", "shift+Home")
                self.d.type(text)
                wait_until(lambda: self.field_text() == text, 3,
                           what="Text1 to read %r (it reads %r)" % (text, self.field_text()))
                wait_until(lambda: self.stored() == text, 5,
                           what="the store to hold %r (it holds %r)" % (text, self.stored()))

    def test_typing_is_cut_at_the_limit(self):
        self.d.key("End", "shift+Home")
        self.d.type("1" * (STEP_LIMIT + 6), delay=8)
        time.sleep(0.5)
        self.assertEqual(self.field_text(), "1" * STEP_LIMIT)
        self.assertEqual(self.stored(), "1" * STEP_LIMIT)

    def test_a_megabyte_set_into_the_field_is_cut_and_keys_keep_flowing(self):
        np, edit, _ = self.open_notepad()
        self.start_run()
        self.focus_notepad(np, edit)
        # another program sets a megabyte of digits (half a million UTF-16 units) into the field during the run
        self.assertEqual(self.p("settextw", self.text1, "", hex16("9"), 500000, timeout=50)["sent"], 1)
        self.assertEqual(self.field_text(), "9" * STEP_LIMIT)
        t0 = time.monotonic()
        self.d.type("abc")
        wait_until(lambda: self.p.text(edit["hwnd"]) == "abc", 10, what="notepad to read 'abc'")
        self.assertLess(time.monotonic() - t0, 2.0, "typing three letters took too long")
        self.assertEqual(self.app.button_text(), STOP_CAPTION)
