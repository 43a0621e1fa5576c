#!/usr/bin/env python3
"""Draws the desktop's icons of the player into desktop/icons/<n>x<n>/plume.png.

The desktop wants the program's icon in several sizes, as PNG files with transparency. They
are the icon of resources/images/plume.ico (a disc with a lime note) drawn afresh at each size
by the artwork script's own routines, so both stay one picture; the note keeps its pixel
pattern, scaled by whole pixels, as the small icon shows it. Like the artwork script it uses
only the standard library and writes byte-identical files on every run.

    python3 tools/make_desktop_icons.py
"""
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True
import make_artwork as art  # noqa: E402  (after the setting above, so no cache is written)

SIZES = [16, 24, 32, 48, 64, 128, 256]
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop", "icons")


def icon(size):
    # The two sizes the artwork draws by hand stay exactly as drawn there.
    if size in (16, 32):
        return art.icon(size)
    cv = art.Canvas(size, size, art.CLEAR)
    centre = (size - 1) / 2
    art.disc(cv, centre, centre, size / 2 - 0.4)
    rows = art.NOTE_SMALL if size < 32 else art.NOTE_BIG
    scale = max(1, size // 32)
    scaled = ["".join(ch * scale for ch in row) for row in rows for _ in range(scale)]
    # The note sits low on the right, over the disc's edge, as on the 32-pixel icon.
    x0 = round(size * 21 / 32)
    y0 = round(size * 17 / 32)
    x0 = min(x0, size - len(scaled[0]))
    y0 = min(y0, size - len(scaled))
    art.stamp_with_rim(cv, x0, y0, scaled, art.LIME)
    return cv


def png(cv):
    rows = bytearray()
    for y in range(cv.h):
        rows.append(0)  # no filter
        for x in range(cv.w):
            p = cv.get(x, y)
            if p == art.CLEAR:
                rows += b"\0\0\0\0"
            else:
                rows += bytes(art.PALETTE[p]) + b"\xff"

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", cv.w, cv.h, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def main():
    for size in SIZES:
        folder = os.path.join(OUT_DIR, "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "plume.png"), "wb") as f:
            f.write(png(icon(size)))


if __name__ == "__main__":
    main()
