#!/usr/bin/env python3
"""Writes the window's icon as a 16 by 16, 16-colour .ico file from its text
pixel table, so that the table stays the one place where the pixels are drawn.

Usage: write_ico.py TABLE ICO
"""
import struct
import sys

SIZE = 16
COLOURS = 16
TRANSPARENT = "."


def read_table(path):
    palette = {}
    rows = []
    with open(path, encoding="ascii") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split()
            if len(fields) == 2 and len(fields[0]) == 1 and len(fields[1]) == 6:
                palette[int(fields[0], 16)] = bytes.fromhex(fields[1])
            elif len(line) == SIZE and all(c == TRANSPARENT or c in "0123456789ABCDEF" for c in line):
                rows.append(line)
            else:
                raise ValueError(f"{path}:{number}: neither a palette line nor a pixel row")
    if sorted(palette) != list(range(COLOURS)):
        raise ValueError(f"{path}: the palette needs the {COLOURS} digits 0 to F once each")
    if len(rows) != SIZE:
        raise ValueError(f"{path}: {len(rows)} pixel rows instead of {SIZE}")
    return palette, rows


def icon_image(palette, rows):
    # Both bitmaps run bottom row first. The colour rows hold two pixels a
    # byte; the mask rows one bit a pixel, set where the background shows,
    # each row padded to four bytes.
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        indices = [0 if c == TRANSPARENT else int(c, 16) for c in row]
        colour += bytes(indices[x] << 4 | indices[x + 1] for x in range(0, SIZE, 2))
        bits = 0
        for c in row:
            bits = bits << 1 | (c == TRANSPARENT)
        mask += bits.to_bytes(SIZE // 8, "big").ljust(4, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    quads = b"".join(bytes((rgb[2], rgb[1], rgb[0], 0)) for _, rgb in sorted(palette.items()))
    return header + quads + colour + mask


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        image = icon_image(*read_table(argv[1]))
    except (OSError, ValueError) as error:
        sys.stderr.write(f"write_ico.py: {error}\n")
        return 1
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, COLOURS, 0, 1, 4, len(image), 6 + 16)
    with open(argv[2], "wb") as ico:
        ico.write(directory + entry + image)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
