#!/usr/bin/env python3
"""Draws the programs' icons and writes them as .ico files (32 x 32 and 16 x 16, 16 colours).

Usage: tools/make_icons.py [REPOSITORY_ROOT]

Each picture is drawn once on a 32 x 32 grid; the 16 x 16 image samples every other pixel of
it, so both sizes show the same picture.
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
BLACK, NAVY, SILVER, GRAY, BLUE, WHITE = 0, 4, 7, 8, 12, 15
TRANSPARENT = None


class Canvas:
    def __init__(self, size=32):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle; right and bottom are outside it."""
        for y in range(max(top, 0), min(bottom, self.size)):
            for x in range(max(left, 0), min(right, self.size)):
                self.pixels[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        self.fill(left, top, right, top + 1, colour)
        self.fill(left, bottom - 1, right, bottom, colour)
        self.fill(left, top, left + 1, bottom, colour)
        self.fill(right - 1, top, right, bottom, colour)

    def plot(self, rows, left, top, colours):
        """Draws a bitmap given as strings; each character selects a colour or '.' for none."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.pixels[top + dy][left + dx] = colours[ch]

    def scaled(self, size):
        step = self.size // size
        small = Canvas(size)
        small.pixels = [[self.pixels[y * step + step // 2][x * step]
                         for x in range(size)] for y in range(size)]
        return small


def banner_icon():
    """A small window showing the banner: a blue gradient with white bold text."""
    c = Canvas()
    c.fill(1, 3, 31, 29, GRAY)
    c.fill(2, 4, 30, 7, NAVY)
    c.fill(25, 5, 29, 6, WHITE)
    # The gradient, brightest at the top, in the palette's blues.
    c.fill(2, 7, 30, 15, BLUE)
    c.fill(2, 15, 30, 22, NAVY)
    c.fill(2, 22, 30, 28, BLACK)
    letters = [
        "##..##..##.........",
        "##..##.............",
        "######..##.........",
        "######..##.........",
        "##..##..##.........",
        "##..##..##.........",
    ]
    c.plot(letters, 9, 13, {'#': WHITE})
    c.frame(1, 3, 31, 29, BLACK)
    return c


def idle_icon():
    """The coordinates box with the mouse cursor over it."""
    c = Canvas()
    c.fill(3, 9, 29, 21, WHITE)
    c.frame(3, 9, 29, 21, BLACK)
    c.fill(6, 14, 9, 16, NAVY)
    c.fill(11, 14, 14, 16, NAVY)
    c.fill(16, 14, 19, 16, NAVY)
    arrow = [
        "K.........",
        "KK........",
        "KWK.......",
        "KWWK......",
        "KWWWK.....",
        "KWWWWK....",
        "KWWWWWK...",
        "KWWWWWWK..",
        "KWWWWKKKK.",
        "KWKWWK....",
        "KK.KWWK...",
        "K..KWWK...",
        "....KWWK..",
        "....KKK...",
    ]
    c.plot(arrow, 18, 16, {'K': BLACK, 'W': WHITE})
    return c


def image_bytes(canvas):
    size = canvas.size
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         (xor_stride + and_stride) * size, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    colour_rows, mask_rows = b'', b''
    for y in reversed(range(size)):  # bottom-up rows
        row = canvas.pixels[y]
        nibbles = [0 if p is TRANSPARENT else p for p in row]
        colour = bytes((nibbles[x] << 4) | nibbles[x + 1] for x in range(0, size, 2))
        colour_rows += colour.ljust(xor_stride, b'\0')
        mask = bytearray(and_stride)
        for x, p in enumerate(row):
            if p is TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows += bytes(mask)
    return header + palette + colour_rows + mask_rows


def write_icon(path, canvas):
    images = [canvas, canvas.scaled(16)]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b'', b''
    for image in images:
        blob = image_bytes(image)
        entries += struct.pack('<BBBBHHII', image.size, image.size, 16, 0, 1, 4, len(blob),
                               offset + len(data))
        data += blob
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as out:
        out.write(directory + entries + data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    write_icon(os.path.join(root, 'panelry', 'res', 'panelry.ico'), banner_icon())
    write_icon(os.path.join(root, 'idlewatch', 'res', 'idlewatch.ico'), idle_icon())


if __name__ == '__main__':
    main()
