#!/usr/bin/env python3
"""Draws Subvane's icon and writes it as one .ico holding 16, 32, 48 and 256 pixel
images: a blue tile with a play mark over two caption lines, the second in the yellow
that subtitles are often set in. Uses only the standard library; the same script gives
the same bytes.

    python3 tools/icon/draw_icon.py app/Subvane.ico [--png DIR]

--png also writes each size as a PNG file, to look at.
"""

import argparse
import pathlib
import struct
import zlib

SIZES = (16, 32, 48, 256)
SAMPLES = 4  # per pixel and axis: edges are smoothed over 16 samples

TILE_TOP = (0x25, 0x63, 0xEB)
TILE_BOTTOM = (0x1E, 0x3A, 0x8A)
WHITE = (0xFF, 0xFF, 0xFF)
CAPTION_YELLOW = (0xFA, 0xCC, 0x15)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)


def shapes(size):
    """The icon's shapes in pixels, back to front: (test, colour). Edges of the caption
    lines fall on whole pixels so that the small sizes stay crisp."""
    def snap(v):
        return round(v * size)
    inset = 0 if size <= 16 else size * 0.03
    radius = size * 0.2
    tile = (inset, inset, size - inset, size - inset)
    play = ((size * 0.40, size * 0.16), (size * 0.40, size * 0.50), (size * 0.68, size * 0.33))
    line1 = (snap(0.17), snap(0.60), snap(0.83), snap(0.72))
    line2 = (snap(0.28), snap(0.78), snap(0.72), snap(0.88))
    if size <= 16:  # one pixel row less would lose a line
        line1 = (3, 9, 13, 11)
        line2 = (5, 12, 11, 14)
    line_radius = max(0.5, (line1[3] - line1[1]) * 0.45)
    return [
        (lambda x, y: in_rounded_rect(x, y, *tile, radius), None),  # None: the gradient
        (lambda x, y: in_triangle(x, y, *play), WHITE),
        (lambda x, y: in_rounded_rect(x, y, *line1, line_radius), WHITE),
        (lambda x, y: in_rounded_rect(x, y, *line2, line_radius), CAPTION_YELLOW),
    ]


def render(size):
    """The image as rows of (r, g, b, a), top row first."""
    layers = shapes(size)
    rows = []
    for py in range(size):
        gradient = tuple(round(t + (b - t) * (py + 0.5) / size)
                         for t, b in zip(TILE_TOP, TILE_BOTTOM))
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    colour = None
                    for test, fill in layers:
                        if test(x, y):
                            colour = fill or gradient
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = SAMPLES * SAMPLES
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png_bytes(rows):
    size = len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib_bytes(rows):
    """A 32-bit icon image as Windows XP reads it: the header with twice the height,
    the colour rows bottom up, then the 1-bit mask (set where the image is clear)."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def ico_bytes(images):
    """The .ico file: directory, then each image (PNG for 256 pixels, DIB below)."""
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for size, rows in images:
        body = png_bytes(rows) if size >= 256 else dib_bytes(rows)
        side = 0 if size >= 256 else size  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(body), offset + len(data))
        data += body
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("ico")
    parser.add_argument("--png", help="folder to write each size as a PNG file")
    args = parser.parse_args()
    images = [(size, render(size)) for size in SIZES]
    pathlib.Path(args.ico).write_bytes(ico_bytes(images))
    if args.png:
        folder = pathlib.Path(args.png)
        folder.mkdir(parents=True, exist_ok=True)
        for size, rows in images:
            (folder / ("icon-%d.png" % size)).write_bytes(png_bytes(rows))


if __name__ == "__main__":
    main()
