#!/usr/bin/env python3
"""Draws DRUX's own artwork: the banner of the main dialog (bitmap 130, 475 x 49,
32 bits per pixel) and the program icon (icon 128, 32 x 32 and 16 x 16). Run it in
this folder; the outputs are checked in, so the build needs no Python."""
import struct

NAVY = (16, 40, 72)
TEAL = (0, 128, 128)
AMBER = (232, 160, 32)
WHITE = (255, 255, 255)
GREY = (112, 120, 128)
DARK = (40, 48, 56)
INK = (24, 32, 40)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def bmp32(path, width, height, pixel):
    """pixel(x, y) with y = 0 at the top gives (r, g, b); stored bottom-up, BI_RGB."""
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r, 255))
        rows.append(bytes(row))
    bits = b"".join(rows)
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(bits), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + bits)


def printer(u, v):
    """A printer glyph in a 16 x 16 cell (u, v in cell units); None outside."""
    if 4 <= u < 12 and 0 <= v < 5:
        return WHITE  # paper in
    if 1 <= u < 15 and 5 <= v < 11:
        return DARK if v < 6 or u < 2 or u >= 14 else GREY  # body
    if 12 <= u < 13.5 and 7 <= v < 8.5:
        return AMBER  # the lamp
    if 4 <= u < 12 and 11 <= v < 15:
        return WHITE if v < 14 else DARK  # paper out
    return None


def sheet(u, v):
    """A page with a folded corner in an 8 x 10 cell; None outside."""
    if not (0 <= u < 8 and 0 <= v < 10):
        return None
    if u >= 5 and v < 3 and (u - 5) > v:
        return None  # the fold's cut-off
    if u >= 5 and v < 3:
        return (200, 210, 220)
    if 1.5 <= u < 6 and v >= 4 and int(v) % 2 == 0:
        return (150, 160, 170)  # lines of text
    return WHITE


# A 5 x 7 pixel font for the program's name.
FONT = {
    "D": ["1110.", "1..1.", "1...1", "1...1", "1...1", "1..1.", "1110."],
    "R": ["1111.", "1...1", "1...1", "1111.", "1.1..", "1..1.", "1...1"],
    "U": ["1...1", "1...1", "1...1", "1...1", "1...1", "1...1", ".111."],
    "X": ["1...1", "1...1", ".1.1.", "..1..", ".1.1.", "1...1", "1...1"],
}


def text_pixel(x, y, ox, oy, scale, word):
    u, v = (x - ox) // scale, (y - oy) // scale
    if v < 0 or v >= 7 or u < 0:
        return False
    ch, col = divmod(u, 6)
    if ch >= len(word) or col >= 5:
        return False
    return FONT[word[ch]][v][col] == "1"


# Banner: 475 x 49, a gradient from navy to teal, the name on the left, pages
# travelling to a printer on the right, and a thin amber line at the bottom.
def banner(x, y):
    if y >= 46:
        return AMBER if y == 47 else mix(NAVY, TEAL, x / 474)
    if text_pixel(x, y, 16, 10, 4, "DRUX"):
        return WHITE
    if text_pixel(x - 2, y - 2, 16, 10, 4, "DRUX"):
        return INK  # the name's shadow
    p = printer((x - 420) / 2.6, (y - 3) / 2.6)
    if p:
        return p
    for i, px in enumerate((160, 215, 270, 325, 372)):
        py = 20 - (i % 2) * 6 + i
        s = sheet((x - px) / 2.2, (y - py) / 2.2)
        if s:
            fade = 0.35 + 0.13 * i  # the pages brighten towards the printer
            return mix(mix(NAVY, TEAL, x / 474), s, fade)
    return mix(NAVY, TEAL, x / 474 + 0.15 * (y / 48))


bmp32("banner.bmp", 475, 49, banner)


# Icon: a page on an amber disc with a printer below it, 32 bits with alpha.
def icon_image(size):
    s = size / 16
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            u, v = x / s, y / s
            p = printer(u, v)
            if p is None and size >= 32:
                p = sheet((u - 4) * 1.6, (v + 1) * 1.6) if v < 5 else None
            if p:
                row += bytes((p[2], p[1], p[0], 255))
            else:
                d = ((x + 0.5 - size / 2) ** 2 + (y + 0.5 - size / 2) ** 2) ** 0.5
                row += bytes((AMBER[2], AMBER[1], AMBER[0], 255)) if d < size / 2 else b"\0\0\0\0"
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return info + b"".join(rows) + mask


images = [icon_image(32), icon_image(16)]
with open("drux.ico", "wb") as f:
    f.write(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset))
        offset += len(data)
    for data in images:
        f.write(data)
