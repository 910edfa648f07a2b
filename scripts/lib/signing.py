"""The release's Authenticode signer: the key the environment names (a PKCS#12 file, a PKCS#11 token, or none), the
configurations refused, and osslsigncode's command line."""

import os
import re
import stat
import subprocess
import sys
import urllib.parse

PFX = "PELMORATH_SIGN_PFX"
MODULE = "PELMORATH_SIGN_PKCS11_MODULE"
KEY = "PELMORATH_SIGN_KEY"
CERT = "PELMORATH_SIGN_CERT"
PASSWORD_FILE = "PELMORATH_SIGN_PASSWORD_FILE"
TIMESTAMP_URL = "PELMORATH_SIGN_TIMESTAMP_URL"
TOKEN = (MODULE, KEY, CERT, PASSWORD_FILE)  # all four, or the token is not used


class Refusal(Exception):
    """A signing configuration that no release is made with."""


class Signer:
    """Signs files with SHA-256 through osslsigncode. The password or PIN stays in its file, which osslsigncode
    reads itself: a command line is visible to every user of the machine."""

    def __init__(self, key_options, password_file, timestamp_url, what):
        self.key_options = key_options
        self.password_file = password_file
        self.timestamp_url = timestamp_url
        self.what = what

    def sign(self, src, dst, extra=()):
        """Writes dst: src with an Authenticode signature."""
        cmd = ["osslsigncode", "sign", *self.key_options, "-h", "sha256", "-n", "Pelmorath", *extra]
        if self.password_file:
            cmd += ["-readpass", self.password_file]
        if self.timestamp_url:
            cmd += ["-ts", self.timestamp_url]
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        if os.path.exists(dst):
            os.remove(dst)  # osslsigncode will not write over a file
        # No standard input: a token that wants its PIN typed would otherwise wait for it, and a CI job with it.
        p = subprocess.run(cmd + ["-in", src, "-out", dst], stdin=subprocess.DEVNULL, stdout=sys.stderr)
        if p.returncode:
            # Only the program's name: whoever prints the error (a traceback does) would print the whole command
            # line, the key's URI and the time-stamp server's address with it.
            raise subprocess.CalledProcessError(p.returncode, ["osslsigncode", "sign"])
        return dst


def _list(names):
    return names[0] if len(names) == 1 else ", ".join(names[:-1]) + " and " + names[-1]


def _refuse_pin_in_uri(key):
    """Refuses a key URI that carries the PIN (pin-value) or says where to read it (pin-source): the URI goes on
    osslsigncode's command line and into the package's log, and the PIN comes only from the password file, whose
    permissions are checked. The engine splits attributes at any of ; ? &, so all three count; names are compared
    as written, percent-decoded and in any case. The message never holds the attribute's value."""
    for attribute in re.split(r"[;?&]", re.sub(r"(?i)^pkcs11:", "", key)):
        name = urllib.parse.unquote(attribute.split("=", 1)[0]).strip().lower()
        if name == "pin-value":
            raise Refusal("%s carries the token's PIN as its pin-value attribute, which would put the PIN on "
                          "osslsigncode's command line and in the package's log: remove pin-value from the URI and "
                          "put the PIN in the file that %s names" % (KEY, PASSWORD_FILE))
        if name == "pin-source":
            raise Refusal("%s carries a pin-source attribute: the PIN is read only from the file that %s names, "
                          "whose permissions are checked: remove pin-source from the URI and put the PIN in that "
                          "file" % (KEY, PASSWORD_FILE))


def _refuse_open_password_file(path):
    """Refuses a PIN or password file that any other user than its owner may read or change (like ssh's private
    keys): whoever can read it holds the release's key."""
    mode = stat.S_IMODE(os.stat(path).st_mode)
    if mode & 0o077:
        raise Refusal("%s (%s) is open to other users than its owner (mode %04o): its PIN or password is for the "
                      "owner alone; run chmod 600 %s" % (PASSWORD_FILE, path, mode, path))


