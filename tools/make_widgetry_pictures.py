#!/usr/bin/env python3
"""Draws Widgetry3's pictures: the four 72 x 40 faces of the bitmap button (up, down, focused,
disabled), the 24 x 25 check bitmap and the 32 x 32 check icon, all with 16 colours.

Usage: tools/make_widgetry_pictures.py [REPOSITORY_ROOT]
"""
import os
import struct
import sys

# The 16-colour palette of the classic display adapters, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, SILVER, GRAY, LIME, WHITE = 0, 2, 7, 8, 10, 15
TRANSPARENT = None


class Canvas:
    def __init__(self, width, height, colour=TRANSPARENT):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle; right and bottom are outside it."""
        for y in range(max(top, 0), min(bottom, self.height)):
            for x in range(max(left, 0), min(right, self.width)):
                self.pixels[y][x] = colour

    def check_mark(self, left, top, scale, colour):
        """A check mark: a short stroke down to the right, then a long one up to the right.
        At scale 1 it covers 16 x 12 pixels from (left, top)."""
        thickness = 3 * scale
        for i in range(5 * scale):  # the short stroke, down and right
            self.fill(left + i, top + 5 * scale + i, left + i + 1,
                      top + 5 * scale + i + thickness, colour)
        for i in range(11 * scale):  # the long stroke, up and right
            self.fill(left + 5 * scale + i, top + 10 * scale - i, left + 5 * scale + i + 1,
                      top + 10 * scale - i + thickness, colour)


def button_face(pressed, focused, disabled):
    """A classic 3-D button with a check mark: raised, or sunken and shifted when pressed."""
    c = Canvas(72, 40, SILVER)
    if pressed:
        c.fill(0, 0, 72, 1, BLACK)
        c.fill(0, 0, 1, 40, BLACK)
        c.fill(1, 1, 71, 2, GRAY)
        c.fill(1, 1, 2, 39, GRAY)
        c.fill(0, 39, 72, 40, WHITE)
        c.fill(71, 0, 72, 40, WHITE)
    else:
        c.fill(0, 0, 72, 1, WHITE)
        c.fill(0, 0, 1, 40, WHITE)
        c.fill(0, 39, 72, 40, BLACK)
        c.fill(71, 0, 72, 40, BLACK)
        c.fill(1, 38, 71, 39, GRAY)
        c.fill(70, 1, 71, 39, GRAY)
    shift = 1 if pressed else 0
    if disabled:
        # Etched: a white copy one pixel down and right under a gray one.
        c.check_mark(21 + 1, 6 + 1, 2, WHITE)
        c.check_mark(21, 6, 2, GRAY)
    else:
        c.check_mark(21 + shift, 6 + shift, 2, GREEN)
    if focused:
        # A dotted focus rectangle four pixels inside the edge.
        for x in range(4, 68):
            if x % 2 == 0:
                c.pixels[4][x] = BLACK
                c.pixels[35][x] = BLACK
        for y in range(4, 36):
            if y % 2 == 0:
                c.pixels[y][4] = BLACK
                c.pixels[y][67] = BLACK
    return c


def check_bitmap():
    """A green check mark on light gray."""
    c = Canvas(24, 25, SILVER)
    c.check_mark(4, 6, 1, GREEN)
    return c


def check_icon():
    """A green check mark with a dark outline on a transparent background."""
    c = Canvas(32, 32)
    c.check_mark(2, 3, 2, BLACK)
    c.check_mark(3, 4, 2, LIME)
    c.check_mark(3, 3, 2, GREEN)
    return c


def nibble_rows(canvas):
    """Rows bottom-up, two pixels a byte, each row padded to 4 bytes."""
    stride = (canvas.width * 4 + 31) // 32 * 4
    rows = b''
    for y in reversed(range(canvas.height)):
        values = [0 if p is TRANSPARENT else p for p in canvas.pixels[y]]
        if len(values) % 2:
            values.append(0)
        row = bytes((values[x] << 4) | values[x + 1] for x in range(0, len(values), 2))
        rows += row.ljust(stride, b'\0')
    return rows


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)


def write_bitmap(path, canvas):
    pixels = nibble_rows(canvas)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 4, 0, len(pixels),
                       3780, 3780, 16, 0)
    offset = 14 + len(info) + 64
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as out:
        out.write(header + info + palette_bytes() + pixels)


def write_icon(path, canvas):
    size = canvas.width
    and_stride = (size + 31) // 32 * 4
    colours = nibble_rows(canvas)
    mask = b''
    for y in reversed(range(size)):
        row = bytearray(and_stride)
        for x, p in enumerate(canvas.pixels[y]):
            if p is TRANSPARENT:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(colours) + len(mask),
                       0, 0, 16, 0)
    blob = info + palette_bytes() + colours + mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), 6 + 16)
    with open(path, 'wb') as out:
        out.write(directory + entry + blob)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    res = os.path.join(root, 'widgetry', 'widgetry3', 'res')
    os.makedirs(res, exist_ok=True)
    faces = {'checku': (False, False, False), 'checkd': (True, False, False),
             'checkf': (False, True, False), 'checkx': (False, False, True)}
    for name, state in faces.items():
        write_bitmap(os.path.join(res, name + '.bmp'), button_face(*state))
    write_bitmap(os.path.join(res, 'check.bmp'), check_bitmap())
    write_icon(os.path.join(res, 'check.ico'), check_icon())


if __name__ == '__main__':
    main()
