"""The six power-mode pictures: one chrome tap, the water below it telling the
mode (full stream for performance, drops for long life, a thin stream with a
hand on the handle for customized), and the power source in the lower left
corner (plug on AC, battery on battery). The power sheet's Power Mode page and
the fuel gauge both show them; write_mode_icons writes the six icons, 32 x 32
and 16 x 16, into a program's resource folder.
"""

import os

from pixel_art import Picture, metal, write_ico

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


# File name, water, power source.
MODES = [
    ("mode_ac_performance.ico", "full", "ac"),
    ("mode_ac_life.ico", "drip", "ac"),
    ("mode_ac_customized.ico", "hand", "ac"),
    ("mode_battery_performance.ico", "full", "battery"),
    ("mode_battery_life.ico", "drip", "battery"),
    ("mode_battery_customized.ico", "hand", "battery"),
]


def write_mode_icons(folder):
    for name, flow, source in MODES:
        write_ico(os.path.join(folder, name), [mode_picture(32, flow, source), mode_picture(16, flow, source)])
