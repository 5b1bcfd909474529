#!/usr/bin/env python3
"""Draws the popup-view plug-in's icon and cursors.

    make_images.py OUT_DIR

The icon is a speech-balloon over a calendar leaf at 32 and 16 pixels; the
cursors are the move cross, an arrow, a hand and the four two-headed resize
arrows, each 32 x 32 monochrome. The drawing helpers are the program's own
(tools/make_icons.py).
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import make_icons as mi  # noqa: E402

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
BALLOON = (255, 250, 220, 255)
FRAME = (64, 64, 64, 255)


def popup_icon(size):
    c = mi.calendar_page(size, band=mi.BLUE)
    u = max(1, size // 16)
    # A balloon in the lower right corner: the popup.
    x0, y0, x1, y1 = size * 6 // 16, size * 7 // 16, size - u, size * 13 // 16
    c.rect(x0, y0, x1, y1, FRAME)
    c.rect(x0 + u, y0 + u, x1 - u, y1 - u, BALLOON)
    c.rect(x0 + 2 * u, y1, x0 + 4 * u, y1 + 2 * u, FRAME)
    for row in range(2):
        y = y0 + (2 + 2 * row) * u
        if y < y1 - u:
            c.rect(x0 + 2 * u, y, x1 - 2 * u, y + u, mi.INK)
    return c


def arrow_line(c, points):
    for x, y in points:
        c.rect(x - 2, y - 2, x + 2, y + 2, BLACK)
    for x, y in points:
        c.rect(x - 1, y - 1, x + 1, y + 1, WHITE)


def two_headed(dx, dy):
    """A two-headed arrow through the centre along (dx, dy)."""
    c = mi.Canvas(32)
    reach = 10
    points = [(16 + dx * t, 16 + dy * t) for t in range(-reach, reach + 1)]
    for sign in (-1, 1):
        tx, ty = 16 + sign * dx * reach, 16 + sign * dy * reach
        for k in range(1, 6):
            if dx and dy:
                # Diagonal: the barbs run back along the two axes.
                points += [(tx - sign * dx * k, ty), (tx, ty - sign * dy * k)]
            else:
                px, py = -dy, dx
                points += [(tx - sign * dx * k + px * k, ty - sign * dy * k + py * k),
                           (tx - sign * dx * k - px * k, ty - sign * dy * k - py * k)]
    arrow_line(c, points)
    return c


def main(out):
    os.makedirs(out, exist_ok=True)
    mi.write_group(os.path.join(out, 'PopupView.ico'),
                   [(popup_icon(32), 32, None), (popup_icon(16), 32, None)])
    cursors = {
        'PopupMove.cur': (mi.size_all_cursor(), (16, 16)),
        'PopupArrow.cur': (mi.arrow_cursor(), (0, 0)),
        'PopupHand.cur': (mi.hand_cursor(), (10, 1)),
        'PopupSizeWE.cur': (two_headed(1, 0), (16, 16)),
        'PopupSizeNS.cur': (two_headed(0, 1), (16, 16)),
        'PopupSizeNWSE.cur': (two_headed(1, 1), (16, 16)),
        'PopupSizeNESW.cur': (two_headed(1, -1), (16, 16)),
    }
    for name, (canvas, hotspot) in cursors.items():
        mi.write_group(os.path.join(out, name), [(canvas, 1, hotspot)], kind=2)


if __name__ == '__main__':
    main(sys.argv[1])
