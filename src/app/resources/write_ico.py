#!/usr/bin/env python3
"""Writes the window's icon as a .ico file from its 16 by 16 text pixel table,
so that the table stays the one place where the pixels are drawn: the same
picture at 16, 32, 48 and 256 pixels, each table pixel a square of pixels, in
true colour with a transparent background (the largest as PNG, as Windows
keeps it).

Usage: write_ico.py TABLE ICO
"""
import struct
import sys
import zlib

SIZE = 16
COLOURS = 16
TRANSPARENT = "."
SIZES = (16, 32, 48, 256)


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


def scaled(palette, rows, size):
    """The picture at `size` pixels as rows of (r, g, b, a), top row first."""
    picture = []
    for y in range(size):
        row = rows[y * SIZE // size]
        cells = [row[x * SIZE // size] for x in range(size)]
        picture.append([(0, 0, 0, 0) if c == TRANSPARENT else (*palette[int(c, 16)], 255)
                        for c in cells])
    return picture


def bitmap_image(picture):
    # Both bitmaps run bottom row first: the colours four bytes a pixel, the
    # mask one bit a pixel, set where the background shows, each mask row
    # padded to four bytes.
    size = len(picture)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(picture):
        colour += b"".join(bytes((b, g, r, a)) for r, g, b, a in row)
        bits = 0
        for pixel in row:
            bits = bits << 1 | (pixel[3] == 0)
        mask += bits.to_bytes(size // 8, "big").ljust((size // 8 + 3) // 4 * 4, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def png_image(picture):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    size = len(picture)
    raw = b"".join(b"\0" + b"".join(bytes(pixel) for pixel in row) for row in picture)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_file(palette, rows):
    images = [png_image(p) if size >= 256 else bitmap_image(p)
              for size, p in ((size, scaled(palette, rows, size)) for size in SIZES)]
    directory = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = len(directory) + 16 * len(SIZES)
    for size, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        ico = icon_file(*read_table(argv[1]))
    except (OSError, ValueError) as error:
        sys.stderr.write(f"write_ico.py: {error}\n")
        return 1
    with open(argv[2], "wb") as out:
        out.write(ico)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
