"""HAND-M.CUR beside the exe: the start-up error report for unloadable files, the custom pointer over the button."""

import os
import re
import sys

from harness import APP_TITLE_CLASS, E2ETest, ID_BUTTON, MAIN_CAPTION, MAIN_CLASS, ROOT, wait_until

sys.path.insert(0, os.path.join(ROOT, "res"))
from cursor_format import Image, crafted_cursor_file, cursor_file, png_image, two_colour_image  # noqa: E402

REPORT_RE = re.compile(
    rb"\A(?P<desc>[^\r\n]*)\r\nin Pelmorath2021/08/31\.Form1\.Form_Load at line 106\r\r"
    rb"Please email screenshot of this message to support@pelmorath\.example\Z")
MSGBOX_TEXT_ID = 0xFFFF
SS_TYPEMASK, SS_ICON = 0x1F, 0x3
IDOK = 1

HOT = (9, 13)
SIZE = 32


def cross_pixel(x, y):
    """The test pointer: a black diagonal cross with a white square in the middle; None = transparent."""
    if 13 <= x <= 18 and 13 <= y <= 18:
        return "white"
    if 2 <= x <= 29 and 2 <= y <= 29 and (abs(x - y) <= 1 or abs(x + y - 31) <= 1):
        return "black"
    return None


