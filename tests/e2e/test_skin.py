"""Skin file x\\o.cjs beside the exe: when it counts as present, the colours of each sample skin, the report of an
unusable file, and the window still working under a skin."""

import os
import re
import time

from harness import (E2ETest, ID_BUTTON, ID_TEXT, MAIN_CLASS, ROOT, START_CAPTION, STOP_CAPTION, Session,
                     wait_until)

SKINS_DIR = os.path.join(ROOT, "skins")
WHITE = (255, 255, 255)
COLORS_KEY = r"HKCU\Control Panel\Colors"
ODD_BUTTON_FACE = (200, 180, 160)   # set as the system's button face: tells a system colour from a fixed grey
ODD_WINDOW = (150, 40, 110)         # set as the system's window colour
HIGH_CONTRAST_KEY, HIGH_CONTRAST_VALUE = r"HKCU\Software\Pelmorath", "high-contrast-for-test"
WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST = 0x15, 0x1A, 0x43
SETTING_CHANGE, SYSCOLOR_CHANGE = (WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST), (WM_SYSCOLORCHANGE, 0)

# Client points at 96 DPI (frame 8,8-528,63; field 24,28-509,51; button 8,72-528,99).
BACKGROUND = [(2, 2), (533, 104), (268, 67)]
FRAME_INSIDE = [(14, 40), (300, 57)]
FIELD_INSIDE = [(480, 40)]
BUTTON_FACE = [(10, 85), (525, 85)]                 # between the border and the focus cue
FRAME_CAPTION = (10, 8, 300, 22)
FIELD_TEXT = (26, 30, 80, 50)
BUTTON_CAPTION = (30, 74, 506, 97)
FOCUS_CUE = [(11, y) for y in range(76, 95)]

REPORT_RE = re.compile(
    rb"\A(?P<desc>[^\r\n]*)\r\nin Pelmorath2021/08/31\.Form1\.Form_Load at line 100\r\r"
    rb"Please email screenshot of this message to \S+\Z")
MSGBOX_TEXT_ID = 0xFFFF

VALID_SKIN = "[Window]\nBackground = #102030\n[Frame]\nBackground = #102030\nText = #FFFFFF\n"


def read_skin(text):
    """{(section, key): (r, g, b)} of a skin file written with the two colour forms."""
    colours, section = {}, None
    for line in text.splitlines():
        line = line.strip()
        if not line or line[0] in ";#":
            continue
        if line.startswith("["):
            section = line[1:-1].strip().lower()
            continue
        key, _, value = line.partition("=")
        value = value.strip()
        if value.startswith("#"):
            rgb = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        else:
            rgb = tuple(int(v) for v in value.split(","))
        colours[(section, key.strip().lower())] = rgb
    return colours


def near(a, b, tolerance=60):
    return sum(abs(x - y) for x, y in zip(a, b)) <= tolerance


