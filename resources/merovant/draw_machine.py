#!/usr/bin/env python3
"""Draws the artwork of merovant's machine view and writes it beside itself as
BMPs (no file header is needed by the reader; these are ordinary BMP files):

    view_front.bmp, view_rear.bmp, view_replicator.bmp
        resources 190, 185, 187: the notebook from the front, from the rear and
        its port replicator, 256 colours with an adaptive palette
    view_front_up.bmp ... view_port_down.bmp
        the six switch-button images (92 x 60), 256 colours
    view_strip.bmp      resource 153, the strip behind the switch buttons
    view_lamp_on.bmp, view_lamp_off.bmp   resources 138 and 137
    view_icon_*.bmp     the device buttons' icons (resources 134 to 149)

Light grey (192, 192, 192) around the icons and lamps is the button face: the
view loads them with the 3D colours mapped. Shapes are drawn at three times
the size and averaged down. Run it from anywhere:

    python3 resources/merovant/draw_machine.py
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, "art"))

from pixel_art import colour_table, write_dib  # noqa: E402

FACE = (192, 192, 192)

# ---------------------------------------------------------------- canvas


class Canvas:
    def __init__(self, w, h, bg=(0, 0, 0), scale=3):
        self.w, self.h, self.s = w, h, scale
        self.W, self.H = w * scale, h * scale
        self.px = [list(bg) * 1 for _ in range(0)]
        self.r = [bg[0]] * (self.W * self.H)
        self.g = [bg[1]] * (self.W * self.H)
        self.b = [bg[2]] * (self.W * self.H)

    def _put(self, i, c, a):
        if a >= 1:
            self.r[i], self.g[i], self.b[i] = c
        else:
            self.r[i] += (c[0] - self.r[i]) * a
            self.g[i] += (c[1] - self.g[i]) * a
            self.b[i] += (c[2] - self.b[i]) * a

    def shade(self, x0, y0, x1, y1, fn, alpha=1.0):
        """Fills a rectangle with fn(u, v) -> colour, u and v from 0 to 1."""
        s = self.s
        X0, Y0 = max(0, int(x0 * s)), max(0, int(y0 * s))
        X1, Y1 = min(self.W, int(x1 * s)), min(self.H, int(y1 * s))
        for Y in range(Y0, Y1):
            v = (Y - Y0) / max(1, Y1 - Y0 - 1)
            row = Y * self.W
            for X in range(X0, X1):
                u = (X - X0) / max(1, X1 - X0 - 1)
                self._put(row + X, fn(u, v), alpha)

    def rect(self, x0, y0, x1, y1, c, alpha=1.0):
        self.shade(x0, y0, x1, y1, lambda u, v: c, alpha)

    def vgrad(self, x0, y0, x1, y1, top, bottom, alpha=1.0):
        self.shade(x0, y0, x1, y1, lambda u, v: mix(top, bottom, v), alpha)

    def poly(self, pts, c, alpha=1.0):
        """Fills a polygon; c is a colour or fn(x, y) in picture pixels."""
        s = self.s
        P = [(x * s, y * s) for x, y in pts]
        ys = [p[1] for p in P]
        Y0, Y1 = max(0, int(min(ys))), min(self.H, int(math.ceil(max(ys))))
        n = len(P)
        for Y in range(Y0, Y1):
            yc = Y + 0.5
            xs = []
            for i in range(n):
                (ax, ay), (bx, by) = P[i], P[(i + 1) % n]
                if (ay <= yc < by) or (by <= yc < ay):
                    xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
            xs.sort()
            row = Y * self.W
            for k in range(0, len(xs) - 1, 2):
                X0, X1 = max(0, int(xs[k] + 0.5)), min(self.W, int(xs[k + 1] + 0.5))
                for X in range(X0, X1):
                    col = c(X / s, Y / s) if callable(c) else c
                    self._put(row + X, col, alpha)

    def ellipse(self, cx, cy, rx, ry, c, alpha=1.0):
        pts = [(cx + rx * math.cos(t * math.pi / 24), cy + ry * math.sin(t * math.pi / 24)) for t in range(48)]
        self.poly(pts, c, alpha)

    def rrect(self, x0, y0, x1, y1, rad, c, alpha=1.0):
        pts = []
        for cx, cy, a0 in ((x1 - rad, y0 + rad, -90), (x1 - rad, y1 - rad, 0), (x0 + rad, y1 - rad, 90),
                           (x0 + rad, y0 + rad, 180)):
            for k in range(7):
                a = math.radians(a0 + k * 15)
                pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
        self.poly(pts, c, alpha)

    def line(self, x0, y0, x1, y1, width, c, alpha=1.0):
        dx, dy = x1 - x0, y1 - y0
        L = math.hypot(dx, dy) or 1
        nx, ny = -dy / L * width / 2, dx / L * width / 2
        self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], c, alpha)

    def text(self, x, y, s, c, size=1.0, alpha=1.0, spacing=1.0):
        """Small capitals from a 5 x 7 grid; size is pixels per grid cell."""
        for ch in s:
            g = FONT.get(ch)
            if g:
                for j, row in enumerate(g):
                    for i, bit in enumerate(row):
                        if bit == "#":
                            self.rect(x + i * size, y + j * size, x + (i + 1) * size, y + (j + 1) * size, c, alpha)
            x += (6 * spacing) * size

    def pixels(self):
        """The picture at its own size, averaged from the drawing."""
        s, out = self.s, []
        n = s * s
        for y in range(self.h):
            for x in range(self.w):
                r = g = b = 0.0
                for j in range(s):
                    row = (y * s + j) * self.W + x * s
                    for i in range(s):
                        r += self.r[row + i]
                        g += self.g[row + i]
                        b += self.b[row + i]
                out.append((clamp(r / n), clamp(g / n), clamp(b / n)))
        return out


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


def darker(c, t):
    return mix(c, (0, 0, 0), t)


FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "0": [".###.", "#..##", "#.#.#", "#.#.#", "#.#.#", "##..#", ".###."],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    " ": ["....."] * 7,
}

# ---------------------------------------------------------------- palettes and files


def median_cut(colours, count):
    """An adaptive palette of up to `count` colours for a list of (r, g, b)."""
    hist = {}
    for c in colours:
        hist[c] = hist.get(c, 0) + 1
    boxes = [list(hist.items())]
    while len(boxes) < count:
        best, spread_best, axis_best = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                vals = [c[axis] for c, _ in box]
                spread = (max(vals) - min(vals)) * math.log(2 + sum(n for _, n in box))
                if spread > spread_best:
                    best, spread_best, axis_best = i, spread, axis
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda e: e[0][axis_best])
        total, acc, cut = sum(n for _, n in box), 0, 1
        for k, (_, n) in enumerate(box):
            acc += n
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, k + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(clamp(sum(c[k] * n for c, n in box) / total) for k in range(3)))
    return palette


def nearest_index(palette):
    cache = {}

    def find(c):
        i = cache.get(c)
        if i is None:
            i = min(range(len(palette)),
                    key=lambda k: 3 * (palette[k][0] - c[0]) ** 2 + 4 * (palette[k][1] - c[1]) ** 2 +
                    2 * (palette[k][2] - c[2]) ** 2)
            cache[c] = i
        return i

    return find


def write_bmp8(name, w, h, pixels, reserved=()):
    """An 8-bit BMP with an adaptive palette; `reserved` colours are kept exact."""
    palette = list(reserved)
    palette += [c for c in median_cut(pixels, 256 - len(palette)) if c not in palette]
    palette = palette[:256]
    find = nearest_index(palette)
    stride = (w + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytes(find(pixels[y * w + x]) for x in range(w))
        data += row + b"\0" * (stride - w)
    table = colour_table(palette)
    table += b"\0" * (4 * 256 - len(table))
    write_dib(os.path.join(HERE, name), w, h, 8, table, bytes(data))


def save(name, canvas, reserved=()):
    canvas.pixels_cache = canvas.pixels()
    write_bmp8(name, canvas.w, canvas.h, canvas.pixels_cache, reserved)
    return canvas

# ---------------------------------------------------------------- the machine

PW, PH = 327, 290  # the picture window's size in the main window, with room below
CASE = (54, 56, 62)          # charcoal case
CASE_LIGHT = (92, 95, 104)
KEY = (38, 39, 44)
STUDIO_TOP, STUDIO_BOTTOM = (206, 214, 226), (244, 246, 250)


def studio(c):
    c.vgrad(0, 0, c.w, c.h, STUDIO_TOP, STUDIO_BOTTOM)


def shadow(c, cx, cy, rx, ry):
    for k in range(6):
        c.ellipse(cx, cy, rx * (1 - k * 0.09), ry * (1 - k * 0.12), (110, 116, 126), 0.12)


def desktop(c, x0, y0, x1, y1):
    """The LCD with a desktop: teal background, icons, taskbar."""
    c.vgrad(x0, y0, x1, y1, (0, 128, 128), (0, 112, 118))
    for k, (ix, iy) in enumerate(((6, 6), (6, 30), (6, 54), (6, 78))):
        colour = ((250, 230, 120), (240, 240, 240), (120, 180, 250), (250, 250, 250))[k]
        c.rect(x0 + ix, y0 + iy, x0 + ix + 12, y0 + iy + 10, colour)
        c.rect(x0 + ix + 1, y0 + iy + 1, x0 + ix + 11, y0 + iy + 3, darker(colour, 0.3))
        c.rect(x0 + ix - 3, y0 + iy + 13, x0 + ix + 15, y0 + iy + 15, (225, 235, 235))
    # a window of the configuration utility itself
    wx0, wy0, wx1, wy1 = x0 + 50, y0 + 14, x1 - 22, y1 - 30
    c.rect(wx0 - 1, wy0 - 1, wx1 + 1, wy1 + 1, (40, 40, 40))
    c.rect(wx0, wy0, wx1, wy1, (192, 192, 192))
    c.shade(wx0 + 2, wy0 + 2, wx1 - 2, wy0 + 10, lambda u, v: mix((0, 0, 128), (16, 132, 208), u))
    c.rect(wx0 + 4, wy0 + 13, wx1 - 4, wy1 - 4, (160, 168, 176))
    c.rect(wx0 + 20, wy0 + 20, wx1 - 20, wy1 - 12, (70, 72, 80))
    c.rect(wx0 + 24, wy0 + 23, wx1 - 24, wy1 - 22, (0, 128, 128))
    c.rect(x0, y1 - 11, x1, y1, (192, 192, 192))
    c.rect(x0, y1 - 11, x1, y1 - 10, (255, 255, 255))
    c.rect(x0 + 2, y1 - 9, x0 + 26, y1 - 2, (212, 212, 212))
    c.rect(x0 + 4, y1 - 7, x0 + 9, y1 - 4, (200, 40, 40))
    c.rect(x1 - 30, y1 - 9, x1 - 2, y1 - 2, (176, 176, 176))
    # the panel's sheen
    c.poly([(x0, y0), (x0 + (x1 - x0) * 0.45, y0), (x0 + (x1 - x0) * 0.2, y1), (x0, y1)], (255, 255, 255), 0.06)


def draw_front():
    c = Canvas(PW, PH)
    studio(c)
    shadow(c, 163, 252, 160, 16)
    # lid
    c.rrect(52, 6, 275, 156, 6, CASE)
    c.rrect(53, 7, 274, 20, 5, CASE_LIGHT, 0.35)
    c.rect(66, 17, 261, 141, (20, 21, 24))
    desktop(c, 69, 20, 258, 138)
    c.text(140, 145, "MEROVANT", (180, 184, 194), 0.8, spacing=1.15)
    # hinge
    c.rect(70, 154, 257, 160, darker(CASE, 0.35))
    c.rect(110, 155, 217, 158, (30, 31, 35))
    c.ellipse(238, 157, 1.6, 1.6, (80, 220, 90))
    c.ellipse(245, 157, 1.6, 1.6, (240, 180, 40))
    # base, seen from a little above
    top_y, bottom_y = 160, 236

    def base_x(y, left):
        t = (y - top_y) / (bottom_y - top_y)
        return (48 - 30 * t) if left else (279 + 30 * t)

    c.poly([(48, top_y), (279, top_y), (309, bottom_y), (18, bottom_y)],
           lambda x, y: mix((78, 81, 89), (60, 62, 69), (y - top_y) / 80))
    # keyboard: six rows of keys in perspective
    rows = [(163, 169), (170, 177), (178, 185), (186, 193), (194, 201), (202, 210)]
    for r, (ya, yb) in enumerate(rows):
        la, ra = base_x(ya, True) + 14, base_x(ya, False) - 14
        lb, rb = base_x(yb, True) + 14, base_x(yb, False) - 14
        keys = 15 if r == 0 else 14
        offset = (0, 0, 0.4, 0.7, 1.1, 0)[r]
        widths = [1.0] * keys
        if r == 5:
            widths = [1.2, 1.2, 1.2, 6.2, 1.2, 1.2, 1.2]
            keys = len(widths)
        total = sum(widths) + offset
        pos = offset
        for k in range(keys):
            u0, u1 = pos / total, (pos + widths[k]) / total
            pos += widths[k]
            gap = 0.9
            p0 = (la + (ra - la) * u0 + gap, ya)
            p1 = (la + (ra - la) * u1 - gap, ya)
            p2 = (lb + (rb - lb) * u1 - gap, yb - 1)
            p3 = (lb + (rb - lb) * u0 + gap, yb - 1)
            c.poly([p0, p1, p2, p3], KEY)
            c.poly([p0, p1, (p1[0], p1[1] + 1.1), (p0[0], p0[1] + 1.1)], (88, 90, 98))
            if r == 0:
                c.poly([p0, p1, p2, p3], (70, 60, 120), 0.25)
    # the Glidenub between G, H and B
    c.ellipse(163.5, 193.4, 2.6, 2.0, (196, 30, 36))
    c.ellipse(163.0, 192.8, 0.9, 0.7, (250, 140, 140))
    # palm rest and the two buttons
    c.poly([(137, 215), (190, 215), (192, 224), (135, 224)], (44, 45, 50))
    c.line(163.5, 215, 163.5, 224, 1.0, (90, 92, 100))
    c.poly([(30, 228), (297, 228), (300, 232), (27, 232)], (96, 99, 108), 0.5)
    # front edge
    c.poly([(18, bottom_y), (309, bottom_y), (306, 248), (21, 248)],
           lambda x, y: mix((50, 52, 58), (30, 31, 35), (y - bottom_y) / 12))
    c.rrect(150, 239, 177, 245, 2, (70, 14, 20))        # infrared window
    c.rect(152, 240, 175, 241, (150, 60, 70), 0.5)
    c.rect(40, 240, 60, 242, (24, 24, 26))              # speaker grilles
    c.rect(267, 240, 287, 242, (24, 24, 26))
    c.rect(40, 243, 60, 245, (24, 24, 26))
    c.rect(267, 243, 287, 245, (24, 24, 26))
    c.ellipse(100, 242, 1.8, 1.8, (60, 220, 80))        # status lamps
    c.ellipse(108, 242, 1.8, 1.8, (60, 220, 80))
    c.ellipse(116, 242, 1.8, 1.8, (250, 170, 30))
    return c


def dsub(c, x, y, w, h, pins, shell=(168, 172, 180), inner=(28, 28, 32)):
    """A D-sub socket: metal shell, trapezoid insert, rows of pin holes."""
    c.rrect(x - 3, y - 2, x + w + 3, y + h + 2, 1.5, shell)
    c.poly([(x, y), (x + w, y), (x + w - 2, y + h), (x + 2, y + h)], inner)
    rows = len(pins)
    for r, n in enumerate(pins):
        yy = y + h * (r + 0.5) / rows
        inset = 2.5 + r * 1.2
        for k in range(n):
            xx = x + inset + (w - 2 * inset) * (k + 0.5) / n
            c.ellipse(xx, yy, 0.6, 0.6, (150, 140, 100))
    c.ellipse(x - 6, y + h / 2, 1.4, 1.4, (110, 112, 118))
    c.ellipse(x + w + 6, y + h / 2, 1.4, 1.4, (110, 112, 118))


def round_jack(c, x, y, r, ring, hole=(18, 18, 20)):
    c.ellipse(x, y, r + 1, r + 1, (120, 122, 130))
    c.ellipse(x, y, r, r, ring)
    c.ellipse(x, y, r * 0.45, r * 0.45, hole)


def vents(c, x0, y0, x1, y1, step=3):
    x = x0
    while x < x1:
        c.rect(x, y0, x + 1.4, y1, (22, 22, 26))
        x += step


def label(c, x, y, s, size=0.55):
    c.text(x, y, s, (200, 204, 212), size, spacing=1.1)


def draw_rear():
    c = Canvas(PW, PH)
    studio(c)
    shadow(c, 163, 226, 165, 18)
    # closed lid seen from behind and above
    c.poly([(48, 52), (279, 52), (311, 150), (16, 150)],
           lambda x, y: mix((86, 89, 98), (58, 60, 67), (y - 52) / 98))
    c.poly([(48, 52), (279, 52), (281, 56), (46, 56)], (120, 124, 134), 0.6)
    c.poly([(120, 60), (190, 60), (150, 150), (60, 150)], (255, 255, 255), 0.05)
    c.text(127, 96, "MEROVANT", (150, 154, 166), 1.2, spacing=1.15)
    c.poly([(16, 150), (311, 150), (311, 154), (16, 154)], (40, 41, 46))
    # the rear face with its connectors
    c.vgrad(16, 154, 311, 204, (62, 64, 71), (40, 42, 47))
    c.rect(16, 154, 311, 155, (110, 114, 124))
    c.rect(16, 203, 311, 205, (26, 27, 30))
    c.rect(16, 161, 311, 162, (24, 25, 29))                      # where the lid meets the base
    for x0, x1 in ((56, 104), (223, 271)):                       # hinge covers
        c.rrect(x0, 152, x1, 162, 3, (46, 48, 54))
        c.rect(x0 + 3, 153, x1 - 3, 154, (96, 100, 110))
    round_jack(c, 32, 176, 4.5, (40, 40, 44))                    # DC in
    label(c, 25, 188, "DC")
    vents(c, 46, 164, 84, 194)                                   # fan exhaust
    dsub(c, 96, 170, 58, 11, (13, 12), shell=(176, 150, 160))    # parallel
    label(c, 109, 188, "LPT")
    dsub(c, 170, 170, 26, 11, (5, 4), shell=(150, 176, 178))     # serial
    label(c, 173, 188, "COM")
    dsub(c, 212, 170, 26, 11, (5, 5, 5), shell=(150, 160, 190))  # external display
    label(c, 215, 188, "CRT")
    round_jack(c, 258, 176, 4.5, (100, 120, 90))                 # PS/2
    c.rect(255.5, 171, 260.5, 173, (30, 30, 30))
    c.rect(270, 171, 280, 181, (20, 20, 24))                     # USB
    c.rect(272, 174, 278, 176, (200, 200, 200))
    c.rect(291, 172, 301, 180, (30, 30, 34))                     # docking connector cover
    c.rect(292, 173, 300, 179, (70, 72, 80))
    c.rect(288, 195, 296, 199, (18, 18, 20))                     # lock slot
    # feet
    for x in (34, 293):
        c.rrect(x - 9, 204, x + 9, 209, 2, (24, 24, 26))
    return c


def draw_replicator():
    c = Canvas(PW, PH)
    studio(c)
    shadow(c, 163, 232, 165, 16)
    # top surface with the docking connector and guides
    c.poly([(40, 70), (287, 70), (313, 152), (14, 152)],
           lambda x, y: mix((96, 99, 108), (70, 72, 80), (y - 70) / 82))
    c.poly([(40, 70), (287, 70), (289, 74), (38, 74)], (140, 144, 154), 0.6)
    c.rrect(98, 92, 229, 108, 3, (34, 35, 40))                   # docking connector
    c.rect(104, 98, 223, 102, (170, 150, 90))
    for x in (82, 245):                                          # guide pins
        c.ellipse(x, 100, 4, 3, (150, 154, 164))
        c.ellipse(x, 99, 2, 1.5, (210, 214, 222))
    c.rrect(26, 128, 62, 146, 3, (48, 50, 56))                   # eject lever
    c.rrect(28, 130, 60, 135, 2, (120, 124, 134))
    c.ellipse(280, 136, 3, 3, (60, 220, 80))                     # docked lamp
    c.text(132, 124, "MEROVANT", (160, 164, 176), 0.9, spacing=1.15)
    # front face with the ports a desk needs
    c.poly([(14, 152), (313, 152), (313, 156), (14, 156)], (46, 47, 52))
    c.vgrad(14, 156, 313, 212, (64, 66, 74), (42, 44, 50))
    c.rect(14, 211, 313, 214, (26, 27, 30))
    round_jack(c, 30, 180, 4.5, (40, 40, 44))
    label(c, 23, 192, "DC")
    dsub(c, 56, 174, 58, 11, (13, 12), shell=(176, 150, 160))
    label(c, 69, 192, "LPT")
    dsub(c, 130, 174, 26, 11, (5, 4), shell=(150, 176, 178))
    label(c, 133, 192, "COM")
    dsub(c, 172, 174, 26, 11, (5, 5, 5), shell=(150, 160, 190))
    label(c, 175, 192, "CRT")
    dsub(c, 214, 174, 34, 11, (8, 7), shell=(176, 170, 140))     # game / MIDI
    label(c, 217, 192, "MIDI")
    round_jack(c, 264, 178, 4, (110, 90, 140))                   # mouse
    round_jack(c, 264, 198, 4, (90, 120, 100))                   # keyboard
    for k, ring in enumerate(((230, 140, 170), (120, 190, 90), (110, 150, 220))):
        round_jack(c, 284 + k * 9, 182, 2.6, ring)               # audio
    c.rect(282, 194, 304, 203, (24, 24, 28))                     # network
    c.rect(288, 203, 298, 205, (24, 24, 28))
    for x in (30, 297):
        c.rrect(x - 10, 214, x + 10, 219, 2, (24, 24, 26))
    return c

# ---------------------------------------------------------------- switch buttons, strip, lamps

SW, SH = 92, 60
PANEL_TOP, PANEL_BOTTOM = (58, 66, 86), (30, 34, 46)


def resample(pixels, w, h, box, out_w, out_h):
    """Averages the region box = (x0, y0, x1, y1) of a picture down to out_w x out_h."""
    x0, y0, x1, y1 = box
    fx, fy = (x1 - x0) / out_w, (y1 - y0) / out_h
    out = []
    for j in range(out_h):
        for i in range(out_w):
            acc, n = [0, 0, 0], 0
            for y in range(int(y0 + j * fy), int(y0 + (j + 1) * fy)):
                for x in range(int(x0 + i * fx), int(x0 + (i + 1) * fx)):
                    p = pixels[y * w + x]
                    acc[0] += p[0]
                    acc[1] += p[1]
                    acc[2] += p[2]
                    n += 1
            out.append(tuple(clamp(a / max(1, n)) for a in acc))
    return out


def panel(c, x0, y0, x1, y1):
    c.vgrad(x0, y0, x1, y1, PANEL_TOP, PANEL_BOTTOM)


def switch_button(name, picture, box, caption, down):
    c = Canvas(SW, SH, scale=1)
    panel(c, 0, 0, SW, SH)
    hi, lo = (132, 142, 166), (14, 16, 22)
    if down:
        hi, lo = lo, hi
    c.rect(0, 0, SW, 1, hi)
    c.rect(0, 0, 1, SH, hi)
    c.rect(0, SH - 1, SW, SH, lo)
    c.rect(SW - 1, 0, SW, SH, lo)
    c.rect(1, 1, SW - 1, 2, mix(hi, PANEL_TOP, 0.5))
    c.rect(1, SH - 2, SW - 1, SH - 1, mix(lo, PANEL_BOTTOM, 0.5))
    shift = 1 if down else 0
    tw, th = 70, 42
    thumb = resample(picture.pixels_cache, PW, PH, box, tw, th)
    tx, ty = 11 + shift, 4 + shift
    frame_colour = (255, 204, 80) if down else (12, 14, 20)  # the held-down picture is framed in gold
    c.rect(tx - 1, ty - 1, tx + tw + 1, ty + th + 1, frame_colour)
    for j in range(th):
        for i in range(tw):
            p = thumb[j * tw + i]
            if down:
                p = darker(p, 0.12)
            c.r[(ty + j) * SW + tx + i], c.g[(ty + j) * SW + tx + i], c.b[(ty + j) * SW + tx + i] = p
    colour = (255, 214, 90) if down else (214, 222, 238)
    c.text((SW - len(caption) * 6 + 1) / 2 + shift, 49 + shift, caption, colour, 1.0)
    return save(name, c)


def draw_strip():
    c = Canvas(SW, 320)
    panel(c, 0, 0, SW, 320)
    c.rect(0, 0, 1, 320, (14, 16, 22))
    # the maker's mark below the switch buttons
    cx, cy = 46, 214
    c.ellipse(cx, cy, 15, 15, (150, 160, 186))
    c.ellipse(cx, cy, 13, 13, (36, 42, 58))
    c.poly([(cx - 8, cy + 7), (cx - 8, cy - 7), (cx, cy + 2), (cx + 8, cy - 7), (cx + 8, cy + 7), (cx + 5, cy + 7),
            (cx + 5, cy - 1), (cx, cy + 6), (cx - 5, cy - 1), (cx - 5, cy + 7)], (255, 204, 80))
    c.text(22, 236, "MEROVANT", (214, 222, 238), 0.9, spacing=1.1)
    c.rect(14, 248, 78, 249, (92, 104, 132))
    return save("view_strip.bmp", c)


def draw_lamp(name, on):
    c = Canvas(10, 36, FACE)
    c.rect(1, 11, 9, 25, (96, 96, 96))      # the lamp's well: dark top left, light bottom right
    c.rect(2, 12, 9, 25, (255, 255, 255))
    c.rect(2, 12, 8, 24, (40, 40, 40))
    if on:
        c.ellipse(5, 18, 2.9, 4.6, (30, 150, 40))
        c.ellipse(5, 18, 2.4, 4.0, (70, 230, 80))
        c.ellipse(4.3, 16.2, 1.0, 1.5, (210, 255, 210))
    else:
        c.ellipse(5, 18, 2.9, 4.6, (24, 52, 28))
        c.ellipse(5, 18, 2.4, 4.0, (40, 78, 44))
        c.ellipse(4.3, 16.2, 0.8, 1.2, (90, 120, 94))
    return save(name, c, reserved=[FACE])

# ---------------------------------------------------------------- device icons (24 x 24)

IW = IH = 24
BLACK, WHITE, DARK, GREY = (0, 0, 0), (255, 255, 255), (128, 128, 128), (160, 164, 172)


def icon():
    return Canvas(IW, IH, FACE, scale=1)


def icon_system_information():
    c = icon()
    for k in range(5):                      # pins
        c.rect(3, 5 + k * 3, 6, 6 + k * 3, (200, 180, 90))
        c.rect(18, 5 + k * 3, 21, 6 + k * 3, (200, 180, 90))
    c.rect(5, 3, 19, 21, (30, 30, 34))
    c.rect(6, 4, 18, 5, (80, 80, 88))
    c.ellipse(8, 7, 1, 1, (90, 90, 96))
    c.rect(8, 10, 16, 17, (40, 90, 190))
    c.rect(11, 11, 13, 12, WHITE)
    c.rect(11, 13, 13, 16, WHITE)
    return c


def icon_audio():
    c = icon()
    c.rect(3, 9, 8, 15, (60, 60, 66))
    c.poly([(8, 9), (14, 4), (14, 20), (8, 15)], (40, 40, 46))
    c.rect(9, 10, 10, 14, GREY)
    for r, col in ((4, (30, 90, 200)), (7, (30, 90, 200)), (10, (30, 90, 200))):
        for a in range(-40, 41, 8):
            t = math.radians(a)
            c.rect(14 + r * math.cos(t), 12 + r * math.sin(t), 15 + r * math.cos(t), 13 + r * math.sin(t), col)
    return c


def icon_glidenub():
    c = icon()
    for x, y in ((2, 3), (9, 3), (16, 3), (5, 10), (12, 10), (2, 17), (9, 17), (16, 17)):
        c.rect(x, y, x + 6, y + 5, (40, 40, 46))
        c.rect(x, y, x + 6, y + 1, (110, 110, 118))
    c.ellipse(11.5, 15.5, 3, 3, (200, 20, 30))
    c.rect(10, 14, 12, 15, (255, 140, 140))
    return c


def icon_power():
    c = icon()
    c.rect(2, 7, 18, 19, BLACK)
    c.rect(18, 10, 21, 16, BLACK)
    c.rect(3, 8, 17, 18, (230, 230, 230))
    for k in range(3):
        c.rect(4 + k * 4, 9, 7 + k * 4, 17, (40, 170, 60))
    c.poly([(13, 2), (7, 13), (11, 13), (8, 22), (16, 10), (12, 10), (15, 2)], (255, 220, 0))
    c.poly([(13, 2), (15, 2), (12, 10), (11, 10)], (160, 120, 0))
    return c


def connector(c, x0, x1, y0, y1, rows, shell):
    c.rect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, shell)
    c.rect(x0 - 2, y1 + 1, x1 + 2, y1 + 2, darker(shell, 0.4))
    c.poly([(x0, y0), (x1, y0), (x1 - 1, y1), (x0 + 1, y1)], (30, 30, 34))
    for r, n in enumerate(rows):
        for k in range(n):
            x = x0 + 1.5 + r * 1 + k * 2
            c.rect(x, y0 + 1 + r * 2, x + 1, y0 + 2 + r * 2, (230, 200, 90))


def icon_parallel_port():
    c = icon()
    c.rect(5, 2, 19, 9, (240, 240, 240))     # paper from the printer
    c.rect(6, 4, 18, 5, DARK)
    c.rect(6, 6, 15, 7, DARK)
    c.rect(2, 8, 22, 14, (90, 90, 100))
    c.rect(2, 8, 22, 9, (150, 150, 160))
    c.rect(17, 10, 19, 11, (60, 220, 80))
    connector(c, 3, 21, 17, 21, (9, 8), (176, 130, 150))
    return c


def icon_serial_port():
    c = icon()
    connector(c, 6, 18, 9, 13, (5, 4), (110, 170, 176))
    c.rect(2, 10, 3, 12, DARK)
    c.rect(21, 10, 22, 12, DARK)
    c.rect(10, 16, 14, 22, (60, 60, 66))    # its cable
    return c


def icon_midi():
    c = icon()
    c.ellipse(12, 12, 9, 9, (150, 150, 160))
    c.ellipse(12, 12, 7, 7, (30, 30, 34))
    for a in (180, 225, 270, 315, 0):
        t = math.radians(a)
        c.rect(11 + 4.5 * math.cos(t), 12 + 4.5 * math.sin(t) - 1, 13 + 4.5 * math.cos(t), 12 + 4.5 * math.sin(t) + 1,
               (230, 200, 90))
    c.rect(11, 17, 13, 19, (150, 150, 160))
    return c


def icon_lcd():
    c = icon()
    c.rect(2, 2, 22, 17, (40, 40, 46))
    c.rect(4, 4, 20, 15, (0, 128, 128))
    c.rect(4, 13, 20, 15, (192, 192, 192))
    c.rect(5, 5, 9, 8, (250, 250, 250))
    c.poly([(1, 18), (23, 18), (21, 22), (3, 22)], (70, 70, 78))
    c.rect(4, 19, 20, 20, (40, 40, 46))
    return c


def icon_external_display():
    c = icon()
    c.rect(2, 1, 22, 17, (200, 196, 180))
    c.rect(2, 16, 22, 17, (120, 118, 108))
    c.rect(4, 3, 20, 14, (30, 30, 34))
    c.rect(5, 4, 19, 13, (30, 60, 150))
    c.rect(6, 5, 10, 7, (120, 170, 240))
    c.rect(18, 15, 20, 16, (60, 220, 80))
    c.poly([(8, 17), (16, 17), (18, 21), (6, 21)], (170, 166, 150))
    c.rect(5, 21, 19, 23, (140, 136, 124))
    return c


def icon_accessibility():
    c = icon()
    c.rect(1, 3, 17, 19, (50, 50, 56))
    c.rect(2, 3, 16, 15, (90, 90, 100))
    c.text(3.5, 5, "Fn", (255, 255, 255), 1.0, spacing=0.95)
    c.rect(13, 13, 22, 21, (220, 180, 40))    # the lock
    c.rect(13, 13, 22, 14, (250, 220, 100))
    c.rect(15, 9, 16, 13, (120, 120, 128))
    c.rect(19, 9, 20, 13, (120, 120, 128))
    c.rect(15, 8, 20, 9, (120, 120, 128))
    c.rect(17, 16, 18, 19, (90, 60, 10))
    return c


def icon_pci():
    c = icon()
    c.rect(1, 4, 23, 18, (20, 110, 50))
    c.rect(1, 4, 23, 5, (60, 160, 90))
    c.rect(4, 7, 11, 13, (30, 30, 34))
    c.rect(13, 7, 17, 10, (30, 30, 34))
    c.rect(13, 12, 20, 14, (30, 30, 34))
    for x in range(3, 22, 2):
        c.rect(x, 18, x + 1, 21, (230, 190, 60))
    c.rect(1, 18, 2, 21, (20, 110, 50))
    return c


def icon_pc_card():
    c = icon()
    c.poly([(3, 4), (19, 4), (21, 6), (21, 20), (3, 20)], (190, 194, 204))
    c.rect(3, 4, 21, 5, (240, 240, 248))
    c.rect(6, 8, 18, 16, (40, 70, 160))
    c.text(7, 9, "PC", (255, 255, 255), 1.0, spacing=0.9)
    c.rect(3, 20, 21, 22, (60, 60, 66))
    for x in range(4, 21, 2):
        c.rect(x, 20, x + 1, 21, (150, 150, 150))
    return c


def icon_modem():
    c = icon()
    c.rect(2, 13, 22, 21, (200, 196, 180))
    c.rect(2, 20, 22, 21, (120, 118, 108))
    for k, col in enumerate(((60, 220, 80), (60, 220, 80), (240, 60, 40), (250, 180, 30))):
        c.rect(5 + k * 4, 17, 7 + k * 4, 18, col)
    c.poly([(3, 6), (7, 3), (17, 3), (21, 6), (19, 9), (16, 7), (8, 7), (5, 9)], (30, 30, 34))
    c.rect(10, 9, 14, 13, (30, 30, 34))
    return c


def icon_infrared():
    c = icon()
    c.rect(2, 7, 9, 17, (40, 40, 46))
    c.rect(3, 8, 8, 16, (110, 20, 30))
    c.rect(4, 9, 6, 11, (200, 80, 90))
    for r in (5, 9, 13):
        for a in range(-45, 46, 9):
            t = math.radians(a)
            c.rect(8 + r * math.cos(t), 11.5 + r * math.sin(t), 9 + r * math.cos(t), 12.5 + r * math.sin(t),
                   (220, 30, 40))
    return c


ICONS = {
    "view_icon_accessibility.bmp": icon_accessibility,
    "view_icon_audio.bmp": icon_audio,
    "view_icon_power.bmp": icon_power,
    "view_icon_infrared.bmp": icon_infrared,
    "view_icon_glidenub.bmp": icon_glidenub,
    "view_icon_lcd.bmp": icon_lcd,
    "view_icon_midi.bmp": icon_midi,
    "view_icon_modem.bmp": icon_modem,
    "view_icon_parallel_port.bmp": icon_parallel_port,
    "view_icon_pci.bmp": icon_pci,
    "view_icon_pc_card.bmp": icon_pc_card,
    "view_icon_serial_port.bmp": icon_serial_port,
    "view_icon_system_information.bmp": icon_system_information,
    "view_icon_external_display.bmp": icon_external_display,
}


def main():
    front = save("view_front.bmp", draw_front())
    rear = save("view_rear.bmp", draw_rear())
    replicator = save("view_replicator.bmp", draw_replicator())
    for picture, stem, box, caption in ((front, "front", (8, 0, 320, 252), "FRONT"),
                                        (rear, "rear", (8, 40, 320, 230), "REAR"),
                                        (replicator, "port", (8, 50, 320, 240), "PORT")):
        for down in (False, True):
            switch_button("view_%s_%s.bmp" % (stem, "down" if down else "up"), picture, box, caption, down)
    draw_strip()
    draw_lamp("view_lamp_on.bmp", True)
    draw_lamp("view_lamp_off.bmp", False)
    for name, draw in ICONS.items():
        save(name, draw(), reserved=[FACE])


if __name__ == "__main__":
    main()
