#!/usr/bin/env python3
"""Draws the save-to-disk utility's icon and legend bitmaps and writes them
beside itself:

    program.ico        128  hard disk with a crescent moon: the window icon of
                            both dialogs (32 x 32 and 16 x 16, 16 colours,
                            transparent outside the picture)
    legend_file.bmp    129  green square: the hibernation file (or partition)
    legend_free.bmp    130  magenta square: free space (rest of the disk)
    legend_used.bmp    131  blue square: used space

The legend squares are 12 x 12, 16-colour bottom-up BI_RGB bitmaps: a black
frame round the colour of the matching slice of the pie chart (pure green,
magenta and blue), opaque, so they look the same on any dialog face.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/sorvault/draw_art.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- canvas and files

# The 16 colours of the standard VGA palette, in their usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# One character per colour in the pixel art below. "." leaves the pixel as it
# is; "_" makes it transparent again.
INK = {
    "k": 0, "m": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, "s": 7,
    "d": 8, "r": 9, "l": 10, "y": 11, "b": 12, "f": 13, "c": 14, "w": 15,
}


class Picture:
    """A grid of palette indices; None is transparent (or the background)."""

    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, ink):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = None if ink in (None, "_") else INK[ink]

    def rect(self, x0, y0, x1, y1, ink):
        """Fills the rectangle x0..x1, y0..y1 (inclusive)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, ink)

    def outline(self, x0, y0, x1, y1, ink="k", round_corners=True):
        """A filled block of `ink`, its corner pixels left out when rounded."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                corner = x in (x0, x1) and y in (y0, y1)
                if not (corner and round_corners):
                    self.set(x, y, ink)

    def art(self, rows, left, top):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch != ".":
                    self.set(left + x, top + y, ch)

    def copy(self):
        other = Picture(self.w, self.h)
        other.px = [row[:] for row in self.px]
        return other


def dib_rows(pic, bits, background=0):
    """The picture's pixels as bottom-up DIB rows of `bits` per pixel."""
    stride = ((pic.w * bits + 31) // 32) * 4
    out = bytearray()
    for y in range(pic.h - 1, -1, -1):
        row = [background if v is None else v for v in pic.px[y]]
        if bits == 4:
            row += [0] * (stride * 2 - len(row))
            out += bytes((row[i] << 4) | row[i + 1] for i in range(0, stride * 2, 2))
        else:
            out += bytes(row) + b"\0" * (stride - len(row))
    return bytes(out)


def mask_rows(pic):
    """The AND mask, bottom-up: 1 where the picture is transparent."""
    stride = ((pic.w + 31) // 32) * 4
    out = bytearray()
    for y in range(pic.h - 1, -1, -1):
        bits = bytearray(stride)
        for x, v in enumerate(pic.px[y]):
            if v is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def colour_table():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def write_bmp(name, pic, background=15):
    """A 16-colour bottom-up BI_RGB bitmap; empty pixels get `background`."""
    pixels = dib_rows(pic, 4, background)
    info = struct.pack("<IiiHHIIiiII", 40, pic.w, pic.h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + 16 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + colour_table() + pixels)


def write_ico(name, pictures):
    """An icon file with one 16-colour image per picture (largest first)."""
    images = []
    for pic in pictures:
        xor, andm = dib_rows(pic, 4), mask_rows(pic)
        info = struct.pack("<IiiHHIIiiII", 40, pic.w, pic.h * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 0, 0)
        images.append(info + colour_table() + xor + andm)
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for pic, image in zip(pictures, images):
        data += struct.pack("<BBBBHHII", pic.w, pic.h, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data + b"".join(images))


# ---------------------------------------------------------------- the icon


def slab(pic, fx0, fy0, fx1, fy1, d):
    """A box seen from above the front right: front face, top, right side."""
    for i in range(1, d + 1):
        pic.rect(fx0 + i, fy0 - i, fx1 + i, fy0 - i, "w")     # top
        pic.rect(fx1 + i, fy0 - i, fx1 + i, fy1 - i, "d")     # right side
    pic.rect(fx0, fy0, fx1, fy1, "s")
    pic.rect(fx0 + 1, fy0 + 1, fx1 - 1, fy0 + 1, "w")
    pic.rect(fx0 + 1, fy0 + 1, fx0 + 1, fy1 - 1, "w")
    pic.rect(fx0 + 1, fy1 - 1, fx1 - 1, fy1 - 1, "d")
    for x0, y0, x1, y1 in ((fx0, fy0, fx1, fy0), (fx0, fy1, fx1, fy1),
                           (fx0, fy0, fx0, fy1), (fx1, fy0, fx1, fy1),
                           (fx0 + d, fy0 - d, fx1 + d, fy0 - d), (fx1 + d, fy0 - d, fx1 + d, fy1 - d)):
        pic.rect(x0, y0, x1, y1, "k")
    for i in range(1, d):
        pic.set(fx0 + i, fy0 - i, "k")
        pic.set(fx1 + i, fy0 - i, "k")
        pic.set(fx1 + i, fy1 - i, "k")


MOON = {
    32: ([
        "............nnnnn",
        "....kkkkk.......n",
        "..kkyyyyk......n.",
        ".kyyyyokk.....n..",
        ".kyyyok......nnnnn",
        "kyyyyk...........",
        "kyyyok...........",
        "kyyyok...........",
        "kyyyok...........",
        "kyyyyk...........",
        ".kyyyok..........",
        ".kyyyyokk........",
        "..kkyyyyk........",
        "....kkkkk........",
    ], 9, 0),
    16: ([
        "..kkk...nnnn",
        ".kyyk.....n.",
        "kyyk.....n..",
        "kyok....nnnn",
        "kyok........",
        "kyyk........",
        ".kyyk.......",
        "..kkk.......",
    ], 3, 0),
}


def program_icon(size):
    """The hard disk the machine sleeps onto, and the moon above it."""
    pic = Picture(size, size)
    if size == 32:
        slab(pic, 1, 20, 25, 29, 5)
        pic.rect(4, 26, 13, 26, "d")         # label groove
        pic.rect(20, 25, 22, 26, "l")        # busy lamp
        pic.rect(20, 25, 22, 25, "w")
        pic.set(21, 26, "g")
    else:
        slab(pic, 0, 11, 13, 15, 2)
        pic.rect(2, 13, 6, 13, "d")
        pic.rect(10, 13, 11, 13, "l")
    rows, left, top = MOON[size]
    pic.art(rows, left, top)
    return pic


# ---------------------------------------------------------------- legend squares

LEGENDS = [("legend_file.bmp", "l"), ("legend_free.bmp", "f"), ("legend_used.bmp", "b")]


def legend(ink):
    pic = Picture(12, 12)
    pic.outline(0, 0, 11, 11, "k", False)
    pic.rect(1, 1, 10, 10, ink)
    return pic


def main():
    write_ico("program.ico", [program_icon(32), program_icon(16)])
    for name, ink in LEGENDS:
        write_bmp(name, legend(ink))


if __name__ == "__main__":
    main()