def cross_rows():
    return [[cross_pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]


def make_cursor_file():
    """A real .cur: one 32x32 1-bit image with its AND mask, and the hot spot."""
    return cursor_file([Image(SIZE, SIZE, *HOT, two_colour_image(cross_rows()), colours=2)])


def make_png_cursor_file():
    """The same cross as a .cur whose one image is a 32x32 RGBA PNG."""
    rgba = {None: b"\0\0\0\0", "black": b"\0\0\0\xff", "white": b"\xff\xff\xff\xff"}
    rows = [b"".join(rgba[pixel] for pixel in row) for row in cross_rows()]
    return cursor_file([Image(SIZE, SIZE, *HOT, png_image(SIZE, SIZE, rows))])


def shows_cross(img):
    w, h, xh, yh, pixels = img
    if (w, h, xh, yh) != (SIZE, SIZE, HOT[0], HOT[1]):
        return False
    for y in range(h):
        for x in range(w):
            argb = pixels[y * w + x]
            want = cross_pixel(x, y)
            alpha, rgb = argb >> 24, argb & 0xFFFFFF
            if want is None and alpha != 0:
                return False
            if want == "black" and (alpha != 0xFF or rgb != 0):
                return False
            if want == "white" and (alpha != 0xFF or rgb != 0xFFFFFF):
                return False
    return True


class PointerFileReportTest(E2ETest):
    start_app = False

    def wait_report(self, app):
        def box():
            for w in self.p("toplevels")["windows"]:
                if w["class"] == "#32770" and w["visible"] and w["text"] == "Application Error":
                    return w
            if app.proc.poll() is not None:
                raise AssertionError("program exited (code %s) without a report" % app.proc.returncode)
            return None
        return wait_until(box, 15, what="the Application Error box")

    def test_unloadable_pointer_file_is_reported_and_start_up_goes_on(self):
        cases = [
            ("folder", lambda path: os.mkdir(path), None),
            ("garbage", lambda path: open(path, "wb").write(b"this is no cursor\r\n" * 20), b"Invalid picture"),
            ("empty", lambda path: open(path, "wb").close(), None),
            ("crafted", lambda path: open(path, "wb").write(crafted_cursor_file()), b"Invalid picture"),
            ("oversized", lambda path: open(path, "wb").write(make_cursor_file() + bytes(5 << 20)), b"Invalid picture"),
        ]
        for name, make, first_line in cases:
            with self.subTest(file=name):
                exe = self.exe_copy("report-" + name)
                make(os.path.join(os.path.dirname(exe), "HAND-M.CUR"))
                app = self.launch(exe)
                box = self.wait_report(app)
                main = self.p.find(MAIN_CLASS)
                self.assertFalse(main and self.p.info(main)["visible"], "main window shown before the report")

                kids = self.p.children(box["hwnd"])
                texts = [c for c in kids if c["id"] == MSGBOX_TEXT_ID]
                self.assertEqual(len(texts), 1, "message text control")
                raw = texts[0]["text"].encode("latin-1")
                m = REPORT_RE.match(raw)
                self.assertIsNotNone(m, "report text %r" % raw)
                if first_line is not None:
                    self.assertEqual(m.group("desc"), first_line)
                else:
                    self.assertTrue(m.group("desc").strip(), "a description of the failure on the first line")
                buttons = [c for c in kids if c["class"].lower() == "button" and c["visible"]]
                self.assertEqual([b["text"] for b in buttons], ["OK"], "one OK button")
                self.assertTrue(any(c["class"].lower() == "static" and c["style"] & SS_TYPEMASK == SS_ICON
                                    for c in kids), "an icon in the box")

                ok = buttons[0]["client"]
                self.d.click((ok[0] + ok[2]) // 2, (ok[1] + ok[3]) // 2)
                hwnd = app.wait_main()
                self.assertEqual(self.p.info(hwnd)["text"], MAIN_CAPTION)
                self.assertFalse(any(w["class"] == "#32770" and w["visible"] for w in self.p("toplevels")["windows"]),
                                 "the box is gone")
                app.close()


class PointerFileHoverTest(E2ETest):
    start_app = False

    def cursor_at(self, x, y, want, what):
        """Move the pointer there as a person would and wait until the X cursor satisfies want()."""
        self.d.move_pointer(x, y)
        return wait_until(lambda: (lambda img: img if want(img) else None)(self.d.cursor_image()), 3,
                          what="the pointer over the %s" % what)

    def test_pointer_file_shows_over_the_button_only(self):
        for kind, make in (("bitmap", make_cursor_file), ("png", make_png_cursor_file)):
            with self.subTest(image=kind):
                self.hover_over_the_window(self.exe_copy("hover-" + kind), make())

    def test_pointer_file_beside_a_program_in_any_folder(self):
        # Cyrillic and CJK names are outside the ANSI code page; the deep one is longer than MAX_PATH.
        deep = os.path.join(*(["\u0433\u043b\u0443\u0431\u043e\u043a\u0430\u044f-\u043f\u0430\u043f\u043a\u0430"] * 16))
        for name in ("\u0423\u043a\u0430\u0437\u0430\u0442\u0435\u043b\u044c", "\u6307\u9488", deep):
            with self.subTest(folder=name[:40]):
                exe = self.exe_copy(name)
                self.assertTrue(len(exe) > 260 or name != deep, "the deep folder is longer than MAX_PATH")
                self.hover_over_the_window(exe, make_cursor_file())

    def hover_over_the_window(self, exe, cursor_file):
        with open(os.path.join(os.path.dirname(exe), "HAND-M.CUR"), "wb") as f:
            f.write(cursor_file)
        self.app = self.launch(exe)
        self.app.wait_main()
        # The application's title window is the start-up's last step, after the show: a report comes before it, or
        # instead of it.
        pid = self.app.info()["pid"]
        wait_until(lambda: any(w["class"] == "#32770" or (w["class"] == APP_TITLE_CLASS and w["pid"] == pid)
                               for w in self.p("toplevels")["windows"]), 5, what="the end of the start-up")
        self.assertFalse(any(w["class"] == "#32770" for w in self.p("toplevels")["windows"]),
                         "a valid pointer file gives no report")
        cl = self.app.info()["client"]
        background = (cl[0] + 3, cl[1] + 67)
        frame = (cl[0] + 300, cl[1] + 57)          # inside Frame1, below Text1
        bl, bt, br, bb = self.app.child(ID_BUTTON)["local"]
        button = (cl[0] + (bl + br) // 2, cl[1] + (bt + bb) // 2)

        # The button first: the X cursor still shows whatever the pointer was over before the move until Wine has
        # seen the motion, so the arrow is taken only as the image that replaces the pointer file's picture.
        self.cursor_at(*button, shows_cross, "button: the pointer file's picture with its hot spot")
        arrow = self.cursor_at(*background, lambda img: not shows_cross(img), "window background")
        self.cursor_at(*button, shows_cross, "button again")
        self.cursor_at(*frame, lambda img: img == arrow, "frame: the arrow again")
        self.cursor_at(*button, shows_cross, "button once more")
        self.cursor_at(*background, lambda img: img == arrow, "background: the arrow again")
        self.app.close()
