"""Harness of the end-to-end tests: a private Wine desktop, the probe, xdotool, the app under test."""

import glob
import json
import os
import queue
import re
import shutil
import signal
import subprocess
import threading
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
WINEDESK = os.path.join(ROOT, "scripts", "lib", "winedesk.sh")
TOOLS_DIR = os.path.join(ROOT, "build", "e2e-tools")

MAIN_CLASS = "PelmorathForm1"
MAIN_CAPTION = "Pelmorath Software"
APP_TITLE_CLASS = "PelmorathApplication"
START_CAPTION = "Start Running (Press Ctrl + Alt + U To Bring This Window Back)"
STOP_CAPTION = "Stop Running (Press Ctrl + Alt + U To Bring This Window Back)"
ID_FRAME, ID_TEXT, ID_BUTTON = 1001, 1002, 1003
TRAY_CONTROL_CLASS = "PelmorathSysTray"
TRAY_CALLBACK = 1125              # the tray icon's callback message
NIN_BALLOONTIMEOUT = 0x404
TRAY_ICON = (1013, 758)           # the first tray icon on a 1024x768 virtual desktop
SETTINGS_KEY = r"HKCU\Software\Quendrix\Pelmorath Software"
SETTINGS_VALUE = "Text1"

# xdotool raw keycodes of the keypad (names like KP_4 toggle Num Lock around the key).
KEYCODE = {"kp4": 83, "kp6": 85, "kp8": 80, "kp2": 88, "kp5": 84, "numlock": 77}


class HarnessError(Exception):
    pass


def wait_until(fn, timeout=5.0, interval=0.02, what="condition"):
    """Poll fn() until it returns something truthy; return it, or raise after timeout."""
    end = time.monotonic() + timeout
    while True:
        value = fn()
        if value:
            return value
        if time.monotonic() >= end:
            raise AssertionError("timed out after %.1fs waiting for %s" % (timeout, what))
        time.sleep(interval)


def _newer(target, *sources):
    return os.path.exists(target) and all(os.path.getmtime(target) >= os.path.getmtime(s) for s in sources)


def build_xcursor_tool():
    """The XFixes reader is a native program; build it once into build/e2e-tools."""
    src = os.path.join(HERE, "tools", "xcursor.c")
    out = os.path.join(TOOLS_DIR, "xcursor")
    if not _newer(out, src):
        os.makedirs(TOOLS_DIR, exist_ok=True)
        subprocess.run(["cc", "-O2", "-o", out + ".tmp", src, "-lX11", "-lXfixes"], check=True)
        os.replace(out + ".tmp", out)
    return out


def build_in_thread_hook():
    """The hook DLL through which the probe sends messages from inside a program's own thread; returns its path as
    a Windows program sees it."""
    src = os.path.join(HERE, "tools", "in_thread_hook.cpp")
    out = os.path.join(TOOLS_DIR, "in_thread_hook.dll")
    if not _newer(out, src):
        os.makedirs(TOOLS_DIR, exist_ok=True)
        # --kill-at: exported as CallWndProc, without the stdcall decoration
        subprocess.run(["i686-w64-mingw32-g++-posix", "-std=c++20", "-O2", "-shared", "-static", "-Wl,--kill-at",
                        "-o", out + ".tmp", src, "-lgdi32"], check=True)
        os.replace(out + ".tmp", out)
    return "Z:" + out.replace("/", "\\")


def find_probe(build_dir):
    """The probe built by the win32 CMake build, or one compiled here when that build has none; a probe older than
    any of its files is passed over or compiled again."""
    # winprobe.cpp holds main and the command table, each probe_*.cpp one concern, the probe_*.h what they share.
    tools = os.path.join(HERE, "tools")
    srcs = [os.path.join(tools, "winprobe.cpp")] + sorted(glob.glob(os.path.join(tools, "probe_*.cpp")))
    inputs = srcs + sorted(glob.glob(os.path.join(tools, "probe_*.h")))
    for cand in (os.path.join(build_dir, "tests", "e2e", "winprobe.exe"), os.path.join(build_dir, "winprobe.exe")):
        if _newer(cand, *inputs):
            return cand
    out = os.path.join(TOOLS_DIR, "winprobe.exe")
    if not _newer(out, *inputs):
        os.makedirs(TOOLS_DIR, exist_ok=True)
        subprocess.run(["i686-w64-mingw32-g++-posix", "-std=c++20", "-O2", "-static", "-o", out + ".tmp", *srcs,
                        "-lgdi32", "-luser32", "-ladvapi32", "-lshell32"], check=True)
        os.replace(out + ".tmp", out)
    return out


