"""The notebook, lid open on a desktop: the icon of the tray launcher and of
the control panel applet, 32 x 32 and 16 x 16, transparent outside the
picture, and the ground of merovant's program icon. Each program writes its
own icon into its resource folder.
"""

from pixel_art import Picture

def notebook(size):
    pic = Picture(size, size)
    if size == 32:
        lid, screen, base_top, base_bottom, spread = (3, 1, 28, 19), (6, 4, 25, 16), 20, 27, 3
    else:
        lid, screen, base_top, base_bottom, spread = (2, 1, 13, 10), (5, 4, 10, 7), 11, 14, 2
    # lid: charcoal bezel round a teal desktop
    pic.outline(*lid, "k", True)
    pic.rect(lid[0] + 1, lid[1] + 1, lid[2] - 1, lid[3] - 1, "d")
    pic.rect(lid[0] + 1, lid[1] + 1, lid[2] - 2, lid[1] + 1, "s")
    pic.rect(lid[0] + 1, lid[1] + 1, lid[0] + 1, lid[3] - 1, "s")
    sx0, sy0, sx1, sy1 = screen
    pic.outline(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, "k", False)
    pic.rect(sx0, sy0, sx1, sy1, "t")
    if size == 32:
        pic.rect(sx0 + 4, sy0 + 2, sx1 - 3, sy1 - 2, "s")    # a window on the desktop
        pic.rect(sx0 + 4, sy0 + 2, sx1 - 3, sy0 + 2, "n")
        pic.rect(sx0 + 4, sy0 + 3, sx0 + 4, sy1 - 2, "w")
        pic.rect(sx0 + 5, sy1 - 2, sx1 - 3, sy1 - 2, "d")
        pic.rect(sx1 - 4, sy0 + 3, sx1 - 3, sy1 - 2, "d")
        pic.rect(sx0 + 1, sy0 + 1, sx0 + 2, sy0 + 2, "y")    # desktop icons
        pic.rect(sx0 + 1, sy0 + 5, sx0 + 2, sy0 + 6, "w")
        pic.rect(sx0, sy1, sx1, sy1, "s")                    # taskbar
    else:
        pic.rect(sx0 + 2, sy0 + 1, sx1 - 1, sy1, "s")
        pic.rect(sx0 + 2, sy0 + 1, sx1 - 1, sy0 + 1, "n")
    # base, wider towards the front, keyboard and palm rest
    rows = base_bottom - base_top
    for y in range(base_top, base_bottom + 1):
        grow = (y - base_top) * spread // rows
        left, right = lid[0] - grow, lid[2] + grow
        pic.rect(left, y, right, y, "s")
        pic.set(left, y, "k")
        pic.set(right, y, "k")
        k = y - base_top
        if size == 32 and k in (1, 3):
            for x in range(left + 3, right - 2):
                pic.set(x, y, "w" if (x + k) % 2 else "d")
        if size == 32 and k in (2, 4):
            pic.rect(left + 3, y, right - 3, y, "d")
        if size == 16 and k == 1:
            for x in range(left + 2, right - 1):
                pic.set(x, y, "w" if x % 2 else "d")
    pic.rect(lid[0] - spread + 1, base_bottom - 1, lid[2] + spread - 1, base_bottom - 1, "d")
    pic.rect(lid[0] - spread, base_bottom, lid[2] + spread, base_bottom, "k")
    if size == 32:
        pic.rect(13, base_top + 5, 18, base_top + 5, "d")    # touch pad
    return pic
