#!/usr/bin/env python3
"""Checks the download for users: Quillby-<version>.zip holds the built
Quillby.exe and the Japanese read-me, which Notepad opens on any Windows.

Usage: check_release_zip.py ZIP EXE VERSION
"""
import struct
import sys
import zipfile
import zlib

README = "はじめにお読みください.txt"
# What the read-me must tell: the files Quillby keeps, and the administrator rights.
MENTIONS = ["PostPet20.EXE", "おともだち帳.original", "Quillby.backup", "Quillby.memo",
            "管理者として実行", "64ビット", "SmartScreen", "VirtualStore", "QUILLBY.INI",
            "表示されるメッセージと対処", "削除するには"]


def unicode_path(info):
    """The name in the Info-ZIP Unicode Path field, if that field is there and
    belongs to the name in code page 932."""
    extra = info.extra
    while len(extra) >= 4:
        tag, size = struct.unpack_from("<HH", extra)
        if tag == 0x7075 and size >= 5:
            version, crc = struct.unpack_from("<BI", extra, 4)
            if version == 1 and crc == zlib.crc32(info.filename.encode("cp932")):
                return extra[9:4 + size].decode("utf-8")
        extra = extra[4 + size:]
    return None


def problems(zip_path, exe, version):
    with zipfile.ZipFile(zip_path, metadata_encoding="cp932") as archive:
        entries = {info.filename: info for info in archive.infolist()}
        if sorted(entries) != sorted(["Quillby.exe", README]):
            return [f"the zip holds {sorted(entries)}"]
        found = []
        with open(exe, "rb") as built:
            if archive.read("Quillby.exe") != built.read():
                found.append("Quillby.exe in the zip is not the one built")
        if entries[README].flag_bits & 0x800 or unicode_path(entries[README]) != README:
            found.append("the read-me's name is not in code page 932 with its UTF-8 name beside")
        data = archive.read(README)
    if not data.startswith(b"\xef\xbb\xbf"):
        found.append("the read-me has no UTF-8 byte-order mark")
    if data.replace(b"\r\n", b"").count(b"\n") or data.replace(b"\r\n", b"").count(b"\r"):
        found.append("the read-me has a line end other than CR LF")
    text = data.decode("utf-8-sig", errors="replace")
    if "\ufffd" in text:
        found.append("the read-me is not UTF-8")
    if not text.startswith(f"Quillby Ver{version}\r\n"):
        found.append(f"the read-me does not begin with the version Ver{version}")
    found += [f"the read-me does not mention {word}" for word in MENTIONS if word not in text]
    return found


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    found = problems(*sys.argv[1:])
    for problem in found:
        print("FAIL:", problem)
    sys.exit(1 if found else 0)
