#!/usr/bin/env python3
"""Draws the mini memo's icon and cursors and writes them as .ico and .cur files.

    make_images.py OUT_DIR

Uses the canvas and file writers of tools/make_icons.py; everything is drawn from simple shapes.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import make_icons as mi  # noqa: E402

NOTE = (255, 236, 120, 255)
NOTE_EDGE = (170, 140, 30, 255)
LINE = (90, 90, 150, 255)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)


def memo_icon(size):
    """A yellow note with a folded corner and three written lines."""
    c = mi.Canvas(size)
    u = max(1, size // 16)
    c.rect(u, u, size - u, size - u, NOTE)
    c.frame(u, u, size - u, size - u, NOTE_EDGE, u)
    fold = size // 4
    for i in range(fold):
        c.rect(size - u - fold + i, size - u - fold + i + 1, size - u, size - u - fold + i + 2, mi.CLEAR)
    c.rect(size - u - fold, size - u - fold, size - u - fold + u, size - u, NOTE_EDGE)
    c.rect(size - u - fold, size - u - fold, size - u, size - u - fold + u, NOTE_EDGE)
    for row in range(3):
        y = 4 * u + row * 3 * u
        c.rect(3 * u, y, size - 4 * u - (fold if row == 2 else 0), y + u, mi.RED if row == 0 else LINE)
    return c


def double_arrow(dx, dy):
    """A two-headed arrow through the centre along (dx, dy), outlined white on black."""
    c = mi.Canvas(32)
    points = []
    for t in range(-11, 12):
        points.append((16 + t * dx, 16 + t * dy))
    for colour, grow in ((BLACK, 2), (WHITE, 1)):
        for (x, y) in points:
            c.rect(x - grow + 1, y - grow + 1, x + grow, y + grow, colour)
        for end in (1, -1):
            tip_x, tip_y = 16 + end * 11 * dx, 16 + end * 11 * dy
            for k in range(1, 6):
                back_x, back_y = tip_x - end * k * dx, tip_y - end * k * dy
                # the head's two wings, across the arrow
                for side in (-1, 1):
                    wx, wy = back_x + side * k * (-dy), back_y + side * k * dx
                    c.rect(wx - grow + 1, wy - grow + 1, wx + grow, wy + grow, colour)
    return c


def main(out):
    os.makedirs(out, exist_ok=True)
    mi.write_group(os.path.join(out, 'MiniMemo.ico'),
                   [(memo_icon(16), 32, None), (memo_icon(32), 32, None), (memo_icon(48), 32, None)])
    cursors = {
        'MiniMemoNormal.cur': (mi.arrow_cursor(), (0, 0)),
        'MiniMemoMove.cur': (mi.size_all_cursor(), (16, 16)),
        'MiniMemoSizeWE.cur': (double_arrow(1, 0), (16, 16)),
        'MiniMemoSizeNS.cur': (double_arrow(0, 1), (16, 16)),
        'MiniMemoSizeNWSE.cur': (double_arrow(1, 1), (16, 16)),
        'MiniMemoSizeNESW.cur': (double_arrow(1, -1), (16, 16)),
    }
    for name, (canvas, hotspot) in cursors.items():
        mi.write_group(os.path.join(out, name), [(canvas, 1, hotspot)], kind=2)


if __name__ == '__main__':
    main(sys.argv[1])
