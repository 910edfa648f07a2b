"""Step field: every change written to the registry, non-numeric text replaced on leaving, select-all on entering."""

from harness import E2ETest, ID_BUTTON, ID_TEXT, SETTINGS_KEY, SETTINGS_VALUE, Session, wait_until


class StepFieldTest(E2ETest):

    def setUp(self):
        # Start from an empty store so that any value seen was written by this start.
        if Session.desktop:
            Session.desktop.reg_delete_key(SETTINGS_KEY)
        super().setUp()
        self.text1 = self.app.child(ID_TEXT)["hwnd"]
        self.button = self.app.child(ID_BUTTON)["hwnd"]

    def stored(self):
        return self.d.reg_query(SETTINGS_KEY, SETTINGS_VALUE)

    def wait_stored(self, want):
        wait_until(lambda: self.stored() == want, 5, interval=0.05,
                   what="registry Text1 = %r (it holds %r)" % (want, self.stored()))

    def wait_text(self, want):
        wait_until(lambda: self.p.text(self.text1) == want, 3,
                   what="Text1 to read %r (it reads %r)" % (want, self.p.text(self.text1)))

    def wait_focus(self, hwnd, what):
        wait_until(lambda: self.p("gui", self.app.hwnd)["focus"] == hwnd, 3, what=what)

    def selection(self):
        s = self.p("getsel", self.text1)
        return s["start"], s["end"]

    def replace_text(self, text):
        """Select all of the focused field and type TEXT (an empty TEXT deletes)."""
        self.d.key("End", "shift+Home")
        if text:
            self.d.type(text)
        else:
            self.d.key("BackSpace")

    def test_each_keystroke_writes_the_text(self):
        self.assertIsNone(self.stored(), "the initial 5 is not written")
        self.d.type("1")
        self.wait_text("1")
        self.wait_stored("1")
        self.d.type("2")
        self.wait_text("12")
        self.wait_stored("12")
        self.d.key("BackSpace")
        self.wait_stored("1")

    def test_clearing_writes_an_empty_value_and_leaving_restores_5(self):
        self.d.type("34")
        self.wait_stored("34")
        self.replace_text("")
        self.wait_text("")
        self.wait_stored("")
        self.d.key("Tab")
        self.wait_focus(self.button, "focus on the button")
        self.wait_text("5")
        self.wait_stored("5")

    def test_leaving_the_field_keeps_numbers_and_replaces_the_rest(self):
        cases = [
            ("abc", "5"), ("   ", "5"), ("-", "5"), ("12abc", "5"),
            ("-3", "-3"), ("1e3", "1e3"), ("99999", "99999"), (" 7 ", " 7 "), ("2.5", "2.5"),
        ]
        for typed, kept in cases:
            with self.subTest(typed=typed):
                self.replace_text(typed)
                self.wait_text(typed)
                self.wait_stored(typed)
                self.d.key("Tab")
                self.wait_focus(self.button, "focus on the button")
                self.wait_text(kept)
                self.wait_stored(kept)
                self.d.key("shift+Tab")
                self.wait_focus(self.text1, "focus back in Text1")

    def test_entering_the_field_selects_all_of_it(self):
        self.replace_text("123")
        self.wait_text("123")
        x0, y0, x1, y1 = self.p.info(self.text1)["client"]
        ways = [
            ("shift+Tab", None),
            ("click in the middle", ((x0 + x1) // 2, (y0 + y1) // 2)),
            ("click before the text", (x0 + 3, (y0 + y1) // 2)),
        ]
        for name, point in ways:
            with self.subTest(way=name):
                self.d.key("End", "Tab")
                self.wait_focus(self.button, "focus on the button")
                self.assertNotEqual(self.selection(), (0, 3), "selection kept from before (test is blind)")
                if point is None:
                    self.d.key("shift+Tab")
                else:
                    self.d.click(*point)
                self.wait_focus(self.text1, "focus in Text1")
                wait_until(lambda: self.selection() == (0, 3), 2,
                           what="all of '123' selected (selection is %r)" % (self.selection(),))

    def test_a_restart_shows_5_whatever_the_store_holds(self):
        self.d.type("77")
        self.wait_stored("77")
        self.app.close()
        self.d.reg_set(SETTINGS_KEY, SETTINGS_VALUE, "42")
        self.app = self.launch()
        self.app.wait_main()
        self.text1 = self.app.child(ID_TEXT)["hwnd"]
        self.wait_text("5")
        self.assertEqual(self.stored(), "42", "the store is neither read nor rewritten at start")
