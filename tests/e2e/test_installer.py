"""The MSI: a silent per-user install that runs, its uninstall entry, an uninstall without a trace, upgrades that
keep the program running, starting with Windows, a signed package, from a key file or a token, and the signing keys
refused."""

import glob
import os
import re
import shutil
import subprocess
import uuid

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


def custom_actions(msi):
    """{custom action: its type}."""
    out = subprocess.run(["msiinfo", "export", msi, "CustomAction"], stdout=subprocess.PIPE, text=True, check=True)
    rows = [line.split("\t") for line in out.stdout.splitlines()[3:]]
    return {row[0]: int(row[1]) for row in rows}


def run(*args, env=None):
    """What a tool printed; it must succeed."""
    return subprocess.run(args, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=60, check=True).stdout


def verify_signature(path, cafile):
    """osslsigncode verify's exit code and report."""
    p = subprocess.run(["osslsigncode", "verify", "-CAfile", cafile, "-in", path], stdin=subprocess.DEVNULL,
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=60)
    return p.returncode, p.stdout


def custom_action_dlls(msi, folder):
    """The custom actions' DLLs as the MSI carries them, written into folder."""
    streams = subprocess.run(["msiinfo", "streams", msi], stdout=subprocess.PIPE, text=True, check=True).stdout
    dlls = []
    for stream in [s for s in streams.split() if s.startswith("Binary.")]:
        dlls.append(os.path.join(folder, stream))
        with open(dlls[-1], "wb") as f:
            subprocess.run(["msiinfo", "extract", msi, stream], stdout=f, check=True)
    return dlls


def private_file(path, text, mode=0o600):
    """Writes a PIN or password file readable by its owner alone, as package.sh demands, or with another mode."""
    with open(os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode), "w") as f:
        f.write(text)
    os.chmod(path, mode)  # whatever the umask took away or the file had before


def signing_environment(**variables):
    """The environment without the caller's own signing variables (and no time-stamp: there is no network here),
    with these."""
    env = {n: v for n, v in os.environ.items() if not n.startswith("PELMORATH_SIGN_")}
    env.update(variables)
    return env


