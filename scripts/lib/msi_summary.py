"""Overwrites values of an MSI's summary information in place, inside the package's compound file."""

import calendar
import struct

# Summary information properties the packaging rewrites.
PACKAGE_CODE = 9     # PID_REVNUMBER: the package code, "{GUID}"
CREATED = 12         # PID_CREATE_DTM
LAST_SAVED = 13      # PID_LASTSAVE_DTM

_VT_LPSTR = 30
_VT_FILETIME = 64
_END_OF_CHAIN = 0xFFFFFFFA  # this and above: end of chain, free, or a table's own sectors


def filetime(date_time):
    """A FILETIME (100 ns since 1601, UTC) of a (year, month, day, hour, minute, second) tuple."""
    return (calendar.timegm(date_time) + 11644473600) * 10000000


def _summary_offsets(msi):
    """The file offsets of the summary information stream's bytes, in order. The stream is small, so it lies in
    the compound file's mini stream; its sectors are found through the file's allocation tables."""
    def u32(at):
        return struct.unpack_from("<I", msi, at)[0]
    sector = 1 << struct.unpack_from("<H", msi, 30)[0]
    mini = 1 << struct.unpack_from("<H", msi, 32)[0]

    def at(n):
        return (n + 1) * sector
    fat_sectors = [u32(76 + 4 * i) for i in range(109)][:u32(44)]  # a small file needs no further DIFAT
    fat = [u32(at(s) + 4 * i) for s in fat_sectors for i in range(sector // 4)]

    def stream(n):  # file offsets of a regular stream's sectors
        offsets = []
        while n < _END_OF_CHAIN:
            offsets.append(at(n))
            n = fat[n]
        return offsets
    entries = b"".join(bytes(msi[o:o + sector]) for o in stream(u32(48)))
    names = {}
    for e in range(0, len(entries), 128):
        length = struct.unpack_from("<H", entries, e + 64)[0]
        names[entries[e:e + max(length - 2, 0)].decode("utf-16-le")] = e
    root_start = struct.unpack_from("<I", entries, names["Root Entry"] + 116)[0]
    mini_base = stream(root_start)
    minifat = [u32(o + 4 * i) for o in stream(u32(60)) for i in range(sector // 4)]
    start, size = struct.unpack_from("<II", entries, names["\x05SummaryInformation"] + 116)
    if size >= u32(56):
        raise ValueError("the summary information lies outside the mini stream")
    offsets = []
    n = start
    while n < _END_OF_CHAIN:
        pos = n * mini
        first = mini_base[pos // sector] + pos % sector
        offsets += range(first, first + mini)
        n = minifat[n]
    return offsets[:size]


def restamp_summary(msi, values):
    """Overwrites, in the bytearray msi, summary information values, each with one of the same size: a string of
    the same length (the package code) or a FILETIME. {property: bytes or int}."""
    offsets = _summary_offsets(msi)
    data = bytes(msi[o] for o in offsets)
    section = struct.unpack_from("<I", data, 44)[0]
    count = struct.unpack_from("<I", data, section + 4)[0]
    found = set()
    for i in range(count):
        pid, where = struct.unpack_from("<II", data, section + 8 + 8 * i)
        if pid not in values:
            continue
        where += section
        kind = struct.unpack_from("<I", data, where)[0]
        if kind == _VT_FILETIME:
            new = struct.pack("<Q", values[pid])
            where += 4
        elif kind == _VT_LPSTR:  # length with the closing NUL, then the text
            new = values[pid]
            if struct.unpack_from("<I", data, where + 4)[0] != len(new) + 1:
                raise ValueError("property %d: a text of another length" % pid)
            where += 8
        else:
            raise ValueError("property %d: type %d" % (pid, kind))
        for k, byte in enumerate(new):
            msi[offsets[where + k]] = byte
        found.add(pid)
    if found != set(values):
        raise ValueError("not in the summary information: %s" % sorted(set(values) - found))
