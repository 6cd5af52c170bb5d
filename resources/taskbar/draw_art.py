#!/usr/bin/env python3
"""Draws the tray launcher's icon and writes it beside itself:

    notebook.ico   129  the notebook, lid open on a desktop: the tray icon
                        and the hidden main window's icon

32 x 32 and 16 x 16 images, 16 colours, transparent outside the picture (the
tray shows the 16 x 16 image). The control panel applet shows the same
picture.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/taskbar/draw_art.py
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


# ---------------------------------------------------------------- the notebook


def notebook(size):
    pic = Picture(size, size)
    if size == 32:
        lid, screen, base_top, base_bottom, spread = (3, 1, 28, 19), (6, 4, 25, 16), 20, 27, 3
    else:
        lid, screen, base_top, base_bottom, spread = (2, 1, 13, 10), (5, 4, 10, 7), 11, 14, 2
    # lid: charcoal bezel round a teal desktop
    pic.outline(*lid, "k", True)
    pic.rect(lid[0] + 1, lid[1] + 1, lid[2] - 1, lid[3] - 1, "d")
    pic.rect(lid[0] + 1, lid[1] + 1, lid[2] - 2, lid[1] + 1, "s")
    pic.rect(lid[0] + 1, lid[1] + 1, lid[0] + 1, lid[3] - 1, "s")
    sx0, sy0, sx1, sy1 = screen
    pic.outline(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, "k", False)
    pic.rect(sx0, sy0, sx1, sy1, "t")
    if size == 32:
        pic.rect(sx0 + 4, sy0 + 2, sx1 - 3, sy1 - 2, "s")    # a window on the desktop
        pic.rect(sx0 + 4, sy0 + 2, sx1 - 3, sy0 + 2, "n")
        pic.rect(sx0 + 4, sy0 + 3, sx0 + 4, sy1 - 2, "w")
        pic.rect(sx0 + 5, sy1 - 2, sx1 - 3, sy1 - 2, "d")
        pic.rect(sx1 - 4, sy0 + 3, sx1 - 3, sy1 - 2, "d")
        pic.rect(sx0 + 1, sy0 + 1, sx0 + 2, sy0 + 2, "y")    # desktop icons
        pic.rect(sx0 + 1, sy0 + 5, sx0 + 2, sy0 + 6, "w")
        pic.rect(sx0, sy1, sx1, sy1, "s")                    # taskbar
    else:
        pic.rect(sx0 + 2, sy0 + 1, sx1 - 1, sy1, "s")
        pic.rect(sx0 + 2, sy0 + 1, sx1 - 1, sy0 + 1, "n")
    # base, wider towards the front, keyboard and palm rest
    rows = base_bottom - base_top
    for y in range(base_top, base_bottom + 1):
        grow = (y - base_top) * spread // rows
        left, right = lid[0] - grow, lid[2] + grow
        pic.rect(left, y, right, y, "s")
        pic.set(left, y, "k")
        pic.set(right, y, "k")
        k = y - base_top
        if size == 32 and k in (1, 3):
            for x in range(left + 3, right - 2):
                pic.set(x, y, "w" if (x + k) % 2 else "d")
        if size == 32 and k in (2, 4):
            pic.rect(left + 3, y, right - 3, y, "d")
        if size == 16 and k == 1:
            for x in range(left + 2, right - 1):
                pic.set(x, y, "w" if x % 2 else "d")
    pic.rect(lid[0] - spread + 1, base_bottom - 1, lid[2] + spread - 1, base_bottom - 1, "d")
    pic.rect(lid[0] - spread, base_bottom, lid[2] + spread, base_bottom, "k")
    if size == 32:
        pic.rect(13, base_top + 5, 18, base_top + 5, "d")    # touch pad
    return pic


def main():
    write_ico("notebook.ico", [notebook(32), notebook(16)])


if __name__ == "__main__":
    main()
