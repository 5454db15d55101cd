#!/usr/bin/env python3
"""Draws the installer's own artwork: the wizard watermark, the Welcome page picture,
the header image and the program icon. Run it in this folder; the outputs are
checked in, so the build needs no Python."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "cmake"))
from artwork import bmp, ico  # noqa: E402


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
def icon(size, x, y):
    p = printer(x, y, 0, 0, size / 16)
    if p:
        return p
    d = ((x - size / 2) ** 2 + (y - size / 2) ** 2) ** 0.5
    return TEAL if d < size / 2 else None


ico("tarnwick.ico", (32, 16), icon)
