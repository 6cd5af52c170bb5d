#!/usr/bin/env python3
"""Draws the fuel gauge's icons and bitmaps and writes them beside itself.

Icons (32 x 32 and 16 x 16, 16 colours, transparent outside the picture):

    program.ico                    128  green battery: window, About box, tray on AC
    tray_battery_0.ico ... _5.ico  184 to 189  tray on battery, by remaining
                                   charge: blue for what is left, red for what is used
    mode_ac_performance.ico        138  tap in full flow, plug
    mode_ac_life.ico               141  dripping tap, plug
    mode_ac_customized.ico         178  tap with a hand on the handle, plug
    mode_battery_performance.ico   139  tap in full flow, battery
    mode_battery_life.ico          142  dripping tap, battery
    mode_battery_customized.ico    179  tap with a hand on the handle, battery

The six power-mode icons are the pictures of the power sheet's Power Mode page,
drawn by the same code.

Bitmaps (16 colours, bottom-up, BI_RGB):

    battery_0.bmp ... battery_10.bmp             205, 185, 187 ... 203
        the battery by tenths of charge, not charging
    battery_charging_0.bmp ... _10.bmp           204, 184, 186 ... 202
        the same with the charging arrow above the battery
    battery_unknown.bmp                          180  dashed outline
        All 24 x 71 pixels on white: the gauge window's background is white
        and the static control shows the bitmap as it is, so white is the
        background and nothing is transparent. The battery sits at the same
        place in every picture; the arrow uses the rows above it.
    suspend_up/down/focus.bmp    "SuspendUp", "SuspendDown", "SuspendFocus"
    hiber_up/down/focus.bmp      "HiberUp", "HiberDown", "HiberFocus"
        The bitmap buttons, 27 x 27 pixels each: the whole button face with its
        3D edge, drawn 1:1 by the button (nothing transparent). Released is
        raised; pressed is sunken with the picture one pixel down and right;
        focused is released with a black frame and a dotted focus rectangle.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/fuel/draw_art.py
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


# ---------------------------------------------------------------- batteries


def battery_icon(size, left, colours):
    """The upright battery of the program and tray icons. `left` is the number
    of fifths of the inside, from the bottom, drawn in the remaining colour;
    colours is (remaining, used), each as (light, face, shadow)."""
    pic = Picture(size, size)
    if size == 32:
        nub, body = (12, 2, 19, 5), (8, 5, 23, 31)
    else:
        nub, body = (6, 2, 9, 4), (3, 4, 12, 15)
    pic.outline(*nub, "k", True)
    pic.rect(nub[0] + 1, nub[1] + 1, nub[2] - 1, nub[3] - 1, "s")
    pic.rect(nub[0] + 1, nub[1] + 1, nub[2] - 2, nub[1] + 1, "w")
    pic.outline(*body, "k", False)
    x0, y0, x1, y1 = body[0] + 1, body[1] + 1, body[2] - 1, body[3] - 1
    rows = y1 - y0 + 1
    full_from = y1 + 1 - rows * left // 5
    for y in range(y0, y1 + 1):
        light, face, shadow = colours[0] if y >= full_from else colours[1]
        pic.rect(x0, y, x1, y, face)
        pic.set(x0 + 1, y, light)
        pic.set(x1, y, shadow)
        if size == 32:
            pic.set(x0 + 2, y, light)
            pic.set(x1 - 1, y, shadow)
    return pic


GREEN = ("w", "l", "g")
BLUE = ("c", "b", "n")
RED = ("w", "r", "m")

# The gauge's battery picture: 24 x 71, the battery in the lower 56 rows.
PW, PH = 24, 71
BODY = (2, 18, 21, 70)
NUB = (8, 15, 15, 18)


def cells(pic, level):
    """Ten cells from the bottom up, the first `level` of them lit."""
    for k in range(10):
        bottom = 68 - 5 * k
        lit = k < level
        for y in range(bottom - 3, bottom + 1):
            pic.rect(4, y, 19, y, "b" if lit else "s")
            if lit:
                pic.rect(4, y, 5, y, "c")
            pic.rect(18, y, 19, y, "n" if lit else "d")


def battery_picture(level, charging):
    pic = Picture(PW, PH)
    pic.outline(*NUB, "k", True)
    pic.rect(NUB[0] + 1, NUB[1] + 1, NUB[2] - 1, NUB[3] - 1, "s")
    pic.rect(NUB[0] + 1, NUB[1] + 1, NUB[2] - 2, NUB[1] + 1, "w")
    pic.outline(*BODY, "k", True)
    pic.rect(BODY[0] + 1, BODY[1] + 1, BODY[2] - 1, BODY[3] - 1, "w")
    cells(pic, level)
    if charging:
        arrow(pic)
    return pic


def arrow(pic):
    """The charging arrow above the battery, pointing down at it."""
    for y in range(1, 7):                       # shaft
        pic.rect(9, y, 14, y, "l")
        pic.set(13, y, "g")
        pic.set(9, y, "k")
        pic.set(14, y, "k")
    pic.rect(9, 0, 14, 0, "k")
    for k, y in enumerate(range(7, 14)):        # head, one pixel narrower a row
        a, b = 5 + k, 18 - k
        pic.rect(a, y, b, y, "l")
        pic.set(b - 1, y, "g")
        pic.set(a, y, "k")
        pic.set(b, y, "k")
    pic.rect(5, 7, 9, 7, "k")
    pic.rect(14, 7, 18, 7, "k")
    pic.rect(11, 13, 12, 13, "k")


def unknown_picture():
    """The battery's outline alone, dashed: the charge cannot be read."""
    pic = Picture(PW, PH)
    ring = []
    for x0, y0, x1, y1 in (NUB, BODY):
        for x in range(x0 + 1, x1):
            ring += [(x, y0), (x, y1)]
        for y in range(y0 + 1, y1):
            ring += [(x0, y), (x1, y)]
    for x, y in ring:
        if y == NUB[3] and NUB[0] < x < NUB[2]:
            continue                            # the nub sits open on the body
        if (x + y) % 4 < 2:
            pic.set(x, y, "k")
    return pic


