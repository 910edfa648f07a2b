#!/usr/bin/env python3
"""The packaging's MSI stamping against small MSIs built here with wixl, read back with msitools. Ends with
"scripts: N passed, N failed"."""

import hashlib
import os
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib"))
import msi_summary  # noqa: E402
import package  # noqa: E402

PRODUCT_CODE = "D2B5C3A1-0F4E-4C7B-9A61-3E8F2D7C5B40"

# A per-user product with one file in an embedded cabinet: large enough that the cabinet lies in regular sectors
# and the summary information in the mini stream, behind several allocation-table sectors, as in the real package.
WXS = """<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="%s" Name="Stamp test" Language="1033" Version="1.0.0" Manufacturer="Test"
           UpgradeCode="5E0A7C3D-2B91-4F68-8D14-A6C9B3E70F25">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perUser" />
    <Media Id="1" Cabinet="payload.cab" EmbedCab="yes" />
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="LocalAppDataFolder">
        <Directory Id="INSTALLDIR" Name="Stamp test">
          <Component Id="Payload" Guid="0C6F1E2A-7B38-4D95-A2E4-91F05B8D3C67">
            <RegistryValue Root="HKCU" Key="Software\\Stamp test" Name="Payload" Type="string" Value="1"
                           KeyPath="yes" />
            <File Id="Payload" Name="payload.bin" Source="payload.bin" />
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Complete" Level="1"><ComponentRef Id="Payload" /></Feature>
  </Product>
</Wix>
""" % PRODUCT_CODE


def payload(seed, size=100000):
    """Bytes that do not compress, so the cabinet stays as large as the file."""
    data, block = b"", seed
    while len(data) < size:
        block = hashlib.sha256(block).digest()
        data += block
    return data[:size]


def build_msi(folder, name, seed):
    with open(os.path.join(folder, "payload.bin"), "wb") as f:
        f.write(payload(seed))
    os.utime(os.path.join(folder, "payload.bin"), (1e9, 1e9))  # the cabinet keeps the file's date, as staged
    with open(os.path.join(folder, "stamp.wxs"), "w") as f:
        f.write(WXS)
    out = os.path.join(folder, name)
    subprocess.run(["wixl", "-o", out, "stamp.wxs"], cwd=folder, check=True)
    return bytearray(open(out, "rb").read())


def suminfo(folder, msi):
    """{field: value} as msiinfo reads the summary information (times in UTC)."""
    path = os.path.join(folder, "read.msi")
    with open(path, "wb") as f:
        f.write(msi)
    out = subprocess.run(["msiinfo", "suminfo", path], env=dict(os.environ, TZ="UTC"), stdout=subprocess.PIPE,
                         text=True, check=True).stdout
    return dict(line.split(": ", 1) for line in out.splitlines() if ": " in line)


def tables(folder, msi):
    """Every table's rows as msiinfo exports them, but the summary information's."""
    path = os.path.join(folder, "tables.msi")
    with open(path, "wb") as f:
        f.write(msi)
    names = subprocess.run(["msiinfo", "tables", path], stdout=subprocess.PIPE, text=True, check=True).stdout.split()
    names.remove("_SummaryInformation")
    return {n: subprocess.run(["msiinfo", "export", path, n], stdout=subprocess.PIPE, check=True).stdout
            for n in names}


class MsiStampTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory(prefix="msi-stamp-")
        cls.folder = cls.tmp.name
        cls.built = build_msi(cls.folder, "built.msi", b"first")

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_restamped_values_read_back_and_nothing_else_changes(self):
        code = b"{0123ABCD-4567-89EF-0123-456789ABCDEF}"
        rows = [
            ("the package code", {msi_summary.PACKAGE_CODE: code},
             {"Revision number (UUID)": code.decode()}),
            ("the creation time", {msi_summary.CREATED: msi_summary.filetime((2001, 2, 3, 4, 5, 6))},
             {"Created": "Sat Feb  3 04:05:06 2001"}),
            ("the time last saved", {msi_summary.LAST_SAVED: msi_summary.filetime((1999, 12, 31, 23, 59, 58))},
             {"Last saved": "Fri Dec 31 23:59:58 1999"}),
            ("all three", {msi_summary.PACKAGE_CODE: code,
                           msi_summary.CREATED: msi_summary.filetime((2030, 1, 1, 0, 0, 0)),
                           msi_summary.LAST_SAVED: msi_summary.filetime((2030, 1, 1, 0, 0, 1))},
             {"Revision number (UUID)": code.decode(), "Created": "Tue Jan  1 00:00:00 2030",
              "Last saved": "Tue Jan  1 00:00:01 2030"}),
        ]
        before = suminfo(self.folder, self.built)
        before_tables = tables(self.folder, self.built)
        for what, values, expected in rows:
            with self.subTest(what):
                msi = bytearray(self.built)
                msi_summary.restamp_summary(msi, values)
                self.assertEqual(len(msi), len(self.built))
                self.assertEqual(suminfo(self.folder, msi), dict(before, **expected))
                self.assertEqual(tables(self.folder, msi), before_tables)
                written = sum(8 if isinstance(v, int) else len(v) for v in values.values())
                self.assertLessEqual(sum(a != b for a, b in zip(msi, self.built)), written, "bytes changed elsewhere")

    def test_a_value_that_does_not_fit_is_refused_and_the_package_left_as_it_was(self):
        rows = [
            ("a package code one character short",
             {msi_summary.PACKAGE_CODE: b"{0123ABCD-4567-89EF-0123-456789ABCDE}"}),
            ("a property wixl does not write", {msi_summary.PACKAGE_CODE + 100: 0}),
        ]
        for what, values in rows:
            with self.subTest(what):
                msi = bytearray(self.built)
                with self.assertRaises(ValueError):
                    msi_summary.restamp_summary(msi, values)
                self.assertEqual(msi, self.built)

    def test_two_builds_stamp_alike_and_other_contents_get_another_package_code(self):
        again = build_msi(self.folder, "again.msi", b"first")
        other = build_msi(self.folder, "other.msi", b"second")
        self.assertNotEqual(again, self.built, "wixl stamps alike by itself: nothing left to test")
        wixl_codes = {suminfo(self.folder, m)["Revision number (UUID)"] for m in (self.built, again, other)}
        stamped = []
        for msi in (bytearray(self.built), again, other):
            package.stamp_reproducibly(msi, package.uuid.UUID(PRODUCT_CODE))
            stamped.append(msi)
        self.assertEqual(stamped[0], stamped[1])
        first, third = suminfo(self.folder, stamped[0]), suminfo(self.folder, stamped[2])
        self.assertEqual((first["Created"], first["Last saved"]), ("Tue Aug 31 00:00:00 2021",) * 2)
        self.assertNotEqual(first["Revision number (UUID)"], third["Revision number (UUID)"])
        self.assertNotIn(first["Revision number (UUID)"], wixl_codes)


class Result(unittest.TextTestResult):
    """Counts a test with a failing sub-case once, as failed."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.passed_ids = set()
        self.failed_ids = set()

    def addSuccess(self, test):
        super().addSuccess(test)
        self.passed_ids.add(test.id())

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed_ids.add(test.id())

    def addError(self, test, err):
        super().addError(test, err)
        self.failed_ids.add(test.id())

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self.failed_ids.add(test.id())


def main():
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(resultclass=Result, verbosity=2, stream=sys.stdout).run(suite)
    passed = len(result.passed_ids - result.failed_ids)
    failed = suite.countTestCases() - passed  # a test that never ran (its class failed to set up) failed too
    print("scripts: %d passed, %d failed" % (passed, failed), flush=True)
    return 1 if failed or not result.wasSuccessful() else 0


if __name__ == "__main__":
    sys.exit(main())
