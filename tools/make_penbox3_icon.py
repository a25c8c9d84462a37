#!/usr/bin/env python3
"""Draws Penbox3's icon (a page of pen lines above a hatched swatch) and writes
penbox3/res/penbox3.ico, with the canvas and icon writer of make_icons.py.

Usage: tools/make_penbox3_icon.py [REPOSITORY_ROOT]
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import BLACK, BLUE, Canvas, WHITE, write_icon  # noqa: E402

RED, GREEN = 9, 10


def gallery_icon():
    c = Canvas()
    c.fill(2, 1, 30, 31, WHITE)
    c.frame(2, 1, 30, 31, BLACK)
    # A dashed red line, a thick blue one.
    for x in range(5, 27):
        if (x - 5) % 6 < 4:
            c.fill(x, 5, x + 1, 6, RED)
    c.fill(5, 9, 27, 13, BLUE)
    # A green cross-hatched swatch in a black frame.
    c.frame(5, 16, 27, 28, BLACK)
    for y in range(17, 27):
        for x in range(6, 26):
            if (x - 6) % 4 == 0 or (y - 17) % 4 == 0:
                c.fill(x, y, x + 1, y + 1, GREEN)
    return c


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    write_icon(os.path.join(root, 'penbox3', 'res', 'penbox3.ico'), gallery_icon())


if __name__ == '__main__':
    main()
