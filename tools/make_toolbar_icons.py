#!/usr/bin/env python3
"""Draws the toolbar plug-in's icon and cursors.

    make_toolbar_icons.py OUT_DIR

Writes ToolBar.ico (a bar of three coloured buttons, 16 and 32 pixels), ToolBarNormal.cur (the arrow) and
ToolBarDrag.cur (the four-way move arrows), which the plug-in's resource script embeds.
"""
import os
import sys

from make_icons import Canvas, write_group, arrow_cursor, size_all_cursor

FRAME = (64, 64, 72, 255)
BAR = (200, 204, 212, 255)
BUTTONS = [(208, 48, 48, 255), (40, 150, 70, 255), (40, 90, 200, 255)]


def toolbar_icon(size):
    c = Canvas(size)
    top, bottom = size // 4, size - size // 4
    c.rect(0, top, size, bottom, FRAME)
    c.rect(1, top + 1, size - 1, bottom - 1, BAR)
    cell = (size - 2) // 3
    pad = max(1, cell // 5)
    for i, colour in enumerate(BUTTONS):
        x = 1 + i * cell
        c.rect(x + pad, top + 1 + pad, x + cell - pad, bottom - 1 - pad, colour)
    return c


def main(out):
    os.makedirs(out, exist_ok=True)
    write_group(os.path.join(out, 'ToolBar.ico'), [(toolbar_icon(16), 32, None), (toolbar_icon(32), 32, None)])
    write_group(os.path.join(out, 'ToolBarNormal.cur'), [(arrow_cursor(), 1, (0, 0))], kind=2)
    write_group(os.path.join(out, 'ToolBarDrag.cur'), [(size_all_cursor(), 1, (16, 16))], kind=2)


if __name__ == '__main__':
    main(sys.argv[1])
