#!/usr/bin/env python3
"""Draws merovant's program icon and writes it beside itself:

    program.ico   128  the notebook, lid open on a desktop, with a screwdriver
                       laid across it: the icon of the main window and of
                       every page

32 x 32 and 16 x 16 images, 16 colours, transparent outside the picture. The
notebook is the one of the tray launcher and the control panel applet
(resources/art/notebook.py); the screwdriver tells the configuration program
from them.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/merovant/draw_icon.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from notebook import notebook  # noqa: E402
from pixel_art import write_ico  # noqa: E402

# The screwdriver lies on the diagonal from the lower right corner towards
# the screen. Pixels are placed by their distance along it (x + y) and across
# it (x - y, negative towards the upper right, the lit side). Each part is
# (along from, along to, {across: ink}); a later part paints over an earlier.
SCREWDRIVER = {
    32: [
        (22, 23, {0: "k"}),                                        # blade tip
        (24, 39, {-2: "k", -1: "w", 0: "s", 1: "d", 2: "k"}),      # shaft
        (40, 54, {-3: "k", -2: "r", -1: "r", 0: "r", 1: "m", 2: "m", 3: "k"}),  # handle
        (40, 41, {-2: "k", -1: "k", 0: "k", 1: "k", 2: "k"}),      # handle's collar
        (44, 50, {-2: "w"}),                                       # light on the handle
        (55, 56, {-2: "k", -1: "k", 0: "k", 1: "k", 2: "k"}),      # handle's end
    ],
    16: [
        (10, 10, {0: "k"}),
        (11, 17, {-1: "w", 0: "s", 1: "k"}),
        (18, 25, {-2: "k", -1: "r", 0: "r", 1: "m", 2: "k"}),
        (26, 26, {-1: "k", 0: "k", 1: "k"}),
    ],
}


def program_icon(size):
    pic = notebook(size)
    for start, end, inks in SCREWDRIVER[size]:
        for y in range(size):
            for x in range(size):
                ink = inks.get(x - y)
                if ink is not None and start <= x + y <= end:
                    pic.set(x, y, ink)
    return pic


def main():
    write_ico(os.path.join(HERE, "program.ico"), [program_icon(32), program_icon(16)])


if __name__ == "__main__":
    main()
