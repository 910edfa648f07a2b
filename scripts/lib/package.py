#!/usr/bin/env python3
"""Packs a built release: stages its files, writes the zip and the MSI, signs them when a key is given."""

import argparse
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
import uuid
import zipfile

sys.dont_write_bytecode = True  # no __pycache__ beside the scripts
import msi_summary  # noqa: E402
import signing  # noqa: E402

# A fixed date keeps the packages the same byte for byte when their contents are.
DATE = (2021, 8, 31, 0, 0, 0)


def write(path, data):
    with open(path + ".part", "wb") as f:
        f.write(data)
    os.replace(path + ".part", path)


def remove(*paths):
    for path in paths:
        for p in (path, path + ".tmp", path + ".part", path + ".unsigned"):
            if os.path.exists(p):
                os.remove(p)


def stage_files(root, build, stage, signer):
    """[(name in the package, bytes)], also written under stage with the fixed date: the files the zip and the MSI
    share."""
    shutil.rmtree(stage, ignore_errors=True)
    exe = os.path.join(build, "win32", "Pelmorath.exe")
    if signer:
        exe = signer.sign(exe, os.path.join(build, "signed", "Pelmorath.exe"))
    # Notepad on older Windows wants CR LF.
    readme = open(os.path.join(root, "res", "package-readme.txt"), "rb").read().replace(b"\r\n", b"\n")
    files = [("README.txt", readme.replace(b"\n", b"\r\n")), ("Pelmorath.exe", open(exe, "rb").read())]
    files += [("samples/HAND-M.CUR", open(os.path.join(root, "res", "hand.cur"), "rb").read())]
    files += [("samples/skins/" + os.path.basename(p), open(p, "rb").read())
              for p in sorted(glob.glob(os.path.join(root, "skins", "*.cjs")))]
    for name, data in files:
        path = os.path.join(stage, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write(path, data)
        os.utime(path, (time.mktime(DATE + (0, 0, -1)),) * 2)
    return files


def write_zip(out, top, files):
    with zipfile.ZipFile(out + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name, data in files:
            info = zipfile.ZipInfo(top + name, date_time=DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            z.writestr(info, data)
    os.replace(out + ".tmp", out)


def stamp_reproducibly(msi, product_code):
    """wixl stamps the summary information with a fresh package code and the time of the build. A package code that
    follows what went in, and the fixed date, make two builds of one commit the same byte for byte."""
    when = msi_summary.filetime(DATE)
    msi_summary.restamp_summary(msi, {msi_summary.PACKAGE_CODE: b"{%s}" % (b"0" * 36),
                                      msi_summary.CREATED: when, msi_summary.LAST_SAVED: when})
    package_code = uuid.uuid5(product_code, hashlib.sha256(msi).hexdigest())
    msi_summary.restamp_summary(msi, {msi_summary.PACKAGE_CODE: ("{%s}" % package_code).upper().encode("ascii")})


def write_msi(root, build, stage, version, out, signer):
    # The product code follows the version: a major upgrade needs a new one, and a rebuild of one version is the
    # same product.
    wxs = os.path.join(root, "res", "pelmorath.wxs")
    upgrade_code = re.search(r'UpgradeCode="([0-9A-F-]{36})"', open(wxs).read()).group(1)
    product_code = uuid.uuid5(uuid.UUID(upgrade_code), "product " + version)
    dll = os.path.join(build, "win32", "installer", "close_running.dll")
    if signer:
        dll = signer.sign(dll, os.path.join(build, "signed", "close_running.dll"))
    defines = {"Version": version, "ProductCode": str(product_code).upper(), "Stage": os.path.relpath(stage, root),
               "InstallerDll": os.path.relpath(dll, root)}
    cmd = ["wixl", "-o", out + ".tmp", wxs]
    for kv in defines.items():
        cmd += ["-D", "%s=%s" % kv]
    subprocess.run(cmd, cwd=root, check=True)  # wixl reads the sources relative to where it runs
    with open(out + ".tmp", "rb") as f:
        msi = bytearray(f.read())
    os.remove(out + ".tmp")
    stamp_reproducibly(msi, product_code)
    if signer:
        # The signature covers the summary information too, so it goes on last; a signed package carries its
        # signing time. MsiDigitalSignatureEx: it covers the streams' metadata too, as signtool's does.
        write(out + ".unsigned", bytes(msi))
        signer.sign(out + ".unsigned", out, ["-add-msi-dse"])
        os.remove(out + ".unsigned")
    else:
        write(out, bytes(msi))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--root", required=True, help="the repository, with the build in ROOT/build")
    ap.add_argument("--version", required=True, help="the project's version, as the build stamped it")
    ap.add_argument("--msi-version", help="only the MSI, stamped with this version, into build/msi-test/")
    args = ap.parse_args(argv)
    build = os.path.join(args.root, "build")
    if args.msi_version:
        zip_out = None
        msi_out = os.path.join(build, "msi-test", "Pelmorath-%s.msi" % args.msi_version)
    else:
        zip_out = os.path.join(build, "Pelmorath-%s.zip" % args.version)
        msi_out = os.path.join(build, "Pelmorath-%s.msi" % args.version)
    outputs = [p for p in (zip_out, msi_out) if p]
    # Whatever ends this run early leaves no package under these names, not even one of an earlier build.
    remove(*outputs)
    shutil.rmtree(os.path.join(build, "signed"), ignore_errors=True)
    try:
        signer = signing.from_environment(os.environ)
    except signing.Refusal as refusal:
        print("package: refused: %s. No package was made." % refusal, file=sys.stderr)
        return 1
    if signer:
        print("package: signing with %s" % signer.what, file=sys.stderr)
    else:
        print("package: unsigned (neither %s nor %s is set)" % (signing.PFX, signing.MODULE), file=sys.stderr)
    try:
        stage = os.path.join(build, "package")
        files = stage_files(args.root, build, stage, signer)
        if zip_out:
            write_zip(zip_out, "Pelmorath-%s/" % args.version, files)
            print(zip_out, flush=True)
        os.makedirs(os.path.dirname(msi_out), exist_ok=True)
        write_msi(args.root, build, stage, args.msi_version or args.version, msi_out, signer)
        print(msi_out, flush=True)
    except subprocess.CalledProcessError as failure:
        remove(*outputs)
        print("package: %s failed (exit %d). No package was made." % (failure.cmd[0], failure.returncode),
              file=sys.stderr)
        return 1
    except BaseException:
        remove(*outputs)
        raise
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
