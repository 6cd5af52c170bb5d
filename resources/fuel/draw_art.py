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
drawn by the same code (resources/art/power_modes.py).

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
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from pixel_art import INK, Picture, write_bmp, write_ico  # noqa: E402
from power_modes import write_mode_icons  # noqa: E402


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


def write(name, pic):
    write_bmp(os.path.join(HERE, name), pic)


def main():
    write_ico(os.path.join(HERE, "program.ico"),
              [battery_icon(32, 5, (GREEN, GREEN)), battery_icon(16, 5, (GREEN, GREEN))])
    for left in range(6):
        write_ico(os.path.join(HERE, "tray_battery_%d.ico" % left),
                  [battery_icon(32, left, (BLUE, RED)), battery_icon(16, left, (BLUE, RED))])
    write_mode_icons(HERE)
    for level in range(11):
        write("battery_%d.bmp" % level, battery_picture(level, False))
        write("battery_charging_%d.bmp" % level, battery_picture(level, True))
    write("battery_unknown.bmp", unknown_picture())
    for name, glyph in (("suspend", moon()), ("hiber", disk_arrow())):
        for state in ("up", "down", "focus"):
            write("%s_%s.bmp" % (name, state), button(glyph, state))


if __name__ == "__main__":
    main()