class Desktop:
    """One private Xvfb + wineserver + prefix (scripts/lib/winedesk.sh), shared by the tests of a run."""

    def __init__(self):
        self.env = None
        self.dir = None

    def start(self):
        script = 'source "$1" && winedesk_start && winedesk_env'
        proc = subprocess.run(["bash", "-c", script, "winedesk", WINEDESK], stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=180)
        if proc.returncode != 0:
            raise HarnessError("winedesk_start failed:\n" + proc.stderr)
        env = dict(os.environ)
        for line in proc.stdout.splitlines():
            name, _, value = line.partition("=")
            env[name] = value
        self.env = env
        self.dir = env["WINEDESK_DIR"]

    def stop(self):
        if not self.dir:
            return
        subprocess.run(["bash", "-c", 'source "$1" && winedesk_stop "$2"', "winedesk", WINEDESK, self.dir],
                       stdin=subprocess.DEVNULL, timeout=60)
        self.dir = None

    def run(self, args, timeout=30, check=True, **kw):
        return subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=timeout, check=check, **kw)

    # ----- registry, through Wine's own reg tool -----
    def reg_query(self, key, value):
        """The REG_SZ data of a value, or None when it does not exist."""
        p = self.run(["wine", "reg", "query", key, "/v", value], check=False)
        out = p.stdout.decode("latin-1").replace("\r", "")
        for line in out.split("\n"):
            m = re.match(r"^\s+(.*?)\s{4}(REG_\w+)\s{4}(.*)$", line) or re.match(r"^\s+(.*?)\s{4}(REG_\w+)$", line)
            if m and m.group(1) == value:
                return m.group(3) if m.lastindex >= 3 else ""
        return None

    def reg_set(self, key, value, data):
        self.run(["wine", "reg", "add", key, "/v", value, "/d", data, "/f"])

    def reg_delete_key(self, key):
        self.run(["wine", "reg", "delete", key, "/f"], check=False)

    # ----- X side -----
    def xdotool(self, *args):
        self.run(["xdotool"] + [str(a) for a in args], timeout=20)

    def key(self, *keys, delay=30):
        self.xdotool("key", "--delay", delay, *keys)

    def type(self, text, delay=30):
        self.xdotool("type", "--delay", delay, "--", text)

    def mouse_location(self):
        out = self.run(["xdotool", "getmouselocation"]).stdout.decode()
        m = re.search(r"x:(-?\d+) y:(-?\d+)", out)
        return int(m.group(1)), int(m.group(2))

    def move_pointer(self, x, y):
        """Move the X pointer (a real motion, as from a mouse) and wait until it is there."""
        # not --sync: it waits for a motion event that may never come when Wine warps the pointer
        self.xdotool("mousemove", x, y)
        wait_until(lambda: self.mouse_location() == (x, y), 2, what="the pointer at (%d,%d)" % (x, y))

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        time.sleep(0.05)
        self.xdotool("click", button)

    def cursor_image(self):
        """(width, height, xhot, yhot, pixels) of the X cursor shown now."""
        out = self.run([build_xcursor_tool()]).stdout.decode().split()
        w, h, xh, yh = (int(v) for v in out[:4])
        return w, h, xh, yh, tuple(int(v, 16) for v in out[5:])

    def screenshot(self):
        """The root window as (width, height, RGB bytes)."""
        p = self.run(["import", "-window", "root", "-depth", "8", "rgb:-"])
        data = p.stdout
        w, h = 1024, 768
        if len(data) != w * h * 3:
            raise HarnessError("unexpected screenshot size %d" % len(data))
        return w, h, data


