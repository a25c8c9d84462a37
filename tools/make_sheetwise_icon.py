#!/usr/bin/env python3
"""Draws Sheetwise's icon (a property sheet: two tabs above a page showing the blue banner)
and writes panelry/sheetwise/res/sheetwise.ico, with the canvas and icon writer of
make_icons.py.

Usage: tools/make_sheetwise_icon.py [REPOSITORY_ROOT]
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import BLACK, BLUE, Canvas, GRAY, NAVY, SILVER, WHITE, write_icon  # noqa: E402


def sheet_icon():
    c = Canvas()
    # The page, in the face colour, with a white top-left edge and a dark bottom-right one.
    c.fill(1, 8, 31, 31, SILVER)
    c.fill(1, 8, 31, 9, WHITE)
    c.fill(1, 8, 2, 31, WHITE)
    c.fill(1, 30, 31, 31, BLACK)
    c.fill(30, 8, 31, 31, BLACK)
    # The selected tab rises above the page and joins it; the other one sits lower.
    c.fill(2, 2, 14, 9, SILVER)
    c.fill(2, 2, 14, 3, WHITE)
    c.fill(2, 2, 3, 9, WHITE)
    c.fill(13, 2, 14, 8, BLACK)
    c.fill(14, 4, 24, 8, SILVER)
    c.fill(14, 4, 24, 5, WHITE)
    c.fill(23, 4, 24, 8, GRAY)
    c.fill(5, 5, 11, 6, BLACK)
    c.fill(16, 6, 21, 7, BLACK)
    # The banner on the page: a blue gradient with a white bar of text.
    c.fill(4, 12, 28, 18, BLUE)
    c.fill(4, 18, 28, 23, NAVY)
    c.fill(4, 23, 28, 27, BLACK)
    c.fill(8, 17, 24, 20, WHITE)
    c.frame(4, 12, 28, 27, GRAY)
    return c


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    write_icon(os.path.join(root, 'panelry', 'sheetwise', 'res', 'sheetwise.ico'), sheet_icon())


if __name__ == '__main__':
    main()
