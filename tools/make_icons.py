#!/usr/bin/env python3
"""Draws the program's icons and cursors and writes them as .ico and .cur files.

    make_icons.py OUT_DIR

Writes the icon and cursor files that the language module's resource script
embeds, and the Icon folder of the install folder (Icon/Daylens00.ico ...).
Everything is drawn here from simple shapes, so the images are reproducible.
"""
import os
import struct
import sys

RED = (208, 48, 48, 255)
DARK_RED = (150, 24, 24, 255)
PAGE = (255, 255, 255, 255)
EDGE = (96, 96, 96, 255)
INK = (48, 48, 48, 255)
RING = (64, 64, 72, 255)
BLUE = (40, 90, 200, 255)
GOLD = (240, 180, 0, 255)
GREEN = (40, 150, 70, 255)
CLEAR = (0, 0, 0, 0)

# 3 x 5 digits, one string of rows each.
DIGITS = {
    '0': "111101101101111", '1': "010110010010111", '2': "111001111100111",
    '3': "111001111001111", '4': "101101111001001", '5': "111100111001111",
    '6': "111100111101111", '7': "111001010010010", '8': "111101111101111",
    '9': "111101111001111",
}

# The standard 16-colour palette of 4-bit icons.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.size, y1)):
            for x in range(max(0, x0), min(self.size, x1)):
                self.px[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour, width=1):
        self.rect(x0, y0, x1, y0 + width, colour)
        self.rect(x0, y1 - width, x1, y1, colour)
        self.rect(x0, y0, x0 + width, y1, colour)
        self.rect(x1 - width, y0, x1, y1, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.px[y][x] = colour

    def text(self, x, y, digits, scale, colour):
        for d in digits:
            bits = DIGITS[d]
            for row in range(5):
                for col in range(3):
                    if bits[row * 3 + col] == '1':
                        self.rect(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale, y + (row + 1) * scale, colour)
            x += 4 * scale


def calendar_page(size, band=RED, number=None, badge=None):
    """A calendar leaf: white page, coloured top band, two rings, day grid or a number."""
    c = Canvas(size)
    u = max(1, size // 16)
    top = 2 * u if size >= 24 else 1
    c.rect(u, top, size - u, size - u, PAGE)
    c.rect(u, top, size - u, top + 4 * u, band)
    c.frame(u, top, size - u, size - u, EDGE, max(1, u // 2) if size >= 32 else 1)
    if size >= 24:
        for rx in (size * 5 // 16, size * 11 // 16):
            c.rect(rx - u // 2 - 1, 0, rx + u // 2 + 1, top + 2 * u, RING)
    body_top = top + 4 * u
    if number is not None:
        digits = str(number)
        scale = max(1, (size - body_top - 2 * u) // 6)
        width = (4 * len(digits) - 1) * scale
        height = 5 * scale
        x = (size - width) // 2
        y = body_top + (size - u - body_top - height + 1) // 2
        c.text(x, y, digits, scale, INK)
    else:
        # A small grid of days with one marked day.
        cols, rows = 4, 3
        gx0, gx1 = 3 * u, size - 3 * u
        gy0, gy1 = body_top + 2 * u, size - 3 * u
        cw, ch = (gx1 - gx0) / cols, (gy1 - gy0) / rows
        for r in range(rows):
            for col in range(cols):
                x = int(gx0 + col * cw)
                y = int(gy0 + r * ch)
                w = max(1, int(cw * 0.55))
                h = max(1, int(ch * 0.55))
                colour = RED if (r, col) == (1, 2) else (INK if col else BLUE)
                c.rect(x, y, x + w, y + h, colour)
    if badge is not None:
        r = max(2, size // 5)
        c.disc(size - r - 0.5, size - r - 0.5, r, badge)
    return c


def dib(canvas, bpp):
    """BITMAPINFOHEADER, palette, colour bits and AND mask of one icon image."""
    size = canvas.size
    palette = b''
    rows = []
    for y in reversed(range(size)):
        line = canvas.px[y]
        if bpp == 32:
            row = b''.join(struct.pack('<BBBB', b, g, r, a) for (r, g, b, a) in line)
        elif bpp == 24:
            row = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b, a) in line)
        elif bpp == 4:
            idx = [nearest(p) for p in line]
            row = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        elif bpp == 1:
            row = pack_bits([1 if p[3] and sum(p[:3]) > 384 else 0 for p in line])
        rows.append(pad4(row))
    if bpp == 4:
        palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in VGA16)
    elif bpp == 1:
        palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    mask = [pad4(pack_bits([0 if p[3] else 1 for p in canvas.px[y]])) for y in reversed(range(size))]
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, 0, 0)
    return header + palette + b''.join(rows) + b''.join(mask)


def nearest(p):
    if not p[3]:
        return 0
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(VGA16[i], p[:3])))


def pack_bits(bits):
    out = bytearray()
    for i in range(0, len(bits), 8):
        byte = 0
        for j, bit in enumerate(bits[i:i + 8]):
            byte |= bit << (7 - j)
        out.append(byte)
    return bytes(out)


def pad4(row):
    return row + b'\0' * (-len(row) % 4)


def write_group(path, images, kind=1):
    """images: (canvas, bpp, hotspot) tuples; kind 1 icon, 2 cursor."""
    data = []
    entries = b''
    offset = 6 + 16 * len(images)
    for canvas, bpp, hotspot in images:
        blob = dib(canvas, bpp)
        size = canvas.size
        colours = 16 if bpp == 4 else (2 if bpp == 1 else 0)
        if kind == 1:
            planes, bits = 1, bpp
        else:
            planes, bits = hotspot
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, planes, bits,
                               len(blob), offset)
        offset += len(blob)
        data.append(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, kind, len(images)) + entries + b''.join(data))


