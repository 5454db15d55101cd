#!/usr/bin/env python3
"""Draws DRUX's own artwork: the banner of the main dialog (bitmap 130, 475 x 49,
32 bits per pixel) and the program icon (icon 128, 32 x 32 and 16 x 16). Run it in
this folder; the outputs are checked in, so the build needs no Python."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
from artwork import bmp, ico  # noqa: E402

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


bmp("banner.bmp", 475, 49, 32, banner)


# Icon: a page on an amber disc with a printer below it, 32 bits with alpha.
def icon(size, x, y):
    s = size / 16
    u, v = x / s, y / s
    p = printer(u, v)
    if p is None and size >= 32:
        p = sheet((u - 4) * 1.6, (v + 1) * 1.6) if v < 5 else None
    if p:
        return p
    d = ((x + 0.5 - size / 2) ** 2 + (y + 0.5 - size / 2) ** 2) ** 0.5
    return AMBER if d < size / 2 else None


ico("drux.ico", (32, 16), icon)
