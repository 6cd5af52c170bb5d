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
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from pixel_art import Picture, write_bmp, write_ico  # noqa: E402


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
    write_ico(os.path.join(HERE, "program.ico"), [program_icon(32), program_icon(16)])
    for name, ink in LEGENDS:
        write_bmp(os.path.join(HERE, name), legend(ink))


if __name__ == "__main__":
    main()
