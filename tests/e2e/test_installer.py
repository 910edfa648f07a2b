"""The MSI: a silent per-user install that runs, its uninstall entry, an uninstall without a trace, upgrades."""

import glob
import os
import re
import subprocess

from harness import E2ETest, MAIN_CAPTION, MAIN_CLASS, ROOT, SETTINGS_KEY, SETTINGS_VALUE, Session, wait_until

UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall"
_built = {}


def build_msi(version=None):
    """The MSI of the project's version, or one stamped with another version; built once per run."""
    if version not in _built:
        args = [os.path.join(ROOT, "scripts", "package.sh")] + (["--msi-version", version] if version else [])
        out = subprocess.run(args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             text=True, timeout=200, check=True)
        _built[version] = out.stdout.strip().splitlines()[-1]
    return _built[version]


def packed(guid):
    """A product code as Windows Installer keys its registry entries: each part's hex digits reversed, by pairs
    swapped in the last two parts."""
    parts = guid.strip("{}").split("-")
    head = "".join(p[::-1] for p in parts[:3])
    tail = "".join(p[i + 1] + p[i] for p in parts[3:] for i in range(0, len(p), 2))
    return head + tail


def msi_property(msi, name):
    out = subprocess.run(["msiinfo", "export", msi, "Property"], stdout=subprocess.PIPE, text=True, check=True)
    return dict(line.split("\t", 1) for line in out.stdout.splitlines() if "\t" in line)[name]


