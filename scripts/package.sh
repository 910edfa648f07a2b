#!/usr/bin/env bash
# Builds the program and packs the release: build/Pelmorath-<version>.zip (the program, a short readme, the
# sample skins and a sample pointer file) and build/Pelmorath-<version>.msi (the same, as a per-user installer,
# from res/pelmorath.wxs). Prints the zip's path, then the MSI's.
#
# Signs with Authenticode (SHA-256, through osslsigncode) when PELMORATH_SIGN_PFX names a PKCS#12 file: the program
# and the installer's custom-action DLL before they are packed, the MSI once it is final. osslsigncode reads the
# password from the file PELMORATH_SIGN_PASSWORD_FILE names (never from the command line, where ps shows it), and
# asks the RFC 3161 time-stamp server PELMORATH_SIGN_TIMESTAMP_URL when it is set. Without a certificate the
# packages are unsigned, and two builds of one commit are the same byte for byte.
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
import calendar, glob, hashlib, os, re, shutil, struct, subprocess, sys, time, uuid, zipfile
root, version, msi_version = sys.argv[1:4]
build = os.path.join(root, "build")
stage = os.path.join(build, "package")  # the files the zip and the MSI share
shutil.rmtree(stage, ignore_errors=True)
signed = os.path.join(build, "signed")  # the program and the custom action as signed, when they are
shutil.rmtree(signed, ignore_errors=True)

def write(path, data):
    with open(path + ".part", "wb") as f:
        f.write(data)
    os.replace(path + ".part", path)

pfx = os.environ.get("PELMORATH_SIGN_PFX", "")
password_file = os.environ.get("PELMORATH_SIGN_PASSWORD_FILE", "")
timestamp_url = os.environ.get("PELMORATH_SIGN_TIMESTAMP_URL", "")
if not pfx:
    print("package: unsigned (PELMORATH_SIGN_PFX is not set)", file=sys.stderr)

def sign(src, dst, extra=()):
    """dst: src with an Authenticode signature, or src itself when there is no certificate."""
    if not pfx:
        return src
    cmd = ["osslsigncode", "sign", "-pkcs12", pfx, "-h", "sha256", "-n", "Pelmorath", *extra]
    if password_file:
        cmd += ["-readpass", password_file]
    if timestamp_url:
        cmd += ["-ts", timestamp_url]
    os.makedirs(os.path.dirname(dst), exist_ok=True)
    if os.path.exists(dst):
        os.remove(dst)  # osslsigncode will not write over a file
    subprocess.run(cmd + ["-in", src, "-out", dst], check=True, stdout=sys.stderr)
    return dst

exe = open(sign(os.path.join(build, "win32", "Pelmorath.exe"), os.path.join(signed, "Pelmorath.exe")), "rb").read()
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

