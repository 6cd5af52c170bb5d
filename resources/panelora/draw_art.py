#!/usr/bin/env python3
"""Draws the control panel applet's icon and writes it beside itself:

    notebook.ico   132  the notebook, lid open on a desktop: the applet's
                        icon in the Control Panel

32 x 32 and 16 x 16 images, 16 colours, transparent outside the picture (the
Control Panel shows the 32 x 32 image in its large-icon view). The tray
launcher shows the same picture, drawn by resources/art/notebook.py.

Standard library only; the output is the same byte for byte on every run:

    python3 resources/panelora/draw_art.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from notebook import notebook  # noqa: E402
from pixel_art import write_ico  # noqa: E402


def main():
    write_ico(os.path.join(HERE, "notebook.ico"), [notebook(32), notebook(16)])


if __name__ == "__main__":
    main()