class InstallerTest(E2ETest):
    start_app = False
    per_test_timeout = 420

    def setUp(self):
        super().setUp()
        self.version = open(os.path.join(Session.build_dir, "version.txt")).read().strip()
        self.msi = build_msi()
        self.addCleanup(self._uninstall_everything)

    # ----- Wine side -----
    def unix_path(self, windows_path):
        return self.d.run(["winepath", "-u", windows_path]).stdout.decode().strip()

    def folder_of(self, variable):
        return self.d.run(["wine", "cmd", "/c", "echo", "%" + variable + "%"]).stdout.decode().strip()

    def msiexec(self, *args):
        """msiexec's exit code and its log (the messages a user would have been shown)."""
        log = os.path.join(self.d.dir, "msiexec.log")
        if os.path.exists(log):
            os.remove(log)
        p = self.d.run(["wine", "msiexec", *args, "/qn", "/l*", "Z:" + log.replace("/", "\\")], timeout=180,
                       check=False)
        data = open(log, "rb").read() if os.path.exists(log) else b""
        text = data.decode("utf-16" if data.startswith(b"\xff\xfe") else "latin-1", errors="replace")
        return p.returncode, text

    def install(self, msi):
        return self.msiexec("/i", "Z:" + msi.replace("/", "\\"))

    def uninstall_entries(self):
        """{product code: {value: data}} of every uninstall entry named Pelmorath, per user or per machine."""
        entries = {}
        for root in ("HKCU", "HKLM"):
            out = self.d.run(["wine", "reg", "query", root + "\\" + UNINSTALL_KEY, "/s"], check=False)
            key, values = None, {}
            for line in out.stdout.decode("latin-1").replace("\r", "").split("\n") + [""]:
                m = re.match(r"^\s+(.*?)\s{4}(REG_\w+)\s{4}(.*)$", line)
                if m:
                    values[m.group(1)] = m.group(3)
                    continue
                if line.startswith("HKEY_") or not line:
                    if key and values.get("DisplayName") == "Pelmorath":
                        entries[key.rsplit("\\", 1)[-1]] = values
                    if line:
                        key, values = line, {}
        return entries

    def _uninstall_everything(self):
        # The tests share one prefix: leave it as it was found.
        for code in self.uninstall_entries():
            self.msiexec("/x", code)

    def installed_paths(self):
        folder = self.unix_path(self.folder_of("LOCALAPPDATA") + r"\Programs\Pelmorath")
        shortcut = self.unix_path(self.folder_of("APPDATA") + r"\Microsoft\Windows\Start Menu\Programs\Pelmorath.lnk")
        return folder, shortcut

    def assert_runs(self, exe):
        """Starts the installed program and leaves it running."""
        app = self.launch(exe)
        app.wait_main()
        self.assertEqual(self.p.text(app.hwnd), MAIN_CAPTION)
        self.assertEqual(app.dialogs(), [], "an error report at start-up")
        return app

    def assert_closed_cleanly(self, app, log):
        """The installer asked the running program to close before its files went, and it ended as when closed."""
        try:
            code = app.proc.wait(10)
        except subprocess.TimeoutExpired:
            said = "\n".join(line for line in log.splitlines() if "Close" in line or "close" in line)
            raise AssertionError("the running program was left without its files:\n" + said)
        self.assertEqual(code, 0)
        # The server drops a dead process's windows a moment later; a copy started before would only bring it back.
        wait_until(lambda: not self.p.find(MAIN_CLASS), 5, what="the closed program's window to go")

    # ----- the tests -----
    def test_silent_install_runs_and_silent_uninstall_leaves_only_the_step_value(self):
        code, log = self.install(self.msi)
        self.assertEqual(code, 0, log[-2000:])
        folder, shortcut = self.installed_paths()
        exe = os.path.join(folder, "Pelmorath.exe")
        self.assertTrue(os.path.isfile(exe), "no Pelmorath.exe in %LOCALAPPDATA%\\Programs\\Pelmorath")
        # What the zip holds, and nothing made active: no skin in x, no pointer beside the program.
        installed = {os.path.relpath(os.path.join(d, f), folder).replace(os.sep, "/")
                     for d, _, files in os.walk(folder) for f in files}
        skins = {"samples/skins/" + os.path.basename(p) for p in glob.glob(os.path.join(ROOT, "skins", "*.cjs"))}
        self.assertEqual(installed, {"Pelmorath.exe", "README.txt", "samples/HAND-M.CUR"} | skins)
        self.assertTrue(os.path.isfile(shortcut), "no Pelmorath shortcut in the Start menu")
        link = open(shortcut, "rb").read().lower()
        target = (self.folder_of("LOCALAPPDATA") + r"\Programs\Pelmorath\Pelmorath.exe").lower()
        self.assertTrue(target.encode("latin-1") in link or target.encode("utf-16-le") in link,
                        "the shortcut does not lead to the installed program")
        running = self.assert_runs(exe)

        entries = self.uninstall_entries()
        product = msi_property(self.msi, "ProductCode")
        self.assertEqual(list(entries), [product])
        entry = entries[product]
        self.assertEqual((entry.get("DisplayVersion"), entry.get("Publisher")), (self.version, "Quendrix"))
        # Windows' list of installed apps takes an MSI product's icon from where the installer keeps it (Wine writes
        # no DisplayIcon beside the name).
        icon = self.d.reg_query("HKCU\\Software\\Microsoft\\Installer\\Products\\" + packed(product), "ProductIcon")
        self.assertTrue(icon and os.path.isfile(self.unix_path(icon)), "no icon for the uninstall entry: %r" % icon)

        # The user's step value, as the program writes it, is theirs: the uninstall leaves it.
        self.d.reg_set(SETTINGS_KEY, SETTINGS_VALUE, "17")
        code, log = self.msiexec("/x", product)
        self.assertEqual(code, 0, log[-2000:])
        self.assert_closed_cleanly(running, log)
        self.assertFalse(os.path.exists(folder), "the program's folder is left after the uninstall")
        self.assertFalse(os.path.exists(shortcut), "the Start-menu shortcut is left after the uninstall")
        self.assertEqual(self.uninstall_entries(), {})
        self.assertEqual(self.d.reg_query(SETTINGS_KEY, SETTINGS_VALUE), "17")

    def test_a_newer_version_replaces_the_installed_one_and_an_older_one_is_refused(self):
        parts = self.version.split(".")
        newer = ".".join(parts[:-1] + [str(int(parts[-1]) + 1)])
        newer_msi = build_msi(newer)
        self.assertEqual(self.install(self.msi)[0], 0)
        folder, _ = self.installed_paths()
        running = self.assert_runs(os.path.join(folder, "Pelmorath.exe"))
        code, log = self.install(newer_msi)
        self.assertEqual(code, 0, log[-2000:])
        self.assert_closed_cleanly(running, log)
        entries = self.uninstall_entries()
        self.assertEqual([e.get("DisplayVersion") for e in entries.values()], [newer], "not one copy, the newer")
        running = self.assert_runs(os.path.join(folder, "Pelmorath.exe"))

        # With the basic interface, as a double click starts it, the refusal is a message the user reads.
        msiexec = subprocess.Popen(["wine", "msiexec", "/i", "Z:" + self.msi.replace("/", "\\"), "/qb"],
                                   env=self.d.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: msiexec.poll() is None and (msiexec.kill(), msiexec.wait(5)))

        def refusal():
            if msiexec.poll() is not None:
                raise AssertionError("msiexec ended (code %s) without a message" % msiexec.returncode)
            return [d for d in self.p("dialogs", 0)["dialogs"] if d["visible"]]
        box = wait_until(refusal, 60, interval=0.2, what="the refusal's message")[0]
        texts = " ".join(self.p.text(c["hwnd"]) for c in self.p.children(box["hwnd"]))
        self.assertIn("A newer version of Pelmorath is already installed", texts)
        self.p("close", box["hwnd"])
        self.assertNotEqual(msiexec.wait(60), 0, "an older version installed over a newer one")
        self.assertEqual([e.get("DisplayVersion") for e in self.uninstall_entries().values()], [newer])
        self.assertTrue(os.path.isfile(os.path.join(folder, "Pelmorath.exe")))
        self.assertIsNone(running.proc.poll(), "a refused install closed the running program")