def restamp_summary(msi, values):
    """Overwrites values of the summary information stream in place, each of the same size as before: a string of
    the same length (property 9, the package code) or a FILETIME. The stream is small, so it lies in the compound
    file's mini stream; its sectors are found through the file's allocation tables."""
    def u32(at):
        return struct.unpack_from("<I", msi, at)[0]
    sector = 1 << struct.unpack_from("<H", msi, 30)[0]
    mini = 1 << struct.unpack_from("<H", msi, 32)[0]
    at = lambda n: (n + 1) * sector
    fat_sectors = [u32(76 + 4 * i) for i in range(109)][:u32(44)]  # a small file needs no further DIFAT
    fat = [u32(at(s) + 4 * i) for s in fat_sectors for i in range(sector // 4)]
    def chain(n):
        while n < 0xFFFFFFFA:
            yield n
            n = fat[n]
    def stream(n):  # file offsets of a regular stream's bytes, sector by sector
        return [at(s) for s in chain(n)]
    entries = b"".join(bytes(msi[o:o + sector]) for o in stream(u32(48)))
    names = {}
    for e in range(0, len(entries), 128):
        length = struct.unpack_from("<H", entries, e + 64)[0]
        names[entries[e:e + max(length - 2, 0)].decode("utf-16-le")] = e
    root_start = struct.unpack_from("<I", entries, names["Root Entry"] + 116)[0]
    mini_base = stream(root_start)
    minifat = [u32(o + 4 * i) for o in stream(u32(60)) for i in range(sector // 4)]
    e = names["\x05SummaryInformation"]
    start, size = struct.unpack_from("<II", entries, e + 116)
    assert size < u32(56), "summary information outside the mini stream"
    offsets = []
    n = start
    while n < 0xFFFFFFFA:
        pos = n * mini
        offsets += range(mini_base[pos // sector] + pos % sector, mini_base[pos // sector] + pos % sector + mini)
        n = minifat[n]
    data = bytes(msi[o] for o in offsets[:size])
    section = struct.unpack_from("<I", data, 44)[0]
    count = struct.unpack_from("<I", data, section + 4)[0]
    for i in range(count):
        pid, where = struct.unpack_from("<II", data, section + 8 + 8 * i)
        if pid not in values:
            continue
        where += section
        kind = struct.unpack_from("<I", data, where)[0]
        if kind == 64:  # VT_FILETIME
            new = struct.pack("<Q", values[pid])
            where += 4
        else:  # VT_LPSTR: length with the closing NUL, then the text
            assert kind == 30 and struct.unpack_from("<I", data, where + 4)[0] == len(values[pid]) + 1
            new = values[pid]
            where += 8
        for k, byte in enumerate(new):
            msi[offsets[where + k]] = byte


# The MSI. Its product code follows the version: a major upgrade needs a new one, and a rebuild of one version
# is the same product.
msi_version = msi_version or version
wxs = os.path.join(root, "res", "pelmorath.wxs")
upgrade_code = re.search(r'UpgradeCode="([0-9A-F-]{36})"', open(wxs).read()).group(1)
product_code = uuid.uuid5(uuid.UUID(upgrade_code), "product " + msi_version)
folder = os.path.join(build, "msi-test") if sys.argv[3] else build
os.makedirs(folder, exist_ok=True)
out = os.path.join(folder, "Pelmorath-%s.msi" % msi_version)
dll = sign(os.path.join(build, "win32", "installer", "close_running.dll"), os.path.join(signed, "close_running.dll"))
defines = {"Version": msi_version, "ProductCode": str(product_code).upper(), "Stage": os.path.relpath(stage, root),
           "InstallerDll": os.path.relpath(dll, root)}
cmd = ["wixl", "-o", out + ".tmp", wxs]
for kv in defines.items():
    cmd += ["-D", "%s=%s" % kv]
subprocess.run(cmd, cwd=root, check=True)  # wixl reads the sources relative to where it runs

# wixl stamps the summary information with a fresh package code and the time of the build. A package code that follows
# what went in, and the zip's fixed date, make two builds of one commit the same byte for byte.
with open(out + ".tmp", "rb") as f:
    msi = bytearray(f.read())
filetime = (calendar.timegm(date) + 11644473600) * 10000000
restamp_summary(msi, {9: b"{%s}" % (b"0" * 36), 12: filetime, 13: filetime})
package_code = uuid.uuid5(product_code, hashlib.sha256(msi).hexdigest())
restamp_summary(msi, {9: ("{%s}" % package_code).upper().encode("ascii")})
os.remove(out + ".tmp")
if pfx:
    # The signature covers the summary information too, so it goes on last; a signed package carries its signing
    # time. MsiDigitalSignatureEx: it covers the streams' metadata too, as signtool's does.
    write(out + ".unsigned", bytes(msi))
    sign(out + ".unsigned", out, ["-add-msi-dse"])
    os.remove(out + ".unsigned")
else:
    write(out, bytes(msi))
print(out)
PY
