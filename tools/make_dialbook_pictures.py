#!/usr/bin/env python3
"""Draws Dialbook's pictures: the faces of the "Add/Edit Entry" dialog's bitmap buttons, each
72 x 40 pixels with 16 colours on a light-gray face. OK has up, down, focused and disabled faces
(OKU, OKD, OKF, OKX): a green check mark and the word "OK". Cancel has up, down and focused faces
(CANCELU, CANCELD, CANCELF): a red cross and the word "Cancel".

Usage: tools/make_dialbook_pictures.py [REPOSITORY_ROOT]
"""
import os
import sys

sys.dont_write_bytecode = True  # keep tools/ free of caches
from make_widgetry_pictures import (  # noqa: E402
    BLACK, GRAY, GREEN, SILVER, WHITE, Canvas, write_bitmap)

MAROON = 1
WIDTH, HEIGHT = 72, 40

# A 5 x 7 pixel font holding the letters of the two captions, one string per row.
GLYPHS = {
    'O': ['.###.', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
    'K': ['#...#', '#..#.', '#.#..', '##...', '#.#..', '#..#.', '#...#'],
    'C': ['.###.', '#...#', '#....', '#....', '#....', '#...#', '.###.'],
    'a': ['.....', '.....', '.###.', '....#', '.####', '#...#', '.####'],
    'n': ['.....', '.....', '#.##.', '##..#', '#...#', '#...#', '#...#'],
    'c': ['.....', '.....', '.###.', '#....', '#....', '#...#', '.###.'],
    'e': ['.....', '.....', '.###.', '#...#', '#####', '#....', '.###.'],
    'l': ['.##..', '..#..', '..#..', '..#..', '..#..', '..#..', '.###.'],
}


def text_width(text, scale):
    return (6 * len(text) - 1) * scale


def draw_text(canvas, left, top, text, scale, colour):
    """Letters 5 x 7 at scale 1, one column apart."""
    for index, letter in enumerate(text):
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == '#':
                    x = left + (6 * index + column) * scale
                    y = top + row * scale
                    canvas.fill(x, y, x + scale, y + scale, colour)


def draw_check(canvas, left, top, colour):
    """A check mark 14 x 12 pixels: a short stroke down to the right, a long one up."""
    for i in range(5):
        canvas.fill(left + i, top + 5 + i, left + i + 1, top + 8 + i, colour)
    for i in range(9):
        canvas.fill(left + 5 + i, top + 9 - i, left + 6 + i, top + 12 - i, colour)


def draw_cross(canvas, left, top, colour):
    """A diagonal cross 12 x 12 pixels, two pixels thick."""
    for i in range(12):
        canvas.fill(left + i, top + i, left + i + 2, top + i + 1, colour)
        canvas.fill(left + 10 - i, top + i, left + 12 - i, top + i + 1, colour)


def draw_frame(canvas, pressed):
    """A classic 3-D edge: raised with light top-left and dark bottom-right, or sunken."""
    right, bottom = WIDTH - 1, HEIGHT - 1
    if pressed:
        canvas.fill(0, 0, WIDTH, 1, BLACK)
        canvas.fill(0, 0, 1, HEIGHT, BLACK)
        canvas.fill(1, 1, right, 2, GRAY)
        canvas.fill(1, 1, 2, bottom, GRAY)
        canvas.fill(0, bottom, WIDTH, HEIGHT, WHITE)
        canvas.fill(right, 0, WIDTH, HEIGHT, WHITE)
    else:
        canvas.fill(0, 0, WIDTH, 1, WHITE)
        canvas.fill(0, 0, 1, HEIGHT, WHITE)
        canvas.fill(0, bottom, WIDTH, HEIGHT, BLACK)
        canvas.fill(right, 0, WIDTH, HEIGHT, BLACK)
        canvas.fill(1, bottom - 1, right, bottom, GRAY)
        canvas.fill(right - 1, 1, right, bottom, GRAY)


def draw_focus_mark(canvas):
    """A dotted rectangle four pixels inside the edge."""
    for x in range(4, WIDTH - 4, 2):
        canvas.pixels[4][x] = BLACK
        canvas.pixels[HEIGHT - 5][x] = BLACK
    for y in range(4, HEIGHT - 4, 2):
        canvas.pixels[y][4] = BLACK
        canvas.pixels[y][WIDTH - 5] = BLACK


def button_face(caption, pressed=False, focused=False, disabled=False):
    """The symbol and the caption centred side by side; pressed faces shift one pixel down
    and right, disabled ones are etched in gray over a white copy."""
    canvas = Canvas(WIDTH, HEIGHT, SILVER)
    draw_frame(canvas, pressed)
    ok = caption == 'OK'
    scale = 2 if ok else 1
    symbol_width = 14 if ok else 12
    content = symbol_width + 6 + text_width(caption, scale)
    left = (WIDTH - content) // 2 + (1 if pressed else 0)
    top = (HEIGHT - 12) // 2 + (1 if pressed else 0)
    text_top = (HEIGHT - 7 * scale) // 2 + (1 if pressed else 0)

    def draw_content(dx, symbol_colour, text_colour):
        if ok:
            draw_check(canvas, left + dx, top + dx, symbol_colour)
        else:
            draw_cross(canvas, left + dx, top + dx, symbol_colour)
        draw_text(canvas, left + symbol_width + 6 + dx, text_top + dx, caption, scale,
                  text_colour)

    if disabled:
        draw_content(1, WHITE, WHITE)
        draw_content(0, GRAY, GRAY)
    else:
        draw_content(0, GREEN if ok else MAROON, BLACK)
    if focused:
        draw_focus_mark(canvas)
    return canvas


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    res = os.path.join(root, 'dialbook', 'res')
    os.makedirs(res, exist_ok=True)
    faces = {
        'oku': button_face('OK'),
        'okd': button_face('OK', pressed=True),
        'okf': button_face('OK', focused=True),
        'okx': button_face('OK', disabled=True),
        'cancelu': button_face('Cancel'),
        'canceld': button_face('Cancel', pressed=True),
        'cancelf': button_face('Cancel', focused=True),
    }
    for name, canvas in faces.items():
        write_bitmap(os.path.join(res, name + '.bmp'), canvas)


if __name__ == '__main__':
    main()