def printer_icon(size):
    """The print plug-in: a grey printer with a calendar leaf coming out of it."""
    c = Canvas(size)
    u = max(1, size // 16)
    c.rect(4 * u, u, size - 4 * u, 8 * u, PAGE)
    c.frame(4 * u, u, size - 4 * u, 8 * u, EDGE)
    c.rect(4 * u, u, size - 4 * u, 3 * u, RED)
    c.rect(u, 7 * u, size - u, size - 3 * u, (150, 150, 160, 255))
    c.frame(u, 7 * u, size - u, size - 3 * u, INK)
    c.rect(size - 4 * u, 9 * u, size - 3 * u, 10 * u, GREEN)
    c.rect(3 * u, size - 4 * u, size - 3 * u, size - u, PAGE)
    c.frame(3 * u, size - 4 * u, size - 3 * u, size - u, EDGE)
    return c


def program_icon(sizes_bpp, **kw):
    return [(calendar_page(s, **kw), bpp, None) for s, bpp in sizes_bpp]


# Cursors: 32 x 32 monochrome, drawn as an outlined arrow plus a sign.
ARROW = [
    "X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X",
    "X........X", "X.....XXXXX", "X..X..X", "X.X X..X", "XX  X..X", "X    X..X",
    "     X..X", "      XX",
]


def arrow_cursor(sign=None):
    c = Canvas(32)
    black, white = (0, 0, 0, 255), (255, 255, 255, 255)
    for y, line in enumerate(ARROW):
        for x, ch in enumerate(line):
            if ch == 'X':
                c.px[y][x] = black
            elif ch == '.':
                c.px[y][x] = white
    if sign == 'plus':
        c.rect(12, 17, 25, 30, black)
        c.rect(13, 18, 24, 29, white)
        c.rect(17, 20, 20, 27, black)
        c.rect(14, 22, 23, 25, black)
    elif sign == 'box':
        c.rect(12, 19, 26, 29, black)
        c.rect(13, 20, 25, 28, white)
        c.rect(13, 20, 25, 22, black)
    elif sign == 'no':
        c.disc(20, 23, 7, black)
        c.disc(20, 23, 5, white)
        for i in range(-4, 5):
            c.rect(20 + i - 1, 23 + i - 1, 20 + i + 1, 23 + i + 1, black)
    elif sign == 'pin':
        c.disc(20, 21, 5, black)
        c.disc(20, 21, 3, white)
        c.rect(19, 25, 21, 31, black)
    return c


def hourglass_cursor():
    c = Canvas(32)
    black, white = (0, 0, 0, 255), (255, 255, 255, 255)
    c.rect(6, 2, 26, 5, black)
    c.rect(6, 27, 26, 30, black)
    for y in range(5, 27):
        half = abs(y - 16)
        w = 2 + half * 8 // 11
        c.rect(16 - w - 1, y, 16 + w + 1, y + 1, black)
        c.rect(16 - w, y, 16 + w, y + 1, white)
    c.rect(13, 22, 19, 26, black)
    return c


def hand_cursor():
    c = Canvas(32)
    black, white = (0, 0, 0, 255), (255, 255, 255, 255)
    c.rect(8, 1, 14, 16, black)
    c.rect(9, 2, 13, 16, white)
    c.rect(8, 12, 26, 28, black)
    c.rect(9, 13, 25, 27, white)
    for x in (14, 18, 22):
        c.rect(x, 13, x + 1, 18, black)
    return c


def size_all_cursor():
    c = Canvas(32)
    black, white = (0, 0, 0, 255), (255, 255, 255, 255)
    c.rect(14, 2, 18, 30, black)
    c.rect(2, 14, 30, 18, black)
    c.rect(15, 3, 17, 29, white)
    c.rect(3, 15, 29, 17, white)
    for i in range(4):
        c.rect(16 - i - 1, 2 + i, 16 + i + 1, 3 + i, black)
        c.rect(16 - i - 1, 29 - i, 16 + i + 1, 30 - i, black)
        c.rect(2 + i, 16 - i - 1, 3 + i, 16 + i + 1, black)
        c.rect(29 - i, 16 - i - 1, 30 - i, 16 + i + 1, black)
    return c


def main(out):
    icon_dir = os.path.join(out, 'Icon')
    os.makedirs(icon_dir, exist_ok=True)
    big = [(16, 32), (32, 32), (48, 32), (64, 32), (96, 24), (128, 24), (256, 24)]
    write_group(os.path.join(out, 'Program.ico'), program_icon(big))
    write_group(os.path.join(out, 'ProgramSmall.ico'), program_icon([(16, 24)]))
    write_group(os.path.join(out, 'ProgramA.ico'), program_icon([(16, 4)], badge=GOLD))
    write_group(os.path.join(out, 'ProgramB.ico'), program_icon([(16, 4)], band=BLUE))
    write_group(os.path.join(out, 'Spare.ico'), program_icon([(16, 24), (32, 24), (48, 24)], band=GREEN))

    write_group(os.path.join(out, 'Print.ico'), [(printer_icon(s), 32, None) for s in (16, 32, 48)])
    write_group(os.path.join(out, 'PrintSmall.ico'), [(printer_icon(16), 32, None)])

    cursors = {
        'Normal.cur': (arrow_cursor(), (0, 0)), 'Copy.cur': (arrow_cursor('plus'), (0, 0)),
        'Move.cur': (arrow_cursor('box'), (0, 0)), 'Wait.cur': (hourglass_cursor(), (16, 16)),
        'Hand.cur': (hand_cursor(), (10, 1)), 'NoDrop.cur': (arrow_cursor('no'), (0, 0)),
        'SizeAll.cur': (size_all_cursor(), (16, 16)), 'Pin.cur': (arrow_cursor('pin'), (0, 0)),
    }
    for name, (canvas, hotspot) in cursors.items():
        write_group(os.path.join(out, name), [(canvas, 1, hotspot)], kind=2)

    # The install folder's icons: the program icon, its small and blinking
    # variants, and one icon per month for the task tray.
    write_group(os.path.join(icon_dir, 'Daylens00.ico'), program_icon([(16, 32), (32, 32), (48, 32)]))
    write_group(os.path.join(icon_dir, 'Daylens00s.ico'), program_icon([(16, 32)]))
    write_group(os.path.join(icon_dir, 'Daylens00a.ico'), program_icon([(16, 32)], badge=GOLD))
    write_group(os.path.join(icon_dir, 'Daylens00b.ico'), program_icon([(16, 32)], band=BLUE))
    for month in range(1, 13):
        write_group(os.path.join(icon_dir, 'Daylens%02d.ico' % month),
                    [(calendar_page(16, number=month), 32, None),
                     (calendar_page(32, number=month), 32, None)])


if __name__ == '__main__':
    main(sys.argv[1])