# ---------------------------------------------------------------- buttons

BS = 27           # button size
GLYPH = 15        # picture size inside the button, at (6, 6)


def moon():
    """Suspend: a crescent moon and a sleeper's Z."""
    pic = Picture(GLYPH, GLYPH)
    pic.art([
        "..........nnnnn",
        "....kkkkk....n.",
        "..kkyyyyk...n..",
        ".kyyyyokk..n...",
        ".kyyyok...nnnnn",
        "kyyyyk.........",
        "kyyyok.........",
        "kyyyok.........",
        "kyyyok.........",
        "kyyyyk.........",
        ".kyyyok........",
        ".kyyyyokk......",
        "..kkyyyyk......",
        "....kkkkk......",
    ], 0, 0)
    return pic


def disk_arrow():
    """Hibernate: memory going down onto the hard disk."""
    pic = Picture(GLYPH, GLYPH)
    pic.art([
        ".....kkkkk.....",
        ".....kbbnk.....",
        ".....kbbnk.....",
        "..kkkkbbnkkkk..",
        "...kbbbbbbnk...",
        "....kbbbbnk....",
        ".....kbbnk.....",
        "......kbk......",
        ".......k.......",
        "kkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwdk",
        "kwkkkkkkkwsssdk",
        "kwsssssssssslsk",
        "kdddddddddddddk",
        "kkkkkkkkkkkkkkk",
    ], 0, 0)
    return pic


def button(glyph, state):
    pic = Picture(BS, BS, INK["s"])
    n = BS - 1
    if state == "up":
        pic.rect(0, 0, n - 1, 0, "w")
        pic.rect(0, 0, 0, n - 1, "w")
        pic.rect(0, n, n, n, "k")
        pic.rect(n, 0, n, n, "k")
        pic.rect(1, n - 1, n - 1, n - 1, "d")
        pic.rect(n - 1, 1, n - 1, n - 1, "d")
    else:
        pic.outline(0, 0, n, n, "k", False)
        pic.rect(1, 1, n - 1, n - 1, "s")
        if state == "focus":
            pic.rect(1, 1, n - 2, 1, "w")
            pic.rect(1, 1, 1, n - 2, "w")
            pic.rect(1, n - 1, n - 1, n - 1, "k")
            pic.rect(n - 1, 1, n - 1, n - 1, "k")
            pic.rect(2, n - 2, n - 2, n - 2, "d")
            pic.rect(n - 2, 2, n - 2, n - 2, "d")
        else:
            for k in range(1, n):
                for x, y in ((k, 1), (1, k), (k, n - 1), (n - 1, k)):
                    pic.set(x, y, "d")
        # the dotted focus rectangle
        for k in range(4, n - 3):
            for x, y in ((k, 4), (4, k), (k, n - 4), (n - 4, k)):
                pic.set(x, y, "k" if (x + y) % 2 == 0 else "s")
    shift = 7 if state == "down" else 6
    for y in range(GLYPH):
        for x in range(GLYPH):
            if glyph.px[y][x] is not None:
                pic.px[shift + y][shift + x] = glyph.px[y][x]
    return pic


# ---------------------------------------------------------------- output

MODES = [
    ("mode_ac_performance.ico", "full", "ac"),
    ("mode_ac_life.ico", "drip", "ac"),
    ("mode_ac_customized.ico", "hand", "ac"),
    ("mode_battery_performance.ico", "full", "battery"),
    ("mode_battery_life.ico", "drip", "battery"),
    ("mode_battery_customized.ico", "hand", "battery"),
]


def main():
    write_ico("program.ico", [battery_icon(32, 5, (GREEN, GREEN)), battery_icon(16, 5, (GREEN, GREEN))])
    for left in range(6):
        write_ico("tray_battery_%d.ico" % left,
                  [battery_icon(32, left, (BLUE, RED)), battery_icon(16, left, (BLUE, RED))])
    for name, flow, source in MODES:
        write_ico(name, [mode_picture(32, flow, source), mode_picture(16, flow, source)])
    for level in range(11):
        write_bmp("battery_%d.bmp" % level, battery_picture(level, False))
        write_bmp("battery_charging_%d.bmp" % level, battery_picture(level, True))
    write_bmp("battery_unknown.bmp", unknown_picture())
    for name, glyph in (("suspend", moon()), ("hiber", disk_arrow())):
        for state in ("up", "down", "focus"):
            write_bmp("%s_%s.bmp" % (name, state), button(glyph, state))


if __name__ == "__main__":
    main()
