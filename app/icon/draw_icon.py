#!/usr/bin/env python3
"""Draws the program's icon and writes app/app.ico (16, 24, 32, 48 and 256
pixels: small icons at 100% and 150%, the 32 and 48 pixel views, large
icons), so that Windows scales none of them from another size.

The picture: a letter A, a grey ring where its base point was and, past an
arrow, a red dot where the flip puts it. The 24 to 256 pixel images are drawn
from shapes on a 16-unit grid (1.5 to 16 pixels a unit) with up to 8 x 8
samples a pixel. The 16 pixel image is drawn pixel by pixel: shapes that
small blur into grey, and an arrow of one or two pixels reads as "+", so its
head there is a triangle five pixels tall. The 256 pixel image is stored as
PNG, as Windows takes it at that size; the others as bitmaps.

Usage: draw_icon.py [ICO_PATH]   (default: app.ico beside this folder)
The output depends on nothing but this file: the same bytes every run.
"""
import os
import struct
import sys
import zlib

COLOURS = {  # RGBA
    ".": (0, 0, 0, 0),
    "B": (44, 109, 181, 255),   # frame
    "w": (255, 255, 255, 255),  # paper
    "k": (32, 32, 32, 255),     # the letter
    "g": (150, 150, 150, 255),  # the old base point
    "r": (221, 45, 38, 255),    # the new base point
    "a": (44, 109, 181, 255),   # the arrow
}

PIXELS_16 = """
.BBBBBBBBBBBBBB.
BBwwwwwwwwwwwwBB
BwwwwwwkkwwwwwwB
BwwwwwkkkkwwwwwB
BwwwwkkwwkkwwwwB
BwwwwkkwwkkwwwwB
BwwwkkkkkkkkwwwB
BwwwkkwwwwkkwwwB
BwwkkwwwwwwkkwwB
BwwwwwwwwwwwwwwB
BwwwwwwawwwwwwwB
BwgggwwaawwrrrwB
BwgwgaaaaawrrrwB
BwgggwwaawwrrrwB
BBwwwwwawwwwwwBB
.BBBBBBBBBBBBBB.
"""


# Shapes on the 16-unit grid, painted in order; each is (colour, test) where
# test(x, y) tells whether the point lies inside.
def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(*points):
    def inside(x, y):  # even-odd rule
        result = False
        for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


SHAPES = [
    ("B", rounded_rect(0, 0, 16, 16, 2.5)),
    ("w", rounded_rect(1, 1, 15, 15, 1.5)),
    ("k", polygon((7, 2), (9, 2), (5.75, 10), (3.5, 10))),
    ("k", polygon((7, 2), (9, 2), (12.5, 10), (10.25, 10))),
    ("k", polygon((5.5, 6.5), (10.5, 6.5), (10.5, 8), (5.5, 8))),
    ("g", disc(4, 13, 1.6)),
    ("w", disc(4, 13, 0.85)),
    ("a", polygon((6.4, 12.5), (8.4, 12.5), (8.4, 11.4), (10, 13), (8.4, 14.6), (8.4, 13.5),
                  (6.4, 13.5))),
    ("r", disc(12, 13, 1.6)),
]


def from_pixels(text):
    rows = text.split()
    assert len(rows) == 16 and all(len(row) == 16 for row in rows)
    return [[COLOURS[c] for c in row] for row in rows]


def from_shapes(size):
    """Renders SHAPES at size pixels: each pixel the mean of samples^2 points
    (8 x 8 up to 48 pixels, fewer above, where a pixel is a smaller part of
    an edge), colours averaged with their alpha (premultiplied), so edges
    blend."""
    samples = max(2, min(8, 384 // size))
    scale = 16 / size
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = COLOURS["."]
                    for name, inside in SHAPES:
                        if inside(x, y):
                            colour = COLOURS[name]
                    a = colour[3]
                    for i in range(3):
                        total[i] += colour[i] * a
                    total[3] += a
            n = samples * samples
            alpha = total[3] / n
            rgb = [round(total[i] / total[3]) if total[3] else 0 for i in range(3)]
            row.append((rgb[0], rgb[1], rgb[2], round(alpha)))
        image.append(row)
    return image


def bitmap_entry(image):
    """One icon image as a 32-bit BITMAPINFOHEADER bitmap (height doubled for
    the mask), rows bottom-up in BGRA, then the 1-bit AND mask (all zero:
    the alpha channel decides)."""
    size = len(image)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(image) for p in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def png_entry(image):
    """One icon image as a PNG: 8-bit RGBA, rows top-down, no filter."""
    size = len(image)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = b"".join(b"\0" + bytes(v for p in row for v in p) for row in image)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    entries = [png_entry(image) if len(image) >= 256 else bitmap_entry(image)
               for image in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, data in zip(images, entries):
        size = len(image) % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(entries))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "app.ico")
    write_ico(path, [from_pixels(PIXELS_16)] + [from_shapes(size) for size in (24, 32, 48, 256)])


if __name__ == "__main__":
    main()
