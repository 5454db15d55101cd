#!/usr/bin/env python3
"""Draws the installer's own artwork: the wizard watermark, the Welcome page picture,
the header image and the program icon. Run it in this folder; the outputs are
checked in, so the build needs no Python."""
import struct


def bmp(path, width, height, bpp, pixel, palette=None):
    """pixel(x, y) with y = 0 at the top: an (r, g, b) tuple, or a palette index."""
    stride = ((width * bpp + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            p = pixel(x, y)
            if bpp == 8:
                row.append(p)
            else:
                r, g, b = p
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pal = b""
    if bpp == 8:
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    bits = b"".join(rows)
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(bits), 2835, 2835,
                       256 if bpp == 8 else 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pal + bits)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


NAVY = (16, 40, 72)
TEAL = (0, 128, 128)
PALE = (220, 236, 236)
WHITE = (255, 255, 255)
GREY = (112, 120, 128)
DARK = (40, 48, 56)


def printer(x, y, ox, oy, s, paper=WHITE):
    """A simple printer glyph of size 16*s at (ox, oy); None outside."""
    u, v = (x - ox) / s, (y - oy) / s
    if 4 <= u < 12 and 0 <= v < 5:
        return paper  # paper in
    if 1 <= u < 15 and 5 <= v < 11:
        return DARK if v < 6 or u < 2 or u >= 14 else GREY  # body
    if 4 <= u < 12 and 11 <= v < 15:
        return paper if v < 14 else DARK  # paper out
    return None


# Watermark: 499 x 314, 8 bits per pixel, a vertical gradient with soft bands.
palette = [mix(NAVY, TEAL, i / 191) if i < 192 else mix(TEAL, PALE, (i - 192) / 63) for i in range(256)]


def watermark(x, y):
    t = y / 313
    band = 24 if ((x + 2 * y) // 60) % 2 else 0
    return min(255, int(t * 191) + band)


bmp("watermark.bmp", 499, 314, 8, watermark, palette)


# Welcome picture: 164 x 314, 24 bits per pixel, gradient and a large printer.
def welcome(x, y):
    p = printer(x, y, 34, 100, 6)
    return p if p else mix(NAVY, TEAL, y / 313)


bmp("welcome.bmp", 164, 314, 24, welcome)


# Header image: 49 x 49, 24 bits per pixel; the teal background is recoloured to the
# window colour at start-up.
def header(x, y):
    p = printer(x, y, 1, 2, 2.9, paper=(196, 220, 236))
    return p if p else TEAL


bmp("header.bmp", 49, 49, 24, header)


# Icon: 32 x 32 and 16 x 16, 32 bits per pixel with alpha.
def icon_image(size):
    s = size / 16
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            p = printer(x, y, 0, 0, s)
            if p:
                row += bytes((p[2], p[1], p[0], 255))
            else:
                d = ((x - size / 2) ** 2 + (y - size / 2) ** 2) ** 0.5
                row += bytes((TEAL[2], TEAL[1], TEAL[0], 255)) if d < size / 2 else b"\0\0\0\0"
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return info + b"".join(rows) + mask


images = [icon_image(32), icon_image(16)]
with open("tarnwick.ico", "wb") as f:
    f.write(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset))
        offset += len(data)
    for data in images:
        f.write(data)
