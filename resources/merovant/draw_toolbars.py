#!/usr/bin/env python3
"""Draws merovant's two toolbar strips, 27 images of 25 x 19 pixels each, as
4-bit BMPs in the standard 16-colour palette:

    toolbar_ac.bmp       resource 176, power modes on external power
    toolbar_battery.bmp  resource 170, power modes on battery

Light grey is the button face (the toolbar maps it, black, dark grey and white
to the system colours). Run it from anywhere; it writes beside itself:

    python3 resources/merovant/draw_toolbars.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from pixel_art import Picture, write_bmp  # noqa: E402

W, H, COUNT = 25, 19, 27

# One character per pixel; "." is the button face.
INK = {
    ".": 7, "k": 0, "m": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6,
    "d": 8, "r": 9, "l": 10, "y": 11, "b": 12, "c": 14, "w": 15,
}

# Where the power source sits (left) and the power mode (right).
PLUG = [
    ".k..k..",
    ".k..k..",
    "kkkkkk.",
    "kddddk.",
    "kdwddk.",
    "kddddk.",
    ".kddk..",
    "..kk...",
    "..kk...",
    "..k....",
    "..k....",
]
CELL = [
    "..kk...",
    ".kkkk..",
    ".kwlk..",
    ".klgk..",
    ".klgk..",
    ".klgk..",
    ".klgk..",
    ".klgk..",
    ".klgk..",
    ".kkkk..",
    ".......",
]
BOLT = [
    "......kkkkk",
    ".....kyyyk.",
    "....kyyyk..",
    "...kyyyk...",
    "..kyyykkkk.",
    ".kyyyyyyk..",
    "kkkkyyyk...",
    "...kyyk....",
    "..kyyk.....",
    "..kyk......",
    ".kyk.......",
    ".kk........",
    ".k.........",
]
CLOCK = [
    "....kkkkk....",
    "..kkwwwwwkk..",
    ".kwwwwkwwwwk.",
    ".kwwwwkwwwwk.",
    "kwwwwwkwwwwwk",
    "kwwwwwkwwwwwk",
    "kwwwwwkkkkwwk",
    "kwwwwwwwwwwwk",
    "kwwwwwwwwwwwk",
    ".kwwwwwwwwwk.",
    ".kwwwwwwwwwk.",
    "..kkwwwwwkk..",
    "....kkkkk....",
]
SLIDERS = [
    "..k.....k....",
    "..k.....k....",
    ".kkk....k....",
    ".kbk....k....",
    ".kkk....k....",
    "..k.....k....",
    "..k....kkk...",
    "..k....kbk...",
    "..k....kkk...",
    "..k.....k....",
    "..k.....k....",
    "..k.....k....",
    "..k.....k....",
]
NOTEBOOK = [
    "..kkkkkkkkkkk..",
    "..kdddddddddk..",
    "..kdtttttttdk..",
    "..kdtcctttdk...",
    "..kdtctttttdk..",
    "..kdtttttttdk..",
    "..kdtttttttdk..",
    "..kdddddddddk..",
    "..kkkkkkkkkkk..",
    ".kwwwwwwwwwwwk.",
    "kwdwdwdwdwdwdwk",
    "kddddddddddddk.",
    ".kkkkkkkkkkkk..",
]
MONITOR = [
    "kkkkkkkkkkkkk",
    "kwwwwwwwwwwdk",
    "kwkkkkkkkkwdk",
    "kwkbbcbbbkwdk",
    "kwkbcbbbbkwdk",
    "kwkbbbbbbkwdk",
    "kwkbbbbbbkwdk",
    "kwkkkkkkkkwdk",
    "kwwwwwwwwwgdk",
    "kdddddddddddk",
    "kkkkkkkkkkkkk",
    "....kdddk....",
    "..kkkkkkkkk..",
]
SMALL_NOTEBOOK = [
    "kkkkkkkk.",
    "kddddddk.",
    "kdttttdk.",
    "kdctttdk.",
    "kdttttdk.",
    "kddddddk.",
    "kkkkkkkk.",
    "wwwwwwwwk",
    "kkkkkkkkk",
]
SMALL_MONITOR = [
    "kkkkkkkkk",
    "kwwwwwwdk",
    "kwbbbbwdk",
    "kwcbbbwdk",
    "kwbbbbwdk",
    "kwwwwwwdk",
    "kkkkkkkkk",
    "...kdk...",
    ".kkkkkkk.",
]
DARK_MONITOR = [
    "kkkkkkkkkkkkk",
    "kwwwwwwwwwwdk",
    "kwkkkkkkkkwdk",
    "kwkkkkkkykwdk",
    "kwkkkkkyykwdk",
    "kwkkkkkyykwdk",
    "kwkkkkkkykwdk",
    "kwkkkkkkkkwdk",
    "kwwwwwwwwwddk",
    "kdddddddddddk",
    "kkkkkkkkkkkkk",
    "....kdddk....",
    "..kkkkkkkkk..",
]
CHART_MONITOR = [
    "kkkkkkkkkkkkk",
    "kwwwwwwwwwwdk",
    "kwkkkkkkkkwdk",
    "kwkwwwwwrkwdk",
    "kwkwwwbwrkwdk",
    "kwkwgwbwrkwdk",
    "kwkwgwbwrkwdk",
    "kwkkkkkkkkwdk",
    "kwwwwwwwwwldk",
    "kdddddddddddk",
    "kkkkkkkkkkkkk",
    "....kdddk....",
    "..kkkkkkkkk..",
]
ZZ = [
    "kkkk.",
    "..k..",
    ".k...",
    "kkkk.",
]
QUESTION = [
    "...kkkkk...",
    "..kbbbbbk..",
    ".kbbkkkbbk.",
    ".kbbk.kbbk.",
    "..kk.kbbk..",
    "....kbbk...",
    "...kbbk....",
    "...kbbk....",
    "....kk.....",
    "...kbbk....",
    "...kbbk....",
    "....kk.....",
]
ARROW = [
    "k......",
    "kk.....",
    "kwk....",
    "kwwk...",
    "kwwwk..",
    "kwwwwk.",
    "kwwwwwk",
    "kwwkkkk",
    "kwk....",
    "kk.....",
    "k......",
]
NEUTRAL = [
    "wwwwwww",
    "w.....d",
    "w.....d",
    "w.....d",
    "w.....d",
    "w.....d",
    "ddddddd",
]


def blank():
    return [[INK["."]] * W for _ in range(H)]


def put(image, art, left, top):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch != ".":
                image[top + y][left + x] = INK[ch]
    return image


def power_mode(source_art, mode_art):
    image = put(blank(), source_art, 1, 4)
    return put(image, mode_art, 10, 3)


def strip(source_art):
    neutral = put(blank(), NEUTRAL, 9, 6)
    images = [neutral] * COUNT
    images[0] = power_mode(source_art, BOLT)
    images[1] = power_mode(source_art, CLOCK)
    images[2] = power_mode(source_art, SLIDERS)
    images[8] = put(blank(), NOTEBOOK, 5, 3)
    images[9] = put(blank(), MONITOR, 6, 3)
    images[10] = put(put(blank(), SMALL_NOTEBOOK, 2, 7), SMALL_MONITOR, 13, 3)
    images[17] = put(put(blank(), DARK_MONITOR, 6, 4), ZZ, 19, 0)
    images[18] = put(blank(), CHART_MONITOR, 6, 3)
    images[26] = put(put(blank(), ARROW, 2, 4), QUESTION, 11, 3)
    return images


def write_strip(path, images):
    """The images side by side, one bitmap in the standard palette."""
    pic = Picture(W * len(images), H)
    pic.px = [[images[x // W][y][x % W] for x in range(pic.w)] for y in range(H)]
    write_bmp(path, pic)


def main():
    write_strip(os.path.join(HERE, "toolbar_ac.bmp"), strip(PLUG))
    write_strip(os.path.join(HERE, "toolbar_battery.bmp"), strip(CELL))


if __name__ == "__main__":
    main()