class Probe:
    """The Win32 console probe, kept running in the desktop; one JSON answer per command."""

    def __init__(self, desktop, exe):
        self.proc = subprocess.Popen(["wine", exe], env=desktop.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
        self.lines = queue.Queue()
        threading.Thread(target=self._reader, daemon=True).start()

    def _reader(self):
        for raw in self.proc.stdout:
            self.lines.put(raw)
        self.lines.put(None)

    def __call__(self, *fields, timeout=15):
        line = "\t".join(str(f) for f in fields) + "\n"
        self.proc.stdin.write(line.encode("latin-1"))
        self.proc.stdin.flush()
        try:
            raw = self.lines.get(timeout=timeout)
        except queue.Empty:
            raise HarnessError("probe gave no answer to %r" % (fields,))
        if raw is None:
            raise HarnessError("probe ended")
        answer = json.loads(raw.decode("latin-1").strip())
        if not answer.get("ok"):
            raise HarnessError("probe %r: %s" % (fields, answer.get("error")))
        return answer

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write(b"quit\n")
                self.proc.stdin.close()
                self.proc.wait(5)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()

    # ----- conveniences -----
    def find(self, cls, title=""):
        return self("find", cls, title)["hwnd"]

    def info(self, hwnd):
        return self("info", hwnd)["window"]

    def text(self, hwnd):
        return self("text", hwnd)["text"]

    def cursor(self):
        a = self("cursor")
        return a["x"], a["y"]

    def children(self, hwnd):
        return self("children", hwnd)["children"]

    def set_cursor_stable(self, x, y, settle=0.15, timeout=3.0):
        """Place the pointer and make sure it stays put (late X motion can move it back)."""
        end = time.monotonic() + timeout
        while True:
            self("setcursor", x, y)
            time.sleep(settle)
            if self.cursor() == (x, y):
                time.sleep(settle)
                if self.cursor() == (x, y):
                    return
            if time.monotonic() > end:
                raise AssertionError("pointer does not stay at (%d,%d), is at %r" % (x, y, self.cursor()))


class App:
    """One start of the program under test."""

    def __init__(self, desktop, probe, exe, args=(), env=None):
        self.desktop, self.probe, self.exe = desktop, probe, exe
        self.proc = subprocess.Popen(["wine", exe, *args], env=dict(desktop.env, **(env or {})), cwd=os.path.dirname(exe),
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.hwnd = 0

    def wait_main(self, timeout=15, visible=True):
        def ready():
            h = self.probe.find(MAIN_CLASS)
            if h and (not visible or self.probe.info(h)["visible"]):
                return h
            if self.proc.poll() is not None:
                raise AssertionError("program exited with code %s before its window appeared" % self.proc.returncode)
            return 0
        self.hwnd = wait_until(ready, timeout, what="the main window")
        return self.hwnd

    def child(self, ctl_id):
        for c in self.probe.children(self.hwnd):
            if c["id"] == ctl_id and c["parent"] == self.hwnd:
                return c
        raise AssertionError("no child window with id %d" % ctl_id)

    def info(self):
        return self.probe.info(self.hwnd)

    def send_dpi_changed(self, dpi):
        """WM_DPICHANGED for dpi with the rectangle Windows suggests, sent from inside the program's own thread."""
        self.probe("dpichanged", self.hwnd, dpi, build_in_thread_hook())

    def button_text(self):
        return self.probe.text(self.child(ID_BUTTON)["hwnd"])

    def dialogs(self):
        return [d for d in self.probe("dialogs", 0)["dialogs"] if d["pid"] == self._win_pid()]

    def _win_pid(self):
        # Windows pid of the program: owner of its windows (Linux and Windows pids differ).
        for w in self.probe("toplevels")["windows"]:
            if w["class"] in (MAIN_CLASS, APP_TITLE_CLASS):
                return w["pid"]
        return None

    def tray_control(self):
        """The tray control's hidden child window: it owns the icon."""
        for c in self.probe.children(self.hwnd):
            if c["class"] == TRAY_CONTROL_CLASS:
                return c["hwnd"]
        raise AssertionError("no tray control window")

    def end_balloon_wait(self):
        """Report the balloon as timed out, as Windows does and Wine never does: the 5 s wait of the first
        minimise ends at once. Posted, so that it is only seen inside the wait."""
        self.probe("post", self.tray_control(), TRAY_CALLBACK, 0, NIN_BALLOONTIMEOUT)

    def close(self):
        if self.proc.poll() is None:
            try:
                h = self.probe.find(MAIN_CLASS)
                if h:
                    self.probe("close", h)
            except HarnessError:
                pass
            try:
                # a run loop still on the stack may keep it alive: then end it by pid
                self.proc.wait(2)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)


class Session:
    """What the tests share: desktop, probe and where the exe is."""
    desktop = None
    probe = None
    exe = None
    test_exe = None        # the test build: the program with its test-only switches
    build_dir = None

    @classmethod
    def open(cls, exe, build_dir, test_exe=None):
        cls.exe, cls.build_dir, cls.test_exe = exe, build_dir, test_exe
        probe_exe = find_probe(build_dir)
        build_xcursor_tool()
        cls.desktop = Desktop()
        cls.desktop.start()
        cls.probe = Probe(cls.desktop, probe_exe)
        cls.probe("screen")

    @classmethod
    def close(cls):
        if cls.probe:
            cls.probe.stop()
            cls.probe = None
        if cls.desktop:
            cls.desktop.stop()
            cls.desktop = None


class PerTestTimeout(Exception):
    pass


class E2ETest(unittest.TestCase):
    """Base: a fresh start of the program per test, closed afterwards whatever happened."""
    per_test_timeout = 60
    start_app = True       # False: the test starts the program itself (files beside it, dialogs)
    app = None             # the program under test, once started

    def setUp(self):
        if Session.desktop is None:
            self.skipTest("no desktop")
        self.d, self.p = Session.desktop, Session.probe
        self._apps = []
        signal.signal(signal.SIGALRM, self._timeout)
        signal.alarm(self.per_test_timeout)
        self.addCleanup(signal.alarm, 0)
        self.addCleanup(self._release_keys)
        self.addCleanup(self._close_apps)
        if self.start_app:
            self.app = self.launch()
            self.app.wait_main()
            self.settle_focus()

    def _timeout(self, signum, frame):
        raise PerTestTimeout("test ran longer than %ds" % self.per_test_timeout)

    def _release_keys(self):
        # a test that stopped between a key press and its release must not leave the key held
        self.d.xdotool("keyup", "shift", "ctrl", "alt", "Left", "Right", "Up", "Down", "u",
                       *[KEYCODE[k] for k in ("kp4", "kp6", "kp8", "kp2", "kp5")])

    def _close_apps(self):
        for a in self._apps:
            a.close()

    def launch(self, exe=None, args=(), env=None):
        if not exe and not os.path.isfile(Session.exe):
            raise AssertionError("program not built: %s" % Session.exe)
        app = App(self.d, self.p, exe or Session.exe, args, env)
        self._apps.append(app)
        return app

    def exe_copy(self, name, exe=None):
        """A folder of its own for this test with a copy of the exe (by default the shipped program); returns the
        exe path."""
        source = exe or Session.exe
        if not os.path.isfile(source):
            raise AssertionError("program not built: %s" % source)
        folder = os.path.join(self.d.dir, "apps", name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        dst = os.path.join(folder, os.path.basename(source))
        shutil.copy2(source, dst)
        return dst

    def open_notepad(self, rect=(560, 20, 440, 240)):
        """Another program for keys to go to: notepad at rect (by default away from where the pointer works),
        ended with the test or by the returned function. Returns (notepad window, its edit child, end)."""
        notepad = subprocess.Popen(["wine", "notepad"], env=self.d.env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def end():
            if notepad.poll() is None:
                notepad.kill()
                notepad.wait(5)
        self.addCleanup(end)
        np = wait_until(lambda: self.p.find("Notepad"), 10, what="notepad")
        self.p("move", np, *rect)
        edit = [c for c in self.p.children(np) if c["class"].lower() == "edit"][0]
        return np, edit, end

    def launch_losing_hook(self):
        """The test build with its switch that makes the keyboard hook vanish at the third key event of every run, as
        Windows removes a hook it found too slow, without telling the program; shown, in the foreground."""
        if not os.path.isfile(Session.test_exe or ""):
            raise AssertionError("test build not built: %s" % Session.test_exe)
        if self.app:
            self.app.close()
        self.app = self.launch(exe=Session.test_exe, args=["/lose-hook-for-test"])
        self.app.wait_main()
        self.settle_focus()

    def start_run_without_keys(self):
        """A run started as start_run does, but shown to steer by no key: each would count towards the hook's loss."""
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the stop caption")
        self.wait_hidden_in_tray()

    def balloons(self, text):
        """The visible balloon windows showing text. A request while a balloon shows replaces its window, so a new
        window is a new request."""
        return {w["hwnd"] for w in self.p("toplevels")["windows"]
                if w["class"] == "tooltips_class32" and w["visible"] and w["text"] == text}

    def settle_focus(self, timeout=5):
        """Wait until the main window is the foreground window (keys typed go to it)."""
        wait_until(lambda: self.p("gui", self.app.hwnd)["foreground"] == self.app.hwnd, timeout,
                   what="the main window to be in the foreground")

    # ----- run helpers shared by several test files -----
    def client_point(self, rect_local, fx=0.5, fy=0.5):
        """Screen point inside a child rect given in client coords of the main window."""
        cl = self.app.info()["client"]
        l, t, r, b = rect_local
        return cl[0] + int(l + (r - l) * fx), cl[1] + int(t + (b - t) * fy)

    def click_button(self):
        btn = self.app.child(ID_BUTTON)
        x, y = self.client_point(btn["local"])
        self.d.click(x, y)

    def start_run(self):
        self.click_button()
        wait_until(lambda: self.app.button_text() == STOP_CAPTION, 5, what="the stop caption")
        self.wait_hidden_in_tray()
        # The hook goes in after the minimise returns; a probe tap shows when it steers.
        self.wait_steering()

    def wait_hidden_in_tray(self, end_balloon_wait=True):
        """The minimised window hides into the tray; the balloon wait of a first minimise is cut short."""
        wait_until(lambda: not self.app.info()["visible"], 5, what="the window to hide into the tray")
        if end_balloon_wait:
            self.app.end_balloon_wait()

    def wait_steering(self, timeout=8):
        """Tap Right/Left until the pointer moves (the hook is in), leaving it where it was."""
        self.p.set_cursor_stable(300, 300)

        def moved():
            self.d.key("Right")
            time.sleep(0.1)
            return self.p.cursor() != (300, 300)
        wait_until(moved, timeout, interval=0.1, what="steering to start")
        self.p.set_cursor_stable(300, 300)
