"""The canvas and file writers every art script of the suite draws with.

A Picture is a grid of indices into the standard 16-colour VGA palette, drawn
with one character per colour. write_ico writes 16-colour icons with an AND
mask (empty pixels transparent), write_bmp 16-colour bottom-up BI_RGB bitmaps
(empty pixels filled), and write_dib the file around any bottom-up DIB.

Standard library only. The draw scripts put this folder on sys.path relative
to their own place, so each still runs from any directory.
"""

import struct

# The 16 colours of the standard VGA palette, in their usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# One character per colour in the pixel art. "." leaves the pixel as it is;
# "_" makes it transparent again.
INK = {
    "k": 0, "m": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, "s": 7,
    "d": 8, "r": 9, "l": 10, "y": 11, "b": 12, "f": 13, "c": 14, "w": 15,
}


# ---------------------------------------------------------------- canvas


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


def bands(n):
    """Chrome shading across a pipe n pixels thick: light, face, shadow."""
    if n == 1:
        return ["s"]
    if n == 2:
        return ["w", "s"]
    return ["w"] + ["s"] * (n - 2) + ["d"]


def metal(pic, x0, y0, x1, y1, kind):
    """Shades an inside area: "h" a pipe lying down, "v" one standing up,
    "box" a block lit from the upper left."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if kind == "h":
                ink = bands(y1 - y0 + 1)[y - y0]
            elif kind == "v":
                ink = bands(x1 - x0 + 1)[x - x0]
            else:
                ink = "s"
                if y == y1 or x == x1:
                    ink = "d"
                if (y == y0 and x < x1) or (x == x0 and y < y1):
                    ink = "w"
            pic.set(x, y, ink)


# ---------------------------------------------------------------- files


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


def colour_table(palette=PALETTE):
    """RGBQUADs for the (r, g, b) colours of `palette`."""
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def write_dib(path, w, h, bits, table, pixels):
    """A BMP file: bottom-up BI_RGB `pixels` of `bits` per pixel, with the
    colour table `table` (all of its entries counted as used)."""
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, len(table) // 4, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


def write_bmp(path, pic, background=15):
    """A 16-colour bottom-up BI_RGB bitmap; empty pixels get `background`."""
    write_dib(path, pic.w, pic.h, 4, colour_table(), dib_rows(pic, 4, background))


def write_ico(path, pictures):
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
    with open(path, "wb") as f:
        f.write(data + b"".join(images))
