"""The release package: what the zip holds, and the program starting from an unpacked copy."""

import glob
import os
import subprocess
import zipfile

from harness import E2ETest, MAIN_CAPTION, ROOT, Session


class PackageTest(E2ETest):
    start_app = False
    per_test_timeout = 240

    def test_the_unpacked_package_runs_and_holds_the_samples(self):
        out = subprocess.run([os.path.join(ROOT, "scripts", "package.sh")], stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=200, check=True)
        path = [line for line in out.stdout.splitlines() if line.endswith(".zip")][-1]
        version = open(os.path.join(Session.build_dir, "version.txt")).read().strip()
        self.assertEqual(os.path.basename(path), "Pelmorath-%s.zip" % version)

        top = "Pelmorath-%s/" % version
        skins = sorted(os.path.basename(p) for p in glob.glob(os.path.join(ROOT, "skins", "*.cjs")))
        self.assertTrue(skins, "no sample skins in the repository")
        expected = {top + n for n in ["Pelmorath.exe", "README.txt", "samples/HAND-M.CUR"]}
        expected |= {top + "samples/skins/" + s for s in skins}
        with zipfile.ZipFile(path) as z:
            self.assertEqual(set(z.namelist()), expected)
            readme = z.read(top + "README.txt")
            self.assertIn(b"\r\n", readme)
            self.assertNotIn(b"\n", readme.replace(b"\r\n", b""))
            folder = os.path.join(self.d.dir, "apps", "package")
            z.extractall(folder)

        exe = os.path.join(folder, top, "Pelmorath.exe")
        app = self.launch(exe)
        app.wait_main()
        self.assertEqual(self.p.text(app.hwnd), MAIN_CAPTION)
        self.assertEqual(app.dialogs(), [], "an error report at start-up")

