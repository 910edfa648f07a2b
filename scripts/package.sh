#!/usr/bin/env bash
# Builds the program and packs the release: build/Pelmorath-<version>.zip (the program, a short readme, the
# sample skins and a sample pointer file) and build/Pelmorath-<version>.msi (the same, as a per-user installer,
# from res/pelmorath.wxs). Prints the zip's path, then the MSI's.
#
#   --msi-version VERSION   only the MSI, stamped VERSION instead of the project's, into build/msi-test/: the
#                           end-to-end tests use it to upgrade and downgrade; such an MSI is never released.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
msi_version=""
case "${1:-}" in
  --msi-version) msi_version="${2:?usage: scripts/package.sh [--msi-version VERSION]}" ;;
  "") ;;
  *) echo "usage: scripts/package.sh [--msi-version VERSION]" >&2; exit 2 ;;
esac
"$root/scripts/build.sh" >&2
version="$(tr -d '[:space:]' <"$root/build/win32/version.txt")"

python3 - "$root" "$version" "$msi_version" <<'PY'
import glob, os, re, shutil, subprocess, sys, time, uuid, zipfile
root, version, msi_version = sys.argv[1:4]
build = os.path.join(root, "build")
stage = os.path.join(build, "package")  # the files the zip and the MSI share
shutil.rmtree(stage, ignore_errors=True)

def write(path, data):
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)

exe = open(os.path.join(build, "win32", "Pelmorath.exe"), "rb").read()
# Notepad on older Windows wants CR LF.
readme = open(os.path.join(root, "res", "package-readme.txt"), "rb").read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
files = [("README.txt", readme), ("Pelmorath.exe", exe)]
files += [("samples/HAND-M.CUR", open(os.path.join(root, "res", "hand.cur"), "rb").read())]
files += [("samples/skins/" + os.path.basename(p), open(p, "rb").read())
          for p in sorted(glob.glob(os.path.join(root, "skins", "*.cjs")))]
# A fixed date keeps the packages the same byte for byte when their contents are.
date = (2021, 8, 31, 0, 0, 0)
for name, data in files:
    path = os.path.join(stage, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    write(path, data)
    os.utime(path, (time.mktime(date + (0, 0, -1)),) * 2)

if not msi_version:
    top = "Pelmorath-%s/" % version
    out = os.path.join(build, "Pelmorath-%s.zip" % version)
    with zipfile.ZipFile(out + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        def add(name, data):
            info = zipfile.ZipInfo(top + name, date_time=date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            z.writestr(info, data)
        for name, data in files:
            add(name, data)
    os.replace(out + ".tmp", out)
    print(out)

# The MSI. Its product code follows the version: a major upgrade needs a new one, and a rebuild of one version
# is the same product.
msi_version = msi_version or version
wxs = os.path.join(root, "res", "pelmorath.wxs")
upgrade_code = re.search(r'UpgradeCode="([0-9A-F-]{36})"', open(wxs).read()).group(1)
product_code = uuid.uuid5(uuid.UUID(upgrade_code), "product " + msi_version)
folder = os.path.join(build, "msi-test") if sys.argv[3] else build
os.makedirs(folder, exist_ok=True)
out = os.path.join(folder, "Pelmorath-%s.msi" % msi_version)
defines = {"Version": msi_version, "ProductCode": str(product_code).upper(), "Stage": os.path.relpath(stage, root),
           "InstallerDll": os.path.relpath(os.path.join(build, "win32", "installer", "close_running.dll"), root)}
cmd = ["wixl", "-o", out + ".tmp", wxs]
for kv in defines.items():
    cmd += ["-D", "%s=%s" % kv]
subprocess.run(cmd, cwd=root, check=True)  # wixl reads the sources relative to where it runs
os.replace(out + ".tmp", out)
print(out)
PY
