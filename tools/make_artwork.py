#!/usr/bin/env python3
"""Draws the player's artwork into resources/images/.

Every picture is drawn here from shapes and small pixel patterns, so the artwork can be
changed by editing code and re-running this script. It uses only the standard library so
that it runs on any machine that can build the player, and it draws without randomness
(the brushed-metal grain comes from a hash of the pixel position), so running it again
writes byte-identical files and a rebuild never shows up as a change in the work tree.

    python3 tools/make_artwork.py
"""
import math
import os
import struct

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")

# The 16 colours every 4-bit picture uses, in the order Windows and the player expect them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# Olive never appears in a glyph, so it is safe as the colour the player treats as
# transparent (it reads it from each image's bottom-left pixel).
CLEAR = OLIVE

# Light colours count as highlights, not ink: a disabled glyph keeps only its dark shapes,
# which is how a white "?" on a blue ball still reads once everything turns grey.
LIGHT = {SILVER, LIME, YELLOW, AQUA, WHITE}


class Canvas:
    """A grid of pixels: palette indices for glyphs, (r, g, b) tuples for the deck face."""

    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        # Shapes may run over the edge; clipping here keeps every helper simple.
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err, x0 = err + dy, x0 + sx
            if e2 <= dx:
                err, y0 = err + dx, y0 + sy

    def ring(self, cx, cy, r0, r1, c, keep=lambda dx, dy: True):
        # A pixel belongs to the ring when its distance from the centre lies in [r0, r1];
        # a filled circle is a ring with r0 = 0, an arc is a ring with a keep test.
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = x - cx, y - cy
                if r0 <= math.hypot(dx, dy) <= r1 and keep(dx, dy):
                    self.set(x, y, c)

    def arc_right(self, cx, cy, r, half, c):
        # One pixel a row draws a thin curve with neither gaps nor lumps, as long as the arc
        # stays steeper than 45 degrees, which the sound waves do.
        for y in range(math.floor(cy - half), math.ceil(cy + half)):
            dy = y + 0.5 - cy
            self.set(math.floor(cx + math.sqrt(r * r - dy * dy)), y, c)

    def polygon(self, pts, c):
        # Even-odd scanline fill sampled at pixel centres, enough for arrows and cones.
        for y in range(self.h):
            yc = y + 0.5
            xs = []
            for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                if (ay <= yc < by) or (by <= yc < ay):
                    xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for xa, xb in zip(xs[::2], xs[1::2]):
                for x in range(self.w):
                    if xa <= x + 0.5 < xb:
                        self.set(x, y, c)

    def flood(self, x, y, c):
        old = self.get(x, y)
        if old == c:
            return
        stack = [(x, y)]
        while stack:
            x, y = stack.pop()
            if 0 <= x < self.w and 0 <= y < self.h and self.get(x, y) == old:
                self.set(x, y, c)
                stack += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]

    def pattern(self, x0, y0, rows, colours):
        # Small pixel drawings (the "?" and the "i") read better as pictures in the source.
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.set(x0 + dx, y0 + dy, colours[ch])

    def outline(self, inside, edge, bg=CLEAR):
        # Darkens the rim of a flat shape so it keeps its form on a grey button face.
        rim = [(x, y) for y in range(self.h) for x in range(self.w)
               if self.get(x, y) == inside and any(
                   not (0 <= x + ex < self.w and 0 <= y + ey < self.h)
                   or self.get(x + ex, y + ey) == bg
                   for ex, ey in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
        for x, y in rim:
            self.set(x, y, edge)

    def mirrored(self):
        out = Canvas(self.w, self.h, 0)
        for y in range(self.h):
            for x in range(self.w):
                out.set(self.w - 1 - x, y, self.get(x, y))
        return out


# ---------------------------------------------------------------------------- file writers

def bmp_headers(w, h, bpp, colours, image_size):
    offset = 14 + 40 + 4 * colours
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size, 2835, 2835, colours, 0)
    return file_header + info


def rows_4bit(cv):
    # Bottom-up rows, two pixels a byte with the left one in the high nibble, each row
    # padded to a whole number of 32-bit words.
    stride = (cv.w * 4 + 31) // 32 * 4
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(cv.w):
            row[x // 2] |= cv.get(x, y) << (4 if x % 2 == 0 else 0)
        data += row
    return bytes(data)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def write_bmp4(name, cv):
    pixels = rows_4bit(cv)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(bmp_headers(cv.w, cv.h, 4, 16, len(pixels)) + palette_bytes() + pixels)


def write_bmp24(name, cv):
    stride = (cv.w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        for x in range(cv.w):
            r, g, b = cv.get(x, y)
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(bmp_headers(cv.w, cv.h, 24, 0, len(data)) + data)


def write_ico(name, images):
    # Each icon image is a headerless DIB: its height counts the colour bitmap and the AND
    # mask together, and the mask's set bits mark the transparent pixels.
    blobs = []
    for cv in images:
        # Transparent pixels are black in the colour bitmap so that the screen shows through
        # unchanged where the mask is set.
        shown = Canvas(cv.w, cv.h, BLACK)
        shown.px = [BLACK if p == CLEAR else p for p in cv.px]
        xor = rows_4bit(shown)
        stride = (cv.w + 31) // 32 * 4
        mask = bytearray()
        for y in range(cv.h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(cv.w):
                if cv.get(x, y) == CLEAR:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h * 2, 1, 4, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(info + palette_bytes() + xor + bytes(mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for cv, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", cv.w, cv.h, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(out + b"".join(blobs))


# ---------------------------------------------------------------------------- the deck face

def grain(x, y, seed):
    """Pseudo-noise in [0, 1) from the position alone, so the metal looks the same every run."""
    n = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65536.0


def brushed(x, y, seed):
    # Averaging the noise along the row turns it into horizontal streaks; the program
    # stretches the face twice as much across as down, which lengthens them further.
    streak = sum(grain(x + i, y, seed) for i in range(-4, 5)) / 9.0 - 0.5
    return streak * 2.0 + (grain(0, y, seed + 7) - 0.5) * 0.8


def shade(rgb, amount):
    return tuple(max(0, min(255, round(c + amount))) for c in rgb)


def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def make_deck():
    W, H = 227, 113
    # The window face is 481 x 158; these turn its coordinates into bitmap pixels.
    def bx(x): return round(x * W / 481)
    def by(y): return round(y * H / 158)

    face_top, face_low = (178, 180, 184), (146, 148, 153)
    plate_top, plate_low = (74, 78, 86), (58, 61, 68)
    cv = Canvas(W, H, (0, 0, 0))

    # Silver face, a touch lighter at the top as if lit from above, with brushing.
    for y in range(H):
        base = mix(face_top, face_low, y / (H - 1))
        for x in range(W):
            cv.set(x, y, shade(base, brushed(x, y, 1) * 10))

    # The display well: near-black so the black labels drawn over it blend in, sunk into
    # the face by a two-pixel bevel that is dark above and left, light below and right.
    x0, y0, x1, y1 = bx(16) - 1, by(10) - 1, bx(473), by(89) - 1
    cv.rect(x0, y0, x1, y1, (4, 6, 5))
    bevel(cv, x0 - 2, y0 - 2, x1 + 2, y1 + 2,
          [((92, 94, 98), (226, 228, 232)), ((40, 42, 45), (120, 122, 126))])

    # The transport plate is darker anodised graphite so the grey round buttons stand out.
    # Its top rim sits right under the well's light lower edge, which reads as a step down.
    px0, py0, px1, py1 = bx(25) - 3, by(92) + 1, bx(261) + 3, by(153) - 1
    for y in range(py0, py1 + 1):
        base = mix(plate_top, plate_low, (y - py0) / (py1 - py0))
        for x in range(px0, px1 + 1):
            cv.set(x, y, shade(base, brushed(x, y, 2) * 7))
    bevel(cv, px0 - 1, py0 - 1, px1 + 1, py1 + 1, [((36, 38, 42), (206, 208, 212))])

    # Two screw heads either side of the controls fill the bare ends of the lower band.
    mid = (py0 + py1) / 2
    screw(cv, px0 / 2, mid)
    screw(cv, (bx(465) + W) / 2, mid)

    # The darker foot strip, a highlight along the top edge and a shadow along the bottom
    # make the face read as a solid slab rather than a flat picture.
    foot = py1 + 2
    for x in range(W):
        cv.set(x, foot, shade(cv.get(x, foot), -44))
        for y in range(foot + 1, H):
            cv.set(x, y, shade(cv.get(x, y), -30))
        cv.set(x, 0, mix(cv.get(x, 0), (255, 255, 255), 0.7))
        cv.set(x, H - 1, mix(cv.get(x, H - 1), (20, 20, 22), 0.75))
    for y in range(H):
        cv.set(0, y, mix(cv.get(0, y), (255, 255, 255), 0.4))
        cv.set(W - 1, y, mix(cv.get(W - 1, y), (20, 20, 22), 0.5))
    return cv


def screw(cv, cx, cy):
    # The face is stretched 2.12 times across but only 1.40 times down, so the head is drawn
    # as an upright ellipse to come out round. Sampling each pixel 4 x 4 times softens its
    # edge, which a two-pixel-wide shape needs to look round at all.
    rx, ry = 4.6 / 2.119, 4.6 / 1.398
    for y in range(math.floor(cy - ry * 1.3), math.ceil(cy + ry * 1.3) + 1):
        for x in range(math.floor(cx - rx * 1.3), math.ceil(cx + rx * 1.3) + 1):
            head, rim, light = 0, 0, 0.0
            for sy in range(4):
                for sx in range(4):
                    u = (x + (sx + 0.5) / 4 - cx) / rx
                    v = (y + (sy + 0.5) / 4 - cy) / ry
                    d = u * u + v * v
                    if d <= 1.0:
                        head += 1
                        # Lit from the top left, with a dark slot across the middle.
                        light += -1.2 if abs(v) < 0.22 else 0.1 - 0.55 * (u + v)
                    elif d <= 1.6:
                        rim += 1
            # The countersink around the head is a soft shadow so the head stands proud.
            px = mix(cv.get(x, y), (60, 62, 66), rim / 16 * 0.6)
            if head:
                tone = shade((168, 170, 174), 70 * light / head)
                px = mix(px, tone, head / 16)
            cv.set(x, y, px)


def bevel(cv, x0, y0, x1, y1, rings):
    """Draws rectangle rims from the outside in; each ring is (top-left, bottom-right)."""
    for i, (dark, light) in enumerate(rings):
        a, b, c, d = x0 + i, y0 + i, x1 - i, y1 - i
        for x in range(a, c + 1):
            cv.set(x, b, dark)
            cv.set(x, d, light)
        for y in range(b, d + 1):
            cv.set(a, y, dark)
            cv.set(c, y, light)
        cv.set(c, b, mix(dark, light, 0.5))
        cv.set(a, d, mix(dark, light, 0.5))


# ---------------------------------------------------------------------------- button glyphs

def disabled(cv):
    # The classic greyed glyph: the dark shapes in grey, with a white copy one pixel down
    # and right showing below them like an engraving.
    ink = [(x, y) for y in range(cv.h) for x in range(cv.w)
           if cv.get(x, y) != CLEAR and cv.get(x, y) not in LIGHT]
    out = Canvas(cv.w, cv.h, CLEAR)
    for x, y in ink:
        out.set(x + 1, y + 1, WHITE)
    for x, y in ink:
        out.set(x, y, GRAY)
    return out


def side_by_side(normal, off):
    both = Canvas(normal.w * 2, normal.h, CLEAR)
    for y in range(normal.h):
        for x in range(normal.w):
            both.set(x, y, normal.get(x, y))
            both.set(normal.w + x, y, off.get(x, y))
    return both


def with_disabled(cv):
    return side_by_side(cv, disabled(cv))


def glyph_power():
    cv = Canvas(16, 16, CLEAR)
    # The ring opens at the top where the bar goes through it, as on a real power switch.
    cv.ring(7.5, 8.5, 4.8, 6.4, RED, keep=lambda dx, dy: not (dy < 0 and abs(dx) < 3.5))
    cv.rect(7, 1, 8, 8, RED)
    return cv


def glyph_volume():
    cv = Canvas(16, 16, CLEAR)
    cv.rect(0, 6, 2, 9, BLACK)
    cv.polygon([(2, 6), (7, 2), (7, 14), (2, 10)], BLACK)
    # Three growing arcs say "sound" better than one. They share a centre inside the cone,
    # which keeps them flat and two pixels apart, so they stay separate at real size.
    for r, half in ((5.5, 3), (8.2, 5), (11.0, 7)):
        cv.arc_right(4.0, 8.0, r, half, BLACK)
    return cv


QUESTION = [
    ".####.",
    "##..##",
    "##..##",
    "...##.",
    "..##..",
    "..##..",
    "......",
    "..##..",
    "..##..",
]

INFO_I = [
    "..##..",
    "..##..",
    "......",
    ".###..",
    "..##..",
    "..##..",
    "..##..",
    "..##..",
    ".####.",
]


def glyph_help():
    cv = Canvas(18, 18, CLEAR)
    # The ball leaves the last column and row free for the disabled image's white emboss.
    # The rim is drawn thick enough to be closed, so filling from the centre cannot leak out.
    cv.ring(8.5, 8.5, 6.8, 7.9, NAVY)
    cv.flood(8, 8, BLUE)
    cv.pattern(6, 4, QUESTION, {"#": WHITE})
    return cv


def glyph_version():
    cv = Canvas(18, 18, CLEAR)
    # A white disc with a blue rim keeps it apart from the blue help ball next to it.
    cv.ring(8.5, 8.5, 6.5, 7.9, BLUE)
    cv.flood(8, 8, WHITE)
    cv.pattern(6, 4, INFO_I, {"#": NAVY})
    return cv


def glyph_add():
    cv = Canvas(16, 16, CLEAR)
    # The tip stops one pixel short of the edge so the disabled emboss is not cut off.
    cv.polygon([(1, 5), (8, 5), (8, 1), (14, 8), (8, 15), (8, 11), (1, 11)], RED)
    cv.outline(RED, MAROON)
    return cv


def staff(cv, c):
    for y in (2, 5, 8, 11, 14):
        cv.line(0, y, 15, y, c)


def glyph_register():
    """Returns both halves at once, because here the disabled half is not simply derived."""
    notes = Canvas(16, 16, CLEAR)
    # Two beamed eighth notes, heads slanted like handwritten ones.
    head = [".##", "###", "##."]
    notes.pattern(2, 10, head, {"#": BLACK})
    notes.pattern(9, 7, head, {"#": BLACK})
    notes.rect(4, 3, 4, 10, BLACK)
    notes.rect(11, 1, 11, 7, BLACK)
    for t in range(2):
        notes.line(4, 3 + t, 11, 1 + t, BLACK)
    normal, off = Canvas(16, 16, CLEAR), Canvas(16, 16, CLEAR)
    # Embossed staff lines would turn the disabled glyph into stripes, so there the staff
    # stays a faint silver and only the notes are engraved.
    staff(normal, GRAY)
    staff(off, SILVER)
    for src, dst in ((notes, normal), (disabled(notes), off)):
        for i, p in enumerate(src.px):
            if p != CLEAR:
                dst.px[i] = p
    return side_by_side(normal, off)


def bar(cv, x0, y0, x1, y1, width, c):
    """Fills a straight stroke of the given width between two points, with square ends."""
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = (y0 - y1) / length * width / 2, (x1 - x0) / length * width / 2
    cv.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], c)


def glyph_ok():
    cv = Canvas(18, 18, CLEAR)
    # One outline for the whole tick, so the two strokes meet in a sharp point at the bottom
    # instead of two overlapping bars. The long stroke is steeper than the short one, as when
    # a tick is written by hand.
    cv.polygon([(1, 9), (3.5, 6.5), (7, 10), (14, 1), (16.5, 3.5), (7, 15.5)], GREEN)
    return cv


def glyph_cancel():
    cv = Canvas(18, 18, CLEAR)
    # Each bar is exactly five pixels across every row, which gives both of its edges an even
    # staircase; a width in between leaves single-pixel bumps that look like dirt. The cross
    # stays inside the first 17 rows and columns, so the disabled emboss fits.
    width = 5 / math.sqrt(2)
    bar(cv, 2, 2, 15, 15, width, RED)
    bar(cv, 15, 2, 2, 15, width, RED)
    cv.outline(RED, MAROON)
    return cv


def glyph_retry():
    cv = Canvas(18, 18, CLEAR)
    # The ring runs clockwise from its tail on the right round to the top, where the head
    # points back into the gap, so the eye follows the arrow once around. Centring it between
    # pixels makes it as wide as it is tall, so it comes out round rather than egg-shaped.
    cv.ring(8.5, 9.5, 4.4, 7.0, NAVY,
            keep=lambda dx, dy: not (dx > 0 and -90 < math.degrees(math.atan2(dy, dx)) < -10))
    # The ring measures from pixel centres and the polygon from pixel corners, so the head's
    # base at x = 9 lines up with the top of the ring at x = 8.5.
    cv.polygon([(9, 0), (14, 4.5), (9, 9)], NAVY)
    return cv


def picture_about():
    cv = Canvas(32, 32, CLEAR)
    # The disc sits in the tray slot, so it is drawn first and the drive covers its lower half.
    disc(cv, 13.5, 19.5, 11.0)
    # Drive front: silver box, lit from the top left, with the tray slot across the middle.
    cv.rect(0, 17, 31, 30, BLACK)
    cv.rect(1, 18, 30, 29, SILVER)
    cv.line(1, 18, 29, 18, WHITE)
    cv.line(1, 18, 1, 28, WHITE)
    cv.line(2, 29, 30, 29, GRAY)
    cv.line(30, 19, 30, 29, GRAY)
    cv.rect(4, 20, 27, 21, BLACK)
    cv.line(4, 22, 27, 22, WHITE)
    cv.rect(4, 25, 5, 26, LIME)
    cv.rect(22, 25, 27, 26, GRAY)
    cv.line(22, 27, 27, 27, WHITE)
    # A note beside the disc says this is a music player, not a data drive.
    cv.pattern(24, 1, NOTE_SMALL, {"#": BLACK})
    return cv


# ---------------------------------------------------------------------------- the icon

NOTE_BIG = [
    "....##...",
    "....###..",
    "....####.",
    "....##.##",
    "....##..#",
    "....##..#",
    "....##...",
    "....##...",
    ".#####...",
    "######...",
    "#####....",
    ".###.....",
]

NOTE_SMALL = [
    "..#...",
    "..##..",
    "..#.#.",
    "..#..#",
    "..#..#",
    "..#...",
    "..#...",
    ".##...",
    "###...",
    "###...",
    ".#....",
]

NOTE_TINY = [
    "..#.",
    "..##",
    "..#.",
    "..#.",
    "###.",
    "###.",
]


def disc(cv, cx, cy, r):
    # Silver with a grey rim, a clear hole inside a clamping ring, and two opposite rainbow
    # flares, the way a disc catches the light of a lamp above it.
    small = r < 10
    # A small disc has no room for the white glints, so its flares are wider instead.
    rainbow = [AQUA, YELLOW, FUCHSIA] if small else [AQUA, LIME, YELLOW, FUCHSIA]
    flare, glint = (24, 0) if small else (15, 8)
    hole, hub = max(1.6, r * 0.14), r * 0.36
    for y in range(cv.h):
        for x in range(cv.w):
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            off = abs(math.degrees(math.atan2(dy, dx)) % 180.0 - 135)
            if d > r or d < hole:
                continue
            if d > r - 1.0 or hub - 0.5 < d <= hub + 0.5:
                c = GRAY
            elif d <= hub:
                c = SILVER if small or d < hub - 1.3 else WHITE
            elif off <= flare:
                band = int((d - hub - 0.5) / (r - 1 - hub - 0.5) * len(rainbow))
                c = rainbow[max(0, min(len(rainbow) - 1, band))]
            elif off <= flare + glint:
                c = WHITE
            else:
                c = SILVER
            cv.set(x, y, c)
    if not small:
        cv.ring(cx, cy, hole, hole + 0.8, GRAY)


def stamp_with_rim(cv, x0, y0, rows, fill):
    # A lime note needs a black rim to stay readable over the silver disc and on any desktop.
    mark = Canvas(cv.w, cv.h, CLEAR)
    mark.pattern(x0, y0, rows, {"#": fill})
    for y in range(cv.h):
        for x in range(cv.w):
            if mark.get(x, y) != fill and any(
                    0 <= x + ex < cv.w and 0 <= y + ey < cv.h and mark.get(x + ex, y + ey) == fill
                    for ex in (-1, 0, 1) for ey in (-1, 0, 1)):
                cv.set(x, y, BLACK)
    cv.pattern(x0, y0, rows, {"#": fill})


def icon(size):
    cv = Canvas(size, size, CLEAR)
    if size == 32:
        disc(cv, 15.5, 15.5, 15.6)
        stamp_with_rim(cv, 21, 17, NOTE_BIG, LIME)
    else:
        disc(cv, 7.5, 7.5, 7.8)
        stamp_with_rim(cv, 11, 9, NOTE_TINY, LIME)
    return cv


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    write_bmp24("deck.bmp", make_deck())
    write_bmp4("power.bmp", with_disabled(glyph_power()))
    write_bmp4("volume.bmp", with_disabled(glyph_volume()))
    write_bmp4("help.bmp", with_disabled(glyph_help()))
    write_bmp4("version.bmp", with_disabled(glyph_version()))
    write_bmp4("add.bmp", with_disabled(glyph_add()))
    write_bmp4("delete.bmp", with_disabled(glyph_add().mirrored()))
    write_bmp4("register.bmp", glyph_register())
    write_bmp4("ok.bmp", with_disabled(glyph_ok()))
    write_bmp4("cancel.bmp", with_disabled(glyph_cancel()))
    write_bmp4("retry.bmp", with_disabled(glyph_retry()))
    write_bmp4("about.bmp", picture_about())
    write_ico("plume.ico", [icon(32), icon(16)])


if __name__ == "__main__":
    main()
