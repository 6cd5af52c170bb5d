#!/usr/bin/env python3
"""Draws the icons of Corvessa's Power Mode page and writes them beside itself:

    mode_battery_performance.ico   133  tap in full flow, battery
    mode_battery_life.ico          135  dripping tap, battery
    mode_battery_customized.ico    137  tap with a hand on the handle, battery
    mode_ac_performance.ico        144  tap in full flow, plug
    mode_ac_life.ico               145  dripping tap, plug
    mode_ac_customized.ico         147  tap with a hand on the handle, plug
    timer.ico                      139  hourglass, beside the timer lists
    processor.ico                  140  processor chip, beside the processor row
    cdrom.ico                      142  CD-ROM drive, beside the CD-ROM row

Every icon holds a 32 x 32 and a 16 x 16 image, 16 colours each, with an AND
mask: the pixels outside the picture are transparent, so the page's static
icon controls show the dialog face through them. The six mode pictures share
one tap at one place; only the water (full stream, drops, thin stream with a
hand) and the power source in the lower left corner (plug or battery) change.
The fuel gauge draws the same six pictures for its power-mode icon.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/corvessa/draw_art.py
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


# ---------------------------------------------------------------- the tap

# Geometry of the tap at each size: outlines (rounded or not), then the insides
# drawn over them in order, so that joined parts share one outline.
TAP = {
    32: {
        "outlines": [
            (6, 4, 17, 7, True),     # cross handle
            (10, 7, 13, 10, False),  # stem
            (5, 10, 18, 18, True),   # body
            (0, 12, 5, 16, False),   # pipe from the wall
            (18, 12, 26, 16, True),  # spout, lying part
            (22, 12, 26, 22, True),  # spout, bend down
            (21, 21, 27, 23, True),  # nozzle
        ],
        "insides": [
            (0, 13, 4, 15, "h"),
            (6, 11, 17, 17, "box"),
            (11, 8, 12, 9, "v"),
            (7, 5, 16, 6, "h"),
            (19, 13, 25, 15, "h"),
            (23, 16, 25, 20, "v"),
            (22, 22, 26, 22, "h"),
        ],
        "cap": [(11, 5, "r"), (12, 5, "r"), (11, 6, "m"), (12, 6, "m")],
        "fix": [(25, 13, "s"), (25, 14, "d"), (25, 15, "d")],   # the bend's shadow
    },
}


# The small tap is drawn pixel by pixel.
TAP16 = [
    "..kkkkkkkk......",
    ".kwwwrrwwdk.....",
    "..kkkkkkkk......",
    "....kwdk........",
    "..kkkkkkkkk.....",
    "kkkwwwwwwskkkk..",
    "wwkwsssssdkwwwk.",
    "sskwsssssdkssdk.",
    "kkkwddddddkkwdk.",
    "..kkkkkkkkkkwdk.",
    "...........kwdk.",
    "..........kkkkkk",
]


def tap(size):
    pic = Picture(size, size)
    if size == 16:
        pic.art(TAP16, 0, 0)
        return pic
    geo = TAP[size]
    for x0, y0, x1, y1, rounded in geo["outlines"]:
        pic.outline(x0, y0, x1, y1, "k", rounded)
    for x0, y0, x1, y1, kind in geo["insides"]:
        metal(pic, x0, y0, x1, y1, kind)
    for x, y, ink in geo["cap"] + geo["fix"]:
        pic.set(x, y, ink)
    return pic


# Water below the nozzle: (rows, left, top) per size.
FULL_FLOW = {
    32: ([
        "nbcbbbn",
        "nbcbbbn",
        "nbcbbbn",
        "nbcbbbn",
        "nbcbbbn",
        "nbcbbbn",
        "nbcbbbn",
        "nbcbbbn",
    ], 21, 24),
    16: ([
        "nbcbn",
        "nbcbn",
        "nbcbn",
        "nbcbbn",
    ], 10, 12),
}
# Where the stream lands it spreads.
SPLASH = {
    32: [(20, 31, "n"), (21, 31, "b"), (27, 31, "b"), (28, 31, "n"), (20, 30, "n"), (28, 30, "n")],
    16: [],
}
DRIPS = {
    32: ([
        "..nn..",
        ".nccn.",
        ".nbbn.",
        "..nn..",
        "......",
        "..nn..",
        ".ncbn.",
        "nccbbn",
        "nbbbbn",
        "nbbbbn",
        ".nnnn.",
    ], 21, 21),
    16: ([
        "....",
        ".nn.",
        "nbcn",
        ".nn.",
    ], 11, 12),
}
THIN_FLOW = {
    32: ([
        ".nbn.",
        ".nbn.",
        ".ncn.",
        ".nbn.",
        ".nbn.",
        ".ncn.",
        ".nbn.",
        ".nbn.",
    ], 22, 24),
    16: ([
        "nbn",
        "ncn",
        "nbn",
        "nbn",
    ], 11, 12),
}
# A white-gloved hand gripping the end of the cross handle, reaching in from
# the right: thumb over the bar, fingers wrapped round it, cuff, blue sleeve.
HAND = {
    32: ([
        "...kkkkk.............",
        "..kwwwwwkk...........",
        ".kwwwwwwwwk..........",
        "kwwkwwkwwwwkkk.kkkkkk",
        "kwwkwwkwwwwkwwkbbbbbb",
        "kwwkwwkwwwwkwwkbbbbbb",
        "kwwkwwkwwwwkwwkbbbbbb",
        "kwwkwwkwwwdkwwknnnnnn",
        ".kwkwwkwwddkkk.kkkkkk",
        "..kkkkkkkkk..........",
    ], 11, 2),
    16: ([
        "..kkk....",
        ".kwwwk...",
        "kwkwkwkkk",
        "kwkwkwkbb",
        "kwkwkdknn",
        ".kkkkk.kk",
    ], 7, 0),
}


def water(pic, size, kind):
    if kind == "full":
        rows, left, top = FULL_FLOW[size]
        pic.art(rows, left, top)
        for x, y, ink in SPLASH[size]:
            pic.set(x, y, ink)
    elif kind == "drip":
        rows, left, top = DRIPS[size]
        pic.art(rows, left, top)
    else:
        rows, left, top = THIN_FLOW[size]
        pic.art(rows, left, top)
        rows, left, top = HAND[size]
        pic.art(rows, left, top)


# ---------------------------------------------------------------- power sources

PLUG = {
    32: ([
        "..kkk...kkk..",
        "..kyk...kyk..",
        "..kyk...kyk..",
        "..kok...kok..",
        "kkkkkkkkkkkkk",
        "ksssssssssssk",
        "ksdddddddddkk",
        "ksdddddddddkk",
        "ksdddddddddkk",
        ".ksddddddddk.",
        "..kkddddddk..",
        "....kkddkk...",
        ".....kddk....",
        ".....kddk....",
    ], 1, 18),
    16: ([
        ".k..k.",
        "kkkkkk",
        "ksdddk",
        ".kddk.",
        "..kk..",
        "..kk..",
    ], 1, 10),
}
BATTERY = {
    32: ([
        "...kkkkk...",
        "...kwssk...",
        "kkkkkkkkkkk",
        "kwwssssssdk",
        "kwsssssssdk",
        "kkkkkkkkkkk",
        "kwllllllgk.",
        "kwllllllgk.",
        "kwllllllgk.",
        "kwllllllgk.",
        "kwllllllgk.",
        "kwllllllgk.",
        "kwllllllgk.",
        "kkkkkkkkkk.",
    ], 2, 18),
    16: ([
        ".kkk.",
        "kkkkk",
        "kwllk",
        "kwlgk",
        "kwlgk",
        "kkkkk",
    ], 1, 10),
}


def mode_picture(size, flow, source):
    pic = tap(size)
    water(pic, size, flow)
    rows, left, top = (PLUG if source == "ac" else BATTERY)[size]
    pic.art(rows, left, top)
    return pic


# ---------------------------------------------------------------- decorations

HOURGLASS = {
    32: ([
        "kkkkkkkkkkkkkkkkkkk",
        "kyyyyyyyyyyyyyyyyok",
        "koooooooooooooooook",
        "kkkkkkkkkkkkkkkkkkk",
        ".kok.kkkkkkkkk.kok.",
        ".kokkwwwwwwwwwkkok.",
        ".kokkwyyyyyyywkkok.",
        ".kok.kwyyyyywk.kok.",
        ".kok..kwyyywk..kok.",
        ".kok...kwywk...kok.",
        ".kok....kyk....kok.",
        ".kok....kyk....kok.",
        ".kok...kwywk...kok.",
        ".kok..kwwywwk..kok.",
        ".kok.kwwwywwwk.kok.",
        ".kokkwwwyyywwwkkok.",
        ".kokkwwyyyyywwkkok.",
        ".kokkyyyyyyyyykkok.",
        ".kok.kkkkkkkkk.kok.",
        "kkkkkkkkkkkkkkkkkkk",
        "kyyyyyyyyyyyyyyyyok",
        "koooooooooooooooook",
        "kkkkkkkkkkkkkkkkkkk",
    ], 6, 4),
    16: ([
        "kkkkkkkkkkk",
        "kyyyyyyyyok",
        "kkkkkkkkkkk",
        ".kkwwwwwkk.",
        ".kkkyyykkk.",
        ".kk.kyk.kk.",
        ".kk.kyk.kk.",
        ".kkkwywkkk.",
        ".kkwyyywkk.",
        ".kkyyyyykk.",
        "kkkkkkkkkkk",
        "kyyyyyyyyok",
        "kkkkkkkkkkk",
    ], 2, 1),
}


def hourglass(size):
    pic = Picture(size, size)
    rows, left, top = HOURGLASS[size]
    pic.art(rows, left, top)
    return pic


def processor(size):
    """A square chip seen from above, a row of pins on each side."""
    pic = Picture(size, size)
    if size == 32:
        a, b, pins, reach = 7, 24, range(9, 23, 3), 4
    else:
        a, b, pins, reach = 3, 12, range(4, 12, 2), 2
    n = size - 1
    for p in pins:
        for t in range(a - reach, a):
            for x, y, ink in ((p, t, "w"), (p + 1, t, "d"), (p, n - t, "w"), (p + 1, n - t, "d"),
                              (t, p, "w"), (t, p + 1, "d"), (n - t, p, "w"), (n - t, p + 1, "d")):
                if size == 16:
                    ink = "d" if ink == "d" else "w"
                    if (x, y) == (p + 1, t) or (x, y) == (p + 1, n - t) or (x, y) == (t, p + 1) or (x, y) == (n - t, p + 1):
                        continue
                pic.set(x, y, ink)
        if size == 32:  # pin tips
            for x, y in ((p, a - reach), (p + 1, a - reach), (p, n - a + reach), (p + 1, n - a + reach),
                         (a - reach, p), (a - reach, p + 1), (n - a + reach, p), (n - a + reach, p + 1)):
                pic.set(x, y, "k")
    pic.outline(a, a, b, b, "k", False)
    pic.rect(a + 1, a + 1, b - 1, b - 1, "k")
    pic.rect(a + 1, a + 1, b - 2, a + 1, "d")
    pic.rect(a + 1, a + 1, a + 1, b - 2, "d")
    if size == 32:
        # the die under its lid, and the pin 1 mark
        pic.outline(12, 12, 19, 19, "d", False)
        pic.rect(13, 13, 18, 18, "s")
        pic.rect(13, 13, 18, 13, "w")
        pic.rect(13, 13, 13, 18, "w")
        pic.rect(14, 18, 18, 18, "d")
        pic.rect(18, 14, 18, 18, "d")
        pic.set(a + 3, a + 3, "w")
    else:
        pic.rect(6, 6, 9, 9, "s")
        pic.rect(6, 6, 8, 6, "w")
        pic.rect(6, 6, 6, 8, "w")
    return pic


def ellipse_rows(rx, ry):
    """Half-widths of a crisp ellipse, one per row, for 2 * ry + 1 rows."""
    out = []
    for j in range(-ry, ry + 1):
        t = 1 - (j / (ry + 0.5)) ** 2
        out.append(int(rx * t ** 0.5 + 0.5))
    return out


def disc(pic, cx, cy, rx, ry, hole, sheen):
    """A compact disc lying flat, seen from above the front: silver with a
    rainbow sheen, the centre hole dark."""
    widths = ellipse_rows(rx, ry)
    for j, half in enumerate(widths):
        y = cy - ry + j
        for x in range(cx - half, cx + half + 1):
            pic.set(x, y, "s" if j > ry else "w")
    # outline: every pixel of the disc that touches the outside
    inside = {(x, y) for j, half in enumerate(widths) for y in [cy - ry + j]
              for x in range(cx - half, cx + half + 1)}
    for x, y in inside:
        if any((x + dx, y + dy) not in inside for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
            pic.set(x, y, "k")
    # the sheen: a short band of colour on either side of the hole
    for k, ink in enumerate(sheen):
        for x, y in ((cx - 3 - k, cy - 1), (cx - 4 - k, cy - 1), (cx + 3 + k, cy + 1), (cx + 4 + k, cy + 1)):
            if (x, y) in inside and pic.px[y][x] != 0:
                pic.set(x, y, ink)
    hx, hy = hole
    pic.rect(cx - hx, cy, cx + hx, cy, "k")
    if hy:
        pic.rect(cx - hx + 1, cy - 1, cx + hx - 1, cy - 1, "k")
        pic.rect(cx - hx + 1, cy + 1, cx + hx - 1, cy + 1, "d")


def cdrom(size):
    """A drive seen from the front with a disc lying on it."""
    pic = Picture(size, size)
    if size == 32:
        x0, x1, y0, y1 = 1, 30, 15, 27
        pic.outline(x0, y0, x1, y1, "k", False)
        metal(pic, x0 + 1, y0 + 1, x1 - 1, y1 - 1, "box")
        pic.rect(x0 + 3, 19, x1 - 9, 19, "k")      # tray slot
        pic.rect(x0 + 3, 20, x1 - 9, 20, "w")
        pic.rect(x1 - 6, 22, x1 - 3, 23, "d")      # eject button
        pic.rect(x1 - 6, 22, x1 - 4, 22, "w")
        pic.set(x1 - 8, 23, "l")                   # busy lamp
        pic.rect(x0 + 3, 24, x0 + 8, 24, "d")      # grille
        disc(pic, 15, 9, 12, 5, (2, 1), "cyf")
    else:
        x0, x1, y0, y1 = 0, 15, 8, 14
        pic.outline(x0, y0, x1, y1, "k", False)
        metal(pic, x0 + 1, y0 + 1, x1 - 1, y1 - 1, "box")
        pic.rect(2, 10, 10, 10, "k")
        pic.set(12, 12, "l")
        disc(pic, 7, 4, 6, 3, (1, 0), "")
    return pic


# ---------------------------------------------------------------- output

MODES = [
    ("mode_battery_performance.ico", "full", "battery"),
    ("mode_battery_life.ico", "drip", "battery"),
    ("mode_battery_customized.ico", "hand", "battery"),
    ("mode_ac_performance.ico", "full", "ac"),
    ("mode_ac_life.ico", "drip", "ac"),
    ("mode_ac_customized.ico", "hand", "ac"),
]


def main():
    for name, flow, source in MODES:
        write_ico(name, [mode_picture(32, flow, source), mode_picture(16, flow, source)])
    write_ico("timer.ico", [hourglass(32), hourglass(16)])
    write_ico("processor.ico", [processor(32), processor(16)])
    write_ico("cdrom.ico", [cdrom(32), cdrom(16)])


if __name__ == "__main__":
    main()
