#!/usr/bin/env bash
# Builds the program and packs the release: build/Pelmorath-<version>.zip with the program, a short readme,
# the sample skins and a sample pointer file. Prints the zip's path.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >&2
version="$(tr -d '[:space:]' <"$root/build/win32/version.txt")"
zip="$root/build/Pelmorath-$version.zip"

python3 - "$root" "$version" "$zip" <<'PY'
import glob, os, sys, zipfile
root, version, out = sys.argv[1:4]
top = "Pelmorath-%s/" % version
files = [("Pelmorath.exe", os.path.join(root, "build", "win32", "Pelmorath.exe"))]
files += [("samples/HAND-M.CUR", os.path.join(root, "res", "hand.cur"))]
files += [("samples/skins/" + os.path.basename(p), p) for p in sorted(glob.glob(os.path.join(root, "skins", "*.cjs")))]
tmp = out + ".tmp"
with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    def add(name, data):
        # A fixed date keeps the package the same byte for byte when its contents are.
        info = zipfile.ZipInfo(top + name, date_time=(2021, 8, 31, 0, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        z.writestr(info, data)
    # Notepad on older Windows wants CR LF.
    readme = open(os.path.join(root, "res", "package-readme.txt"), "rb").read().replace(b"\r\n", b"\n")
    add("README.txt", readme.replace(b"\n", b"\r\n"))
    for name, path in files:
        add(name, open(path, "rb").read())
os.replace(tmp, out)
PY
echo "$zip"