def _openssl(*args):
    p = subprocess.run(["openssl", *args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE)
    return p.stdout if p.returncode == 0 else None


def _pem_blocks(text):
    return re.findall(rb"-----BEGIN CERTIFICATE-----.+?-----END CERTIFICATE-----", text or b"", re.S)


def _chain_file(path):
    """The certificates of a chain file as osslsigncode reads one: PEM, DER, or a DER PKCS#7 bundle."""
    blocks = _pem_blocks(open(path, "rb").read())
    for args in (["x509", "-inform", "DER"], ["pkcs7", "-inform", "DER", "-print_certs"],
                 ["pkcs7", "-print_certs"]):
        blocks = blocks or _pem_blocks(_openssl(*args, "-in", path))
    return blocks


def _pkcs12_certificate(path, password_file):
    """The certificate that goes with the PKCS#12 file's key. OpenSSL 3 reads older files' ciphers only with
    -legacy."""
    password = "file:" + password_file if password_file else "pass:"
    for legacy in ([], ["-legacy"]):
        blocks = _pem_blocks(_openssl("pkcs12", *legacy, "-in", path, "-nokeys", "-clcerts", "-passin", password))
        if blocks:
            return blocks
    return []


def _describe(pem):
    """(subject, issuer, key algorithm) of one PEM certificate."""
    p = subprocess.run(["openssl", "x509", "-noout", "-text", "-nameopt", "RFC2253"], input=pem,
                       stdout=subprocess.PIPE, check=True)
    text = p.stdout.decode("utf-8", "replace")

    def field(name):
        m = re.search(r"^\s*%s:\s*(.*?)\s*$" % name, text, re.M)
        return m.group(1) if m else ""
    return field("Subject"), field("Issuer"), field("Public Key Algorithm")


def _require_rsa(blocks, variable):
    """Refuses a signing certificate whose key is not RSA: Smart App Control honours only RSA signatures, and
    osslsigncode signs with any key. The signing certificate is the chain's end: one that issued no other there."""
    if not blocks:
        raise Refusal("no certificate could be read from %s" % variable)
    certificates = [_describe(b) for b in blocks]
    issuers = {issuer for subject, issuer, _ in certificates if subject != issuer}
    ends = [c for c in certificates if c[0] not in issuers] or certificates
    for subject, _, algorithm in ends:
        if not algorithm.lower().startswith("rsa"):
            raise Refusal("the certificate of %s (%s) holds an %s key, not RSA: Smart App Control honours only RSA "
                          "signatures" % (variable, subject, algorithm or "unknown"))


def from_environment(env):
    """The signer the environment names, or None for an unsigned build. Raises Refusal."""
    def given(name):
        return env.get(name, "")
    token = [n for n in (MODULE, KEY, CERT) if given(n)]
    if given(PFX) and token:
        raise Refusal("%s is set together with the token's %s: a file is signed once, with either the PKCS#12 "
                      "file or the token" % (PFX, _list(token)))
    _refuse_pin_in_uri(given(KEY))
    password_file = given(PASSWORD_FILE)
    for name in (PFX, MODULE, CERT, PASSWORD_FILE):
        if given(name) and not os.path.isfile(given(name)):
            raise Refusal("%s names no file: %s" % (name, given(name)))
    if password_file:
        _refuse_open_password_file(password_file)
    if token:
        missing = [n for n in TOKEN if not given(n)]
        if missing:
            raise Refusal("%s %s not set: signing from a token needs %s" % (
                _list(missing), "is" if len(missing) == 1 else "are", _list(list(TOKEN))))
        if not given(KEY).startswith("pkcs11:"):
            raise Refusal("%s is not a pkcs11: URI: %s" % (KEY, given(KEY)))
        _require_rsa(_chain_file(given(CERT)), CERT)
        options = ["-pkcs11module", given(MODULE), "-certs", given(CERT), "-key", given(KEY)]
        what = "the token key %s" % given(KEY)
    elif given(PFX):
        blocks = _pkcs12_certificate(given(PFX), password_file)
        if not blocks:
            password = "the password in " + PASSWORD_FILE if password_file else "no password"
            raise Refusal("no certificate could be read from %s with %s" % (PFX, password))
        _require_rsa(blocks, PFX)
        options = ["-pkcs12", given(PFX)]
        what = "the PKCS#12 file %s" % given(PFX)
    else:
        return None
    return Signer(options, password_file, given(TIMESTAMP_URL), what)
