#!/usr/bin/env python3
"""Draws the installer's icons and writes them beside itself:

    setup.ico       the notebook with a diskette in front of it: the
                    installer's file and window
    uninstall.ico   the same with a red cross over the diskette: the
                    uninstaller's file and window, and its Start-menu shortcut

32 x 32 and 16 x 16 images, 16 colours, transparent outside the picture. NSIS
puts the uninstaller's icon in place of the installer's, so both have the
same images. The notebook is the tray launcher's and the applet's picture
(resources/art/notebook.py).

Standard library only; the output is the same byte for byte on every run:

    python3 resources/installer/draw_art.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from notebook import notebook  # noqa: E402
from pixel_art import write_ico  # noqa: E402


def diskette(pic, size):
    """A 3.5-inch diskette in the lower right corner: navy case, silver
    shutter, white label."""
    if size == 32:
        x0, y0, n = 17, 17, 14
    else:
        x0, y0, n = 8, 8, 8
    x1, y1 = x0 + n - 1, y0 + n - 1
    pic.rect(x0, y0, x1, y1, "k")
    pic.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, "n")
    pic.set(x1, y0, None)  # the cut corner
    if size == 32:
        pic.rect(x0 + 4, y0 + 1, x1 - 3, y0 + 5, "s")      # shutter
        pic.rect(x0 + 9, y0 + 2, x0 + 9, y0 + 4, "n")      # its window
        pic.rect(x0 + 3, y0 + 8, x1 - 3, y1 - 1, "w")      # label
        pic.rect(x0 + 4, y0 + 10, x1 - 4, y0 + 10, "d")
    else:
        pic.rect(x0 + 2, y0 + 1, x1 - 2, y0 + 2, "s")
        pic.rect(x0 + 2, y0 + 5, x1 - 2, y1 - 1, "w")


def cross(pic, size):
    """A red cross over the diskette, outlined in black where there is room."""
    if size == 32:
        x0, y0, n, w, edge = 18, 18, 12, 2, 1
    else:
        x0, y0, n, w, edge = 9, 9, 6, 1, 0
    for i in range(n):
        for j in range(-edge, w + edge):
            ink = "r" if 0 <= j < w else "k"
            for x, y in ((x0 + i + j, y0 + i), (x0 + n - 1 - i + j, y0 + i)):
                if ink == "r" or pic.px[y][x] != 9:
                    pic.set(x, y, ink)


def setup(size):
    pic = notebook(size)
    diskette(pic, size)
    return pic


def uninstall(size):
    pic = setup(size)
    cross(pic, size)
    return pic


def main():
    write_ico(os.path.join(HERE, "setup.ico"), [setup(32), setup(16)])
    write_ico(os.path.join(HERE, "uninstall.ico"), [uninstall(32), uninstall(16)])


if __name__ == "__main__":
    main()