class SoftToken:
    """A throwaway SoftHSM2 token in a folder of its own, with an RSA-3072 and an EC P-256 key generated on it, each
    with a self-signed code-signing certificate."""
    MODULE = "/usr/lib/softhsm/libsofthsm2.so"
    LABEL = "pelmorath-test"

    def __init__(self, folder):
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(os.path.join(folder, "tokens"))
        self.folder = folder
        self.pin = "pin-" + uuid.uuid4().hex[:12]  # one that no other text in a trace can hold
        self.pin_file = os.path.join(folder, "pin")
        private_file(self.pin_file, self.pin + "\n")
        conf = os.path.join(folder, "softhsm2.conf")
        with open(conf, "w") as f:
            f.write("directories.tokendir = %s/\nobjectstore.backend = file\nlog.level = ERROR\n"
                    % os.path.join(folder, "tokens"))
        self.env = dict(os.environ, SOFTHSM2_CONF=conf)
        run("softhsm2-util", "--init-token", "--free", "--label", self.LABEL, "--so-pin", "so-" + self.pin,
            "--pin", self.pin, env=self.env)
        # OpenSSL's pkcs11 engine, to make each certificate with the token's key.
        engine_conf = os.path.join(folder, "openssl.cnf")
        with open(engine_conf, "w") as f:
            f.write("openssl_conf = conf\n[conf]\nengines = engines\n[engines]\npkcs11 = pkcs11\n"
                    "[pkcs11]\nMODULE_PATH = %s\ninit = 0\n[req]\ndistinguished_name = dn\n[dn]\n" % self.MODULE)
        for number, (name, kind) in enumerate([("rsa", "rsa:3072"), ("ec", "EC:prime256v1")], 1):
            run("pkcs11-tool", "--module", self.MODULE, "--token-label", self.LABEL, "--login", "--pin", self.pin,
                "--keypairgen", "--key-type", kind, "--id", "%02d" % number, "--label", name, env=self.env)
            run("openssl", "req", "-new", "-x509", "-engine", "pkcs11", "-keyform", "engine", "-key", self.key(name),
                "-passin", "file:" + self.pin_file, "-out", self.cert(name), "-days", "2",
                "-subj", "/CN=Pelmorath throwaway %s signer" % name, "-addext", "extendedKeyUsage=codeSigning",
                env=dict(self.env, OPENSSL_CONF=engine_conf))

    def key(self, name):
        return "pkcs11:token=%s;object=%s;type=private" % (self.LABEL, name)

    def cert(self, name):
        return os.path.join(self.folder, name + ".pem")

    def signing_variables(self, name):
        return dict(PELMORATH_SIGN_PKCS11_MODULE=self.MODULE, PELMORATH_SIGN_KEY=self.key(name),
                    PELMORATH_SIGN_CERT=self.cert(name), PELMORATH_SIGN_PASSWORD_FILE=self.pin_file)


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
        # No pipes: a program the installer starts inherits them and would hold them open while it runs.
        p = subprocess.run(["wine", "msiexec", *args, "/qn", "/l*", "Z:" + log.replace("/", "\\")], env=self.d.env,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=180)
        data = open(log, "rb").read() if os.path.exists(log) else b""
        text = data.decode("utf-16" if data.startswith(b"\xff\xfe") else "latin-1", errors="replace")
        return p.returncode, text

    def install(self, msi, *properties):
        return self.msiexec("/i", "Z:" + msi.replace("/", "\\"), *properties)

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
        for pid in self.installed_copies():  # one the installer started, should its uninstall have failed to close it
            os.kill(pid, 9)

    def installed_paths(self):
        folder = self.unix_path(self.folder_of("LOCALAPPDATA") + r"\Programs\Pelmorath")
        shortcut = self.unix_path(self.folder_of("APPDATA") + r"\Microsoft\Windows\Start Menu\Programs\Pelmorath.lnk")
        return folder, shortcut

    def installed_exe(self):
        return self.folder_of("LOCALAPPDATA") + r"\Programs\Pelmorath\Pelmorath.exe"

    def assert_leads_to_installed_program(self, shortcut):
        link = open(shortcut, "rb").read().lower()
        target = self.installed_exe().lower()
        self.assertTrue(target.encode("latin-1") in link or target.encode("utf-16-le") in link,
                        "the shortcut %s does not lead to the installed program" % os.path.basename(shortcut))

    def startup_shortcuts(self):
        """The shortcuts in the user's Startup folder (Wine's is named StartUp, and may not exist yet)."""
        programs = self.unix_path(self.folder_of("APPDATA") + r"\Microsoft\Windows\Start Menu\Programs")
        folders = [os.path.join(programs, n) for n in os.listdir(programs) if n.lower() == "startup"]
        return [os.path.join(f, n) for f in folders for n in os.listdir(f) if n.lower().endswith(".lnk")]

    def installed_copies(self):
        """Linux pids of the programs of this desktop started from the installed exe, however started: a Wine
        process's command line is its Windows one."""
        names = {self.installed_exe().lower(), self.unix_path(self.installed_exe()).lower()}
        ours = ("WINEPREFIX=" + self.d.env["WINEPREFIX"]).encode()
        pids = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                program = open("/proc/%s/cmdline" % pid, "rb").read().split(b"\0")[0].decode("latin-1")
                if program.strip('" ').lower() not in names:
                    continue
                if ours in open("/proc/%s/environ" % pid, "rb").read().split(b"\0"):
                    pids.append(int(pid))
            except OSError:
                pass  # ended meanwhile, or not ours to read
        return pids

    def main_windows(self):
        return [w for w in self.p("toplevels")["windows"] if w["class"] == MAIN_CLASS]

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

    def assert_signed(self, paths, cafile, serial):
        """Each file verifies, signed with SHA-256 by the certificate of this serial; the first, with a byte changed,
        does not."""
        for path in paths:
            with self.subTest(os.path.basename(path)):
                code, said = verify_signature(path, cafile)
                self.assertEqual(code, 0, said)
                self.assertIn("Signature verification: ok", said)
                self.assertRegex(said, r"Serial : %s\b" % serial, "not signed by the throwaway certificate")
                self.assertRegex(said, r"Message digest algorithm\s*: SHA256\b")
        changed = os.path.join(self.d.dir, "changed-" + os.path.basename(paths[0]))
        data = bytearray(open(paths[0], "rb").read())
        data[len(data) // 2] ^= 0x01
        with open(changed, "wb") as f:
            f.write(data)
        code, said = verify_signature(changed, cafile)
        self.assertNotEqual(code, 0, "a changed %s still verifies:\n%s" % (os.path.basename(paths[0]), said))

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
        self.assert_leads_to_installed_program(shortcut)
        self.assertEqual(self.startup_shortcuts(), [], "it starts with Windows without STARTUP=1")
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

    def test_an_upgrade_keeps_the_program_running_and_starting_with_windows_and_an_older_version_is_refused(self):
        parts = self.version.split(".")
        newer = ".".join(parts[:-1] + [str(int(parts[-1]) + 1)])
        newer_msi = build_msi(newer)
        self.assertEqual(self.install(self.msi, "STARTUP=1")[0], 0)
        folder, _ = self.installed_paths()
        startup = self.startup_shortcuts()
        self.assertEqual(len(startup), 1, "STARTUP=1 put no shortcut in the Startup folder")
        self.assert_leads_to_installed_program(startup[0])
        running = self.assert_runs(os.path.join(folder, "Pelmorath.exe"))
        closed_pid = [w["pid"] for w in self.main_windows()]
        code, log = self.install(newer_msi)
        self.assertEqual(code, 0, log[-2000:])
        try:
            self.assertEqual(running.proc.wait(10), 0)
        except subprocess.TimeoutExpired:
            raise AssertionError("the running program was left without its files")
        entries = self.uninstall_entries()
        self.assertEqual([e.get("DisplayVersion") for e in entries.values()], [newer], "not one copy, the newer")
        # Started again by the installer, from the files the newer version put there.
        wait_until(lambda: [w for w in self.main_windows() if w["visible"] and w["pid"] not in closed_pid], 15,
                   what="the upgraded program's window")
        copies = self.installed_copies()
        self.assertEqual(len(copies), 1, "not one copy of the installed program running")
        self.assertEqual(len(self.startup_shortcuts()), 1, "the upgrade dropped the start with Windows")

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
        self.assertEqual(self.installed_copies(), copies, "a refused install closed the running program")

        code, log = self.msiexec("/x", list(entries)[0])
        self.assertEqual(code, 0, log[-2000:])
        self.assertEqual(self.startup_shortcuts(), [], "the uninstall left the shortcut in the Startup folder")
        wait_until(lambda: not self.main_windows(), 10, what="the closed program's window to go")
        self.assertEqual(self.installed_copies(), [], "a copy runs after the uninstall")
        # The files are gone by then, so an attempt starts nothing and fails silently under Wine: the log shows it.
        starts = [a for a, kind in custom_actions(newer_msi).items() if kind & 0x3F == 18]  # runs an installed exe
        self.assertTrue(starts)
        self.assertEqual([a for a in starts if re.search(r"Action start [\d:]+: %s\." % re.escape(a), log)], [],
                         "the uninstall tried to start the program")

    def test_a_signed_package_verifies_and_installs(self):
        # A throwaway code-signing certificate; no time-stamp, as there is no network here.
        keys = os.path.join(self.d.dir, "signing")
        shutil.rmtree(keys, ignore_errors=True)
        os.makedirs(keys)
        k = lambda name: os.path.join(keys, name)
        private_file(k("password"), "throwaway password\n")
        run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", k("key.pem"), "-out", k("cert.pem"),
            "-days", "2", "-subj", "/CN=Pelmorath throwaway signer", "-addext", "extendedKeyUsage=codeSigning")
        run("openssl", "pkcs12", "-export", "-in", k("cert.pem"), "-inkey", k("key.pem"), "-out", k("sign.pfx"),
            "-passout", "file:" + k("password"))
        serial = run("openssl", "x509", "-in", k("cert.pem"), "-noout", "-serial").strip().split("=")[1]

        env = signing_environment(PELMORATH_SIGN_PFX=k("sign.pfx"), PELMORATH_SIGN_PASSWORD_FILE=k("password"))
        # Stamped with the project's version, but into the test folder: the release's own packages stay unsigned.
        out = subprocess.run([os.path.join(ROOT, "scripts", "package.sh"), "--msi-version", self.version], env=env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                             timeout=200, check=True)
        msi = out.stdout.strip().splitlines()[-1]
        code, log = self.install(msi)
        self.assertEqual(code, 0, log[-2000:])
        folder, _ = self.installed_paths()
        exe = os.path.join(folder, "Pelmorath.exe")

        # What a user gets: the program as installed, the custom actions as the MSI carries them, the MSI.
        dlls = custom_action_dlls(msi, keys)
        self.assertTrue(dlls, "no custom action in the MSI")
        self.assert_signed([exe, *dlls, msi], k("cert.pem"), serial)
        self.assert_runs(exe)

    def test_a_package_signed_from_a_token_verifies_and_its_pin_is_on_no_command_line(self):
        token = SoftToken(os.path.join(self.d.dir, "token"))
        serial = run("openssl", "x509", "-in", token.cert("rsa"), "-noout", "-serial").strip().split("=")[1]
        # Every program package.sh starts, with its whole command line: a signing takes some 15 ms, too short to
        # be caught by looking at the process list.
        trace = os.path.join(token.folder, "execve.trace")
        out = subprocess.run(["strace", "-f", "-qq", "-e", "trace=execve", "-s", "65536", "-o", trace,
                              os.path.join(ROOT, "scripts", "package.sh"), "--msi-version", self.version],
                             env=signing_environment(SOFTHSM2_CONF=token.env["SOFTHSM2_CONF"],
                                                     **token.signing_variables("rsa")),
                             stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                             timeout=300)
        self.assertEqual(out.returncode, 0, out.stderr[-2000:])
        msi = out.stdout.strip().splitlines()[-1]

        # What a user gets, without installing it (the PKCS#12 test does): the program and the custom actions as
        # the MSI carries them, the MSI.
        files = os.path.join(token.folder, "files")
        run("msiextract", "-C", files, msi)
        exe = [os.path.join(d, n) for d, _, names in os.walk(files) for n in names if n == "Pelmorath.exe"]
        self.assertEqual(len(exe), 1, "no Pelmorath.exe in the MSI")
        dlls = custom_action_dlls(msi, token.folder)
        self.assertTrue(dlls, "no custom action in the MSI")
        self.assert_signed([*exe, *dlls, msi], token.cert("rsa"), serial)

        traced = open(trace, encoding="latin-1").read()
        signings = {line.split()[0] for line in traced.splitlines()
                    if '["osslsigncode", "sign", "-pkcs11module"' in line}
        self.assertEqual(len(signings), 3, "not one signing from the token for each file:\n" + traced[-3000:])
        self.assertFalse(token.pin in traced, "the PIN on a command line")

    def test_a_refused_signing_key_leaves_no_package(self):
        self.addCleanup(_built.clear)  # the release's own MSI goes too: the next test builds it again
        token = SoftToken(os.path.join(self.d.dir, "token"))
        # A PKCS#12 file with an EC key, the other way to an EC signature.
        ec_key, ec_cert, ec_pfx = (os.path.join(token.folder, n) for n in ("ec-key.pem", "ec-cert.pem", "ec.pfx"))
        run("openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes",
            "-keyout", ec_key, "-out", ec_cert, "-days", "2", "-subj", "/CN=Pelmorath throwaway EC signer",
            "-addext", "extendedKeyUsage=codeSigning")
        run("openssl", "pkcs12", "-export", "-in", ec_cert, "-inkey", ec_key, "-out", ec_pfx,
            "-passout", "file:" + token.pin_file)
        rsa = token.signing_variables("rsa")
        open_pin = os.path.join(token.folder, "pin-0640")
        private_file(open_pin, token.pin + "\n", 0o640)
        rows = [
            ("an EC key on the token", token.signing_variables("ec"),
             "the certificate of PELMORATH_SIGN_CERT (CN=Pelmorath throwaway ec signer) holds an id-ecPublicKey "
             "key, not RSA"),
            ("an EC key in a PKCS#12 file",
             dict(PELMORATH_SIGN_PFX=ec_pfx, PELMORATH_SIGN_PASSWORD_FILE=token.pin_file),
             "the certificate of PELMORATH_SIGN_PFX (CN=Pelmorath throwaway EC signer) holds an id-ecPublicKey "
             "key, not RSA"),
            ("a PKCS#12 file and a token", dict(rsa, PELMORATH_SIGN_PFX=ec_pfx),
             "PELMORATH_SIGN_PFX is set together with the token's PELMORATH_SIGN_PKCS11_MODULE, PELMORATH_SIGN_KEY "
             "and PELMORATH_SIGN_CERT"),
            # Each of these would sign, and the first would show the PIN in the package's log.
            ("the PIN in the key's URI", dict(rsa, PELMORATH_SIGN_KEY=token.key("rsa") + ";pin-value=" + token.pin),
             "PELMORATH_SIGN_KEY carries the token's PIN as its pin-value attribute"),
            ("where to read the PIN in the key's URI",
             dict(rsa, PELMORATH_SIGN_KEY=token.key("rsa") + "?PIN-Source=file:" + token.pin_file),
             "PELMORATH_SIGN_KEY carries a pin-source attribute"),
            ("a PIN file its group can read", dict(rsa, PELMORATH_SIGN_PASSWORD_FILE=open_pin),
             "PELMORATH_SIGN_PASSWORD_FILE (%s) is open to other users than its owner (mode 0640)" % open_pin),
        ]
        rows += [("a token without " + name, {n: v for n, v in rsa.items() if n != name}, name + " is not set")
                 for name in rsa]
        version = open(os.path.join(Session.build_dir, "version.txt")).read().strip()
        release = [os.path.join(ROOT, "build", "Pelmorath-%s.%s" % (version, kind)) for kind in ("zip", "msi")]
        for what, variables, refusal in rows:
            with self.subTest(what):
                for path in release:
                    with open(path, "wb") as f:
                        f.write(b"a package of an earlier build")
                out = subprocess.run([os.path.join(ROOT, "scripts", "package.sh")],
                                     env=signing_environment(SOFTHSM2_CONF=token.env["SOFTHSM2_CONF"], **variables),
                                     stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True, timeout=200)
                self.assertNotEqual(out.returncode, 0, "packed with " + what)
                said = out.stderr.strip().splitlines()[-1] if out.stderr.strip() else ""
                self.assertIn("package: refused: " + refusal, said)
                self.assertNotIn(token.pin, out.stdout + out.stderr, "the PIN in what package.sh printed")
                self.assertEqual([p for p in release if os.path.exists(p)], [], "a package left")
