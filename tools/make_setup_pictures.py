#!/usr/bin/env python3
"""Draws the Setup program's pictures and writes them into setup/res/.

Usage: tools/make_setup_pictures.py [REPOSITORY_ROOT]

- setup.ico (icon 31234, 32 x 32 and 16 x 16): a computer with a software package.
- computer.ico (icon 110, 32 x 32): the same computer.
- replace.ico (icon 112, 32 x 32): a document replacing a crossed-out document.
- tree_images.bmp (bitmap 114, 80 x 15, 16 colours): five 16-pixel images on magenta, which
  the tree of the browse dialog shows transparent: hard disk, floppy disk, compact disc,
  closed folder, open folder.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import PALETTE, Canvas, image_bytes, write_icon  # noqa: E402

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)


def draw_computer(c, left, top):
    """A monitor with a blue screen on a flat system unit, 24 pixels wide."""
    c.fill(left + 2, top, left + 22, top + 15, SILVER)
    c.frame(left + 2, top, left + 22, top + 15, BLACK)
    c.fill(left + 4, top + 2, left + 20, top + 12, BLUE)
    c.fill(left + 5, top + 3, left + 12, top + 4, CYAN)
    c.fill(left + 9, top + 15, left + 15, top + 17, GRAY)
    c.fill(left, top + 17, left + 24, top + 23, SILVER)
    c.frame(left, top + 17, left + 24, top + 23, BLACK)
    c.fill(left + 3, top + 19, left + 11, top + 20, BLACK)
    c.fill(left + 18, top + 19, left + 21, top + 21, LIME)


def computer_icon(with_package):
    c = Canvas()
    draw_computer(c, 1, 4)
    if with_package:
        # The software box leaning on the system unit, with a band across it.
        c.fill(20, 14, 31, 29, YELLOW)
        c.frame(20, 14, 31, 29, BLACK)
        c.fill(21, 20, 30, 23, RED)
        c.fill(23, 16, 28, 18, NAVY)
    return c


def document(c, left, top, colour):
    c.fill(left, top, left + 14, top + 18, WHITE)
    c.frame(left, top, left + 14, top + 18, BLACK)
    for row in range(top + 4, top + 16, 3):
        c.fill(left + 3, row, left + 11, row + 1, colour)


def replace_icon():
    c = Canvas()
    document(c, 1, 1, GRAY)
    # The old document is crossed out in red.
    for i in range(16):
        c.fill(1 + i, 2 + i, 3 + i, 3 + i, RED)
        c.fill(13 - i, 2 + i, 15 - i, 3 + i, RED)
    document(c, 16, 12, NAVY)
    arrow = [
        "....K....",
        "....KK...",
        "KKKKKYK..",
        "KYYYYYYK.",
        "KKKKKYK..",
        "....KK...",
        "....K....",
    ]
    c.plot(arrow, 5, 22, {'K': BLACK, 'Y': YELLOW})
    return c


def tree_images():
    """Five 16 x 15 images side by side on magenta."""
    c = Canvas(80)
    c.fill(0, 0, 80, 80, MAGENTA)
    # 0: hard disk, a flat grey box with a green light.
    c.fill(1, 5, 15, 12, SILVER)
    c.frame(1, 5, 15, 12, BLACK)
    c.fill(2, 10, 14, 11, GRAY)
    c.fill(11, 7, 13, 8, LIME)
    # 1: floppy disk, with its shutter and label.
    c.fill(18, 1, 30, 14, NAVY)
    c.frame(18, 1, 30, 14, BLACK)
    c.fill(21, 1, 28, 5, SILVER)
    c.fill(25, 2, 27, 4, NAVY)
    c.fill(20, 8, 28, 14, WHITE)
    # 2: compact disc, a silver ring around a hole.
    disc = [
        "....KKKKK....",
        "..KKWWWWWKK..",
        ".KWWCWWWWSSK.",
        ".KWCWWWWSSSK.",
        "KWWWWKKKSSSSK",
        "KWWWK...KSSSK",
        "KWWWK...KSSSK",
        "KWWWK...KSSSK",
        "KWWWWKKKSSSSK",
        ".KWWWWWSSSSK.",
        ".KWWWWSSSSSK.",
        "..KKWSSSSKK..",
        "....KKKKK....",
    ]
    c.plot(disc, 33, 1, {'K': BLACK, 'W': WHITE, 'S': SILVER, 'C': CYAN})
    # 3: closed folder.
    c.fill(49, 3, 55, 5, OLIVE)
    c.fill(49, 5, 63, 14, YELLOW)
    c.frame(49, 5, 63, 14, BLACK)
    c.fill(49, 3, 55, 4, BLACK)
    # 4: open folder, its front flap tilted.
    c.fill(65, 3, 71, 5, OLIVE)
    c.fill(65, 5, 77, 14, OLIVE)
    c.frame(65, 5, 77, 14, BLACK)
    for i in range(6):
        c.fill(68 - i // 2, 8 + i, 79 - i // 2, 9 + i, YELLOW)
    c.fill(66, 13, 77, 14, BLACK)
    c.fill(68, 7, 80, 8, BLACK)
    return c


def write_bitmap(path, canvas, width, height):
    """A bottom-up 4-bit BMP file with the 16-colour palette."""
    stride = (width * 4 + 31) // 32 * 4
    rows = b''
    for y in reversed(range(height)):
        row = canvas.pixels[y][:width]
        packed = bytes((row[x] << 4) | (row[x + 1] if x + 1 < width else 0)
                       for x in range(0, width, 2))
        rows += packed.ljust(stride, b'\0')
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(rows), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    with open(path, 'wb') as out:
        out.write(header + info + palette + rows)


def write_single_icon(path, canvas):
    blob = image_bytes(canvas)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', canvas.size, canvas.size, 16, 0, 1, 4, len(blob), 6 + 16)
    with open(path, 'wb') as out:
        out.write(directory + entry + blob)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    res = os.path.join(root, 'setup', 'res')
    os.makedirs(res, exist_ok=True)
    write_icon(os.path.join(res, 'setup.ico'), computer_icon(True))
    write_single_icon(os.path.join(res, 'computer.ico'), computer_icon(False))
    write_single_icon(os.path.join(res, 'replace.ico'), replace_icon())
    write_bitmap(os.path.join(res, 'tree_images.bmp'), tree_images(), 80, 15)


if __name__ == '__main__':
    main()