class SkinTest(E2ETest):
    start_app = False

    # ----- helpers -----
    def start_with(self, name, make=None, exe=None):
        """A copy of the program (by default the shipped one) with make(skin_path) run beside it first; returns the
        app with its window up."""
        exe = self.exe_copy("skin-" + name, exe)
        if make:
            make(os.path.join(os.path.dirname(exe), "x", "o.cjs"))
        self.app = self.launch(exe)
        self.app.wait_main()
        return self.app

    @staticmethod
    def write(text):
        def make(path):
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", newline="") as f:
                f.write(text)
        return make

    def attrib(self, flag, text=VALID_SKIN):
        def make(path):
            self.write(text)(path)
            self.d.run(["wine", "attrib", flag, "Z:" + path.replace("/", "\\")])
        return make

    def shot(self):
        cl = self.app.info()["client"]
        width, _, data = self.d.screenshot()

        def px(x, y):
            i = ((cl[1] + y) * width + cl[0] + x) * 3
            return tuple(data[i:i + 3])
        return px

    def wait_pixels(self, points, colour, what, timeout=5):
        """Wait until every client point shows the colour; the window may still be painting."""
        seen = {}

        def ok():
            px = self.shot()
            seen.update({p: px(*p) for p in points})
            return all(seen[p] == colour for p in points)
        try:
            wait_until(ok, timeout, interval=0.1)
        except AssertionError:
            self.fail("%s: want %r, got %r" % (what, colour, seen))

    def count_near(self, px, box, colour):
        l, t, r, b = box
        return sum(1 for y in range(t, b) for x in range(l, r) if near(px(x, y), colour))

    def button_centre(self):
        cl = self.app.info()["client"]
        l, t, r, b = self.app.child(ID_BUTTON)["local"]
        return cl[0] + (l + r) // 2, cl[1] + (t + b) // 2

    def use_odd_button_face(self):
        self.use_system_colour("ButtonFace", ODD_BUTTON_FACE)

    def use_system_colour(self, name, rgb):
        """A system colour, for programs started from now to the end of the test."""
        saved = self.d.reg_query(COLORS_KEY, name)
        self.d.reg_set(COLORS_KEY, name, "%d %d %d" % rgb)
        if saved is not None:
            self.addCleanup(self.d.reg_set, COLORS_KEY, name, saved)
        else:
            self.addCleanup(self.d.run, ["wine", "reg", "delete", COLORS_KEY, "/v", name, "/f"], check=False)

    def park_pointer(self):
        """Off the window, so that the button is not hot."""
        self.d.move_pointer(5, 5)

    # ----- no skin -----
    def test_absent_hidden_system_or_folder_skin_leaves_the_window_white(self):
        cases = [
            ("none", None),
            ("no-file-in-x", lambda path: os.makedirs(os.path.dirname(path))),
            ("hidden", self.attrib("+h")),
            ("system", self.attrib("+s")),
            ("folder", lambda path: os.makedirs(path)),
        ]
        for name, make in cases:
            with self.subTest(case=name):
                self.start_with(name, make)
                self.park_pointer()
                self.wait_pixels(BACKGROUND + FRAME_INSIDE + FIELD_INSIDE, WHITE, "white window, frame and field")
                self.assertFalse(any(w["class"] == "#32770" for w in self.p("toplevels")["windows"]), "no report")
                self.app.close()

    # ----- the sample skins -----
    def check_skin(self, colours, focus_cue=True):
        px_bg = colours[("window", "background")]
        self.park_pointer()
        self.wait_pixels(BACKGROUND, px_bg, "window background")
        self.wait_pixels(FRAME_INSIDE, colours[("frame", "background")], "frame background")
        self.wait_pixels(FIELD_INSIDE, colours[("field", "background")], "field background")
        self.wait_pixels(BUTTON_FACE, colours[("button", "face")], "button face")
        px = self.shot()
        for name, box, colour in (("frame caption", FRAME_CAPTION, colours[("frame", "text")]),
                                  ("button caption", BUTTON_CAPTION, colours[("button", "text")])):
            self.assertGreater(self.count_near(px, box, colour), 30, "%s drawn in %r" % (name, colour))

        # the field takes typed text, drawn in the skin's text colour
        text1 = self.app.child(ID_TEXT)["hwnd"]
        self.d.key("End", "BackSpace")
        self.d.type("12")
        wait_until(lambda: self.p.text(text1) == "12", 3, what="Text1 to read 12")
        wait_until(lambda: self.count_near(self.shot(), FIELD_TEXT, colours[("field", "text")]) > 10, 3,
                   what="typed digits in the field's text colour")

        # hover and pressed faces
        self.d.move_pointer(*self.button_centre())
        self.wait_pixels(BUTTON_FACE, colours[("button", "hotface")], "hover face")
        self.d.xdotool("mousedown", 1)
        try:
            self.wait_pixels(BUTTON_FACE, colours[("button", "pressedface")], "pressed face")
        finally:
            # let go away from the button: no click
            self.d.move_pointer(5, 5)
            self.d.xdotool("mouseup", 1)
        self.assertEqual(self.app.button_text(), START_CAPTION, "letting go off the button is no click")
        self.wait_pixels(BUTTON_FACE, colours[("button", "face")], "plain face again")

        if focus_cue:
            # the focus cue shows when the keyboard brings the focus to the button, and Space still clicks it
            self.click_field()
            px = self.shot()
            self.assertTrue(all(px(*p) == colours[("button", "face")] for p in FOCUS_CUE), "no cue without focus")
            self.d.key("Tab")
            button = self.app.child(ID_BUTTON)["hwnd"]
            wait_until(lambda: self.p("gui", self.app.hwnd)["focus"] == button, 3, what="focus on the button")
            wait_until(lambda: any(self.shot()(*p) != colours[("button", "face")] for p in FOCUS_CUE), 3,
                       what="the focus cue on the button")
            self.d.key("space")
            wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="Space to start a run")
            self.wait_hidden_in_tray()
            self.wait_steering()
            self.d.key("ctrl+u")
            wait_until(lambda: self.app.button_text() == START_CAPTION and self.app.info()["visible"], 8,
                       what="Ctrl+U to end the run")

    def click_field(self):
        cl = self.app.info()["client"]
        self.d.click(cl[0] + 400, cl[1] + 40)
        text1 = self.app.child(ID_TEXT)["hwnd"]
        wait_until(lambda: self.p("gui", self.app.hwnd)["focus"] == text1, 3, what="focus in Text1")
        self.park_pointer()

    def test_each_sample_skin_colours_window_frame_field_and_button(self):
        samples = sorted(f[:-4] for f in os.listdir(SKINS_DIR) if f.endswith(".cjs"))
        self.assertTrue({"dark", "high-contrast"} <= set(samples), "dark and high-contrast samples: %r" % samples)
        for name in samples:
            with self.subTest(skin=name):
                with open(os.path.join(SKINS_DIR, name + ".cjs"), encoding="utf-8") as f:
                    text = f.read()
                colours = read_skin(text)
                face, btext = colours[("button", "face")], colours[("button", "text")]
                # faces the sample leaves to the engine are steps from the face towards the text
                for key, share in (("hotface", 0.15), ("pressedface", 0.30)):
                    colours.setdefault(("button", key),
                                       tuple(int(f + (t - f) * share + 0.5) for f, t in zip(face, btext)))
                self.start_with(name, self.write(text))
                self.settle_focus()
                self.check_skin(colours, focus_cue=name in ("dark", "high-contrast"))
                self.app.close()

    def test_read_only_skin_in_crlf_counts_and_unnamed_parts_keep_their_look(self):
        self.use_odd_button_face()
        text = "\ufeff; only the window\r\n[Window]\r\nBackground = 16, 32, 48\r\n"
        self.start_with("read-only", self.attrib("+r", text))
        self.park_pointer()
        self.wait_pixels(BACKGROUND, (16, 32, 48), "window background")
        self.wait_pixels(FRAME_INSIDE, ODD_BUTTON_FACE, "the frame keeps the system's button face")
        self.wait_pixels(FIELD_INSIDE, WHITE, "the field keeps its system colour")

    def test_skin_beside_a_program_in_a_folder_outside_the_ansi_code_page(self):
        # Cyrillic and CJK names, and a folder deeper than MAX_PATH.
        deep = os.path.join(*(["\u0433\u043b\u0443\u0431\u043e\u043a\u0430\u044f-\u043f\u0430\u043f\u043a\u0430"] * 16))
        for name in ("\u0421\u043a\u0438\u043d", "\u76ae\u80a4", deep):
            with self.subTest(folder=name[:40]):
                self.start_with(name, self.write(VALID_SKIN))
                self.park_pointer()
                self.wait_pixels(BACKGROUND, (16, 32, 48), "window background from the skin")
                self.app.close()

    # ----- high contrast -----
    def test_high_contrast_shows_the_system_colours_and_the_skin_comes_back_without_a_restart(self):
        # Wine cannot turn high contrast on: the test build reads it from a registry value instead, again on each
        # of the two messages Windows sends when it changes.
        self.use_system_colour("Window", ODD_WINDOW)
        self.addCleanup(self.d.run, ["wine", "reg", "delete", HIGH_CONTRAST_KEY, "/v", HIGH_CONTRAST_VALUE, "/f"],
                        check=False)
        with open(os.path.join(SKINS_DIR, "dark.cjs"), encoding="utf-8") as f:
            dark = f.read()
        skin = read_skin(dark)
        for name, make, plain in (
                ("no skin", None, {"window": WHITE, "frame": WHITE, "field": ODD_WINDOW, "button": None}),
                ("dark skin", self.write(dark), {"window": skin[("window", "background")],
                                                 "frame": skin[("frame", "background")],
                                                 "field": skin[("field", "background")],
                                                 "button": skin[("button", "face")]})):
            with self.subTest(case=name):
                self.d.reg_set(HIGH_CONTRAST_KEY, HIGH_CONTRAST_VALUE, "1")
                self.start_with("contrast-" + name.replace(" ", "-"), make, exe=Session.test_exe)
                try:
                    self.park_pointer()
                    self.check_high_contrast_look(True, plain, "on at the start")
                    for on, (message, wparam) in ((False, SETTING_CHANGE), (True, SETTING_CHANGE),
                                                  (False, SYSCOLOR_CHANGE), (True, SYSCOLOR_CHANGE)):
                        self.d.reg_set(HIGH_CONTRAST_KEY, HIGH_CONTRAST_VALUE, "1" if on else "0")
                        self.p("send", self.app.hwnd, message, wparam, 0)
                        self.check_high_contrast_look(on, plain,
                                                      "%s after message %#x" % ("on" if on else "off", message))
                finally:
                    self.app.close()  # a second start would only bring this one back

    def check_high_contrast_look(self, on, plain, when):
        if on:
            self.wait_pixels(BACKGROUND + FRAME_INSIDE + FIELD_INSIDE, ODD_WINDOW, "system window colour " + when)
        else:
            self.wait_pixels(BACKGROUND, plain["window"], "window background " + when)
            self.wait_pixels(FRAME_INSIDE, plain["frame"], "frame background " + when)
            self.wait_pixels(FIELD_INSIDE, plain["field"], "field background " + when)
        face = plain["button"]
        if face is not None:
            # In high contrast the button draws itself; under Wine's theme that is white, in no system colour.
            wait_until(lambda: all((self.shot()(*p) == face) != on for p in BUTTON_FACE), 5,
                       what="the skin's button face %s %s" % ("gone" if on else "back", when))

    # ----- an unusable file -----
    def test_unusable_skin_is_reported_at_line_100_and_leaves_button_face(self):
        self.use_odd_button_face()
        bad = "; broken\n[Window]\n\n\n\n\nBackground = #12345\n"
        exe = self.exe_copy("skin-unusable")
        self.write(bad)(os.path.join(os.path.dirname(exe), "x", "o.cjs"))
        self.app = self.launch(exe)

        def box():
            for w in self.p("toplevels")["windows"]:
                if w["class"] == "#32770" and w["visible"] and w["text"] == "Application Error":
                    return w
            if self.app.proc.poll() is not None:
                raise AssertionError("program exited (code %s) without a report" % self.app.proc.returncode)
            return None
        report = wait_until(box, 15, what="the Application Error box")
        main = self.p.find(MAIN_CLASS)
        self.assertFalse(main and self.p.info(main)["visible"], "main window shown before the report")
        kids = self.p.children(report["hwnd"])
        raw = [c for c in kids if c["id"] == MSGBOX_TEXT_ID][0]["text"].encode("latin-1")
        m = REPORT_RE.match(raw)
        self.assertIsNotNone(m, "report text %r" % raw)
        self.assertEqual(m.group("desc"), b'Skin file line 7: "#12345" is not a colour')

        ok = [c for c in kids if c["class"].lower() == "button" and c["visible"]][0]["client"]
        self.d.click((ok[0] + ok[2]) // 2, (ok[1] + ok[3]) // 2)
        self.app.wait_main()
        self.park_pointer()
        self.wait_pixels(BACKGROUND + FRAME_INSIDE, ODD_BUTTON_FACE, "window and frame in the system's button face")
        self.wait_pixels(FIELD_INSIDE, WHITE, "a white field")
