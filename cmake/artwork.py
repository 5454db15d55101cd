"""The bitmap and icon writers the artwork scripts share (droptool/res and
installer/app/res). Pixels are given top-down; the files store rows bottom-up,
BI_RGB, 2835 pixels per metre (72 dpi)."""
import struct


def _rows(width, height, bpp, pixel):
    """The pixel rows bottom-up, each padded to a multiple of four bytes. pixel(x, y)
    gives a palette index (8 bits) or an (r, g, b) tuple (24 and 32 bits; 32 bits are
    opaque)."""
    stride = ((width * bpp + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            p = pixel(x, y)
            if bpp == 8:
                row.append(p)
            else:
                r, g, b = p
                row += bytes((b, g, r, 255)) if bpp == 32 else bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    return b"".join(rows)


def bmp(path, width, height, bpp, pixel, palette=None):
    """Writes a .bmp of 8 (with a 256-colour palette of (r, g, b)), 24 or 32 bits."""
    pal = b""
    if bpp == 8:
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    bits = _rows(width, height, bpp, pixel)
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(bits), 2835, 2835,
                       256 if bpp == 8 else 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pal + bits)


def _icon_image(size, pixel):
    """One 32-bit icon image with alpha: pixel(x, y) gives (r, g, b), or None where the
    image is transparent. The AND mask is all zero; the alpha channel does the work."""
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            p = pixel(x, y)
            row += bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return info + b"".join(rows) + mask


def ico(path, sizes, pixel):
    """Writes a .ico with one square image per size (largest first as given);
    pixel(size, x, y) is as for one image."""
    images = [_icon_image(size, lambda x, y, s=size: pixel(s, x, y)) for size in sizes]
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        offset = 6 + 16 * len(images)
        for size, data in zip(sizes, images):
            f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset))
            offset += len(data)
        for data in images:
            f.write(data)
