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
The fuel gauge shows the same six pictures for its power-mode icon; both draw
them with resources/art/power_modes.py.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/corvessa/draw_art.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from pixel_art import Picture, metal, write_ico  # noqa: E402
from power_modes import write_mode_icons  # noqa: E402


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


def main():
    write_mode_icons(HERE)
    write_ico(os.path.join(HERE, "timer.ico"), [hourglass(32), hourglass(16)])
    write_ico(os.path.join(HERE, "processor.ico"), [processor(32), processor(16)])
    write_ico(os.path.join(HERE, "cdrom.ico"), [cdrom(32), cdrom(16)])


if __name__ == "__main__":
    main()
