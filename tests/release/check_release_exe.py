#!/usr/bin/env python3
"""Checks the shipped Quillby.exe: it imports only system DLLs, is stripped,
stays small, and carries its manifest, version and icon.

Usage: check_release_exe.py OBJDUMP EXE VERSION   (VERSION as in 0.5)
"""
import os
import re
import subprocess
import sys

# Everything the program may import; all of it ships with Windows. A DLL of
# the compiler's runtime here would mean the static link was lost.
SYSTEM_DLLS = {"ADVAPI32.dll", "GDI32.dll", "IMM32.dll", "KERNEL32.dll", "msvcrt.dll", "USER32.dll"}
MAX_BYTES = 2 * 1024 * 1024  # static C++ runtime and all: anything near it is a library linked by mistake
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
JAPANESE_UNICODE = "041104B0"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def objdump(*args):
    return subprocess.run([OBJDUMP, *args], check=True, capture_output=True, text=True).stdout


def section_bytes(name):
    """The section's bytes and its address, read from objdump's hex dump."""
    data = bytearray()
    start = None
    for line in objdump("-s", "-j", name, EXE).splitlines():
        m = re.match(r" ([0-9a-f]+) ", line)
        if not m:
            continue
        if start is None:
            start = int(m.group(1), 16)
        hex_area = line[m.end():m.end() + 36]
        data += bytes.fromhex(hex_area.replace(" ", ""))
    return bytes(data), start


def u16(data, at):
    return int.from_bytes(data[at:at + 2], "little")


def u32(data, at):
    return int.from_bytes(data[at:at + 4], "little")


def resources(rsrc, section_rva):
    """(type, id) -> data of the first language, for numeric ids."""
    found = {}

    def entries(table):
        count = u16(rsrc, table + 12) + u16(rsrc, table + 14)
        for i in range(count):
            at = table + 16 + 8 * i
            yield u32(rsrc, at), u32(rsrc, at + 4)

    for rtype, types in entries(0):
        for rid, languages in entries(types & 0x7FFFFFFF):
            _, leaf = next(entries(languages & 0x7FFFFFFF))
            rva, size = u32(rsrc, leaf), u32(rsrc, leaf + 4)
            found[(rtype, rid)] = rsrc[rva - section_rva:rva - section_rva + size]
    return found


def version_tree(data, at=0):
    """One node of a version resource: key, value and children."""
    length, value_length, kind = u16(data, at), u16(data, at + 2), u16(data, at + 4)
    end_key = at + 6
    while u16(data, end_key):
        end_key += 2
    key = data[at + 6:end_key].decode("utf-16-le")
    value_at = (end_key + 2 + 3) & ~3
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_bytes]
    if kind == 1:
        value = value.decode("utf-16-le").rstrip("\0")
    children = []
    child = (value_at + value_bytes + 3) & ~3
    while child < at + length:
        node = version_tree(data, child)
        children.append(node)
        child = (child + node["length"] + 3) & ~3
    return {"key": key, "value": value, "children": children, "length": length}


def child(node, key):
    return next((c for c in node["children"] if c["key"] == key), None)


def check_version(data):
    root = version_tree(data)
    fixed = root["value"]
    major, minor = (int(n) for n in VERSION.split("."))
    if check(len(fixed) >= 20 and u32(fixed, 0) == 0xFEEF04BD, "the version has no fixed part"):
        expected = [major << 16 | minor, 0, major << 16 | minor, 0]
        check([u32(fixed, 8 + 4 * i) for i in range(4)] == expected,
              f"file and product version are not {VERSION}.0.0")
    table = child(child(root, "StringFileInfo") or {"children": []}, JAPANESE_UNICODE)
    if check(table, f"no string table {JAPANESE_UNICODE} (Japanese, Unicode) in the version"):
        strings = {c["key"]: c["value"] for c in table["children"]}
        for key, value in [("ProductName", "Quillby"), ("FileDescription", "Quillby"),
                           ("ProductVersion", VERSION), ("FileVersion", VERSION),
                           ("OriginalFilename", "Quillby.exe")]:
            check(strings.get(key) == value, f"version {key} is {strings.get(key)!r}, not {value!r}")
    translation = child(child(root, "VarFileInfo") or {"children": []}, "Translation")
    check(translation and translation["value"][:4] == bytes.fromhex("1104b004"),
          "the version's translation is not Japanese, Unicode")


def check_manifest(manifest):
    text = manifest.decode("utf-8", "replace")
    for needle in ['name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                   'level="asInvoker"', ">true</dpiAware>", ">system</dpiAwareness>",
                   "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]:
        check(needle in text, f"the manifest lacks {needle}")


def check_icon(found):
    group = found.get((RT_GROUP_ICON, 1))
    if not check(group and u16(group, 2) == 1 and u16(group, 4) >= 1, "no icon group with id 1"):
        return
    entries = [group[6 + 14 * i:6 + 14 * (i + 1)] for i in range(u16(group, 4))]
    # A width byte of 0 is 256 pixels.
    sizes = sorted((e[0] or 256, e[1] or 256, u16(e, 6)) for e in entries)
    check(sizes == [(16, 16, 32), (32, 32, 32), (48, 48, 32), (256, 256, 32)],
          f"the icon holds {sizes}, not 16, 32, 48 and 256 pixels in true colour")
    for entry in entries:
        check((RT_ICON, u16(entry, 12)) in found, "the icon group names an icon that is missing")


def main():
    headers = objdump("-p", EXE)
    dlls = re.findall(r"DLL Name: (\S+)", headers)
    print("imports:", " ".join(dlls))
    foreign = sorted(set(dlls) - SYSTEM_DLLS)
    check(not foreign, f"imports DLLs that are not on the system list: {' '.join(foreign)}")
    check("symbols stripped" in headers, "the symbols are not stripped")
    size = os.path.getsize(EXE)
    print("size:", size, "bytes")
    check(size < MAX_BYTES, f"{size} bytes, over the {MAX_BYTES} allowed")

    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", headers, re.M).group(1), 16)
    rsrc, address = section_bytes(".rsrc")
    if check(rsrc, "no resource section"):
        found = resources(rsrc, address - image_base)
        print("resources (type, id):", sorted(found))
        if check((RT_MANIFEST, 1) in found, "no manifest with id 1"):
            check_manifest(found[(RT_MANIFEST, 1)])
        if check((RT_VERSION, 1) in found, "no version resource"):
            check_version(found[(RT_VERSION, 1)])
        check_icon(found)

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.stderr.write(__doc__)
        sys.exit(2)
    OBJDUMP, EXE, VERSION = sys.argv[1:]
    sys.exit(main())
