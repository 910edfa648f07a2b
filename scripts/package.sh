#!/usr/bin/env bash
# Builds the program and packs the release: build/Pelmorath-<version>.zip (the program, a short readme, the
# sample skins and a sample pointer file) and build/Pelmorath-<version>.msi (the same, as a per-user installer,
# from res/pelmorath.wxs). Prints the zip's path, then the MSI's.
#
# Signs with Authenticode (SHA-256, through osslsigncode) the program and the installer's custom-action DLL before
# they are packed, and the MSI once it is final, with one key of two kinds:
#   PELMORATH_SIGN_PFX            a PKCS#12 file with the certificate and its key, or
#   PELMORATH_SIGN_PKCS11_MODULE  a token's or an HSM's PKCS#11 module (.so), with
#   PELMORATH_SIGN_KEY            the pkcs11: URI of its private key, and
#   PELMORATH_SIGN_CERT           the certificate chain, PEM or DER;
#   PELMORATH_SIGN_PASSWORD_FILE  the file holding the PKCS#12 password or the token's PIN (never on a command line,
#                                 where ps shows it), and the optional
#   PELMORATH_SIGN_TIMESTAMP_URL  RFC 3161 time-stamp server.
# It refuses, leaving no package under the release's names: a key that is not RSA, a token configuration given in
# part, both kinds at once, a key URI carrying pin-value or pin-source, and a password file that other users than
# its owner may read or write. Without a key the packages are unsigned, and two builds of one commit are the same
# byte for byte. The packing itself is scripts/lib/package.py.
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

exec python3 "$root/scripts/lib/package.py" --root "$root" --version "$version" ${msi_version:+--msi-version "$msi_version"}
