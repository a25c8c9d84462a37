#!/usr/bin/env python3
"""Draws Blitmark's tile, bitmap 201, and writes it as a 4-bit .bmp file.

Usage: tools/make_blitmark_bitmap.py [REPOSITORY_ROOT]

The tile is 64 x 41 pixels in the 16 standard colours: a raised light-gray plaque with a white
highlight, a dark-gray shadow and a black outline, on a pure red background that the program
treats as transparent. The plaque has rounded corners and a keyhole in its middle, a round
window with a one-pixel slot below it; the keyhole's size is chosen so that exactly 705 of the
2,624 pixels are red, all four corners among them.
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
BLACK, SILVER, GRAY, RED, WHITE = 0, 7, 8, 9, 15

WIDTH, HEIGHT = 64, 41
RED_PIXELS = 705


def inside_rounded(x, y, left, top, right, bottom, radius):
    """Whether pixel (x, y) lies in the rectangle with corners rounded by `radius`."""
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - 1 - radius)
    cy = min(max(y, top + radius), bottom - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def draw(hole_radius_squared, slot_length):
    left, top, right, bottom, radius = 2, 2, WIDTH - 2, HEIGHT - 2, 6
    pixels = [[RED] * WIDTH for _ in range(HEIGHT)]
    body = [[inside_rounded(x, y, left, top, right, bottom, radius) for x in range(WIDTH)]
            for y in range(HEIGHT)]
    centre_x, centre_y = (WIDTH - 1) / 2, (HEIGHT - 1) / 2
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if (x - centre_x) ** 2 + (y - centre_y) ** 2 <= hole_radius_squared:
                body[y][x] = False
    slot_x, slot_top = WIDTH // 2 - 1, int(centre_y)
    for y in range(slot_top, min(slot_top + slot_length, HEIGHT)):
        body[y][slot_x] = False
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if not body[y][x]:
                continue
            edge = any(not (0 <= x + dx < WIDTH and 0 <= y + dy < HEIGHT and body[y + dy][x + dx])
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                pixels[y][x] = BLACK
            elif not body[y - 2][x] or not body[y][x - 2]:
                pixels[y][x] = WHITE
            elif not body[y + 2][x] or not body[y][x + 2]:
                pixels[y][x] = GRAY
            else:
                pixels[y][x] = SILVER
    return pixels


def red_count(pixels):
    return sum(row.count(RED) for row in pixels)


def tile():
    """The tile whose keyhole makes the red count exactly RED_PIXELS."""
    for hole in range(0, 400):
        for slot in range(0, 16):
            pixels = draw(hole + 0.25, slot)
            if red_count(pixels) == RED_PIXELS:
                return pixels
    raise SystemExit("no window size gives %d red pixels" % RED_PIXELS)


def bmp_bytes(pixels):
    stride = ((WIDTH * 4 + 31) // 32) * 4
    rows = []
    for row in reversed(pixels):  # bottom-up
        data = bytearray()
        for x in range(0, WIDTH, 2):
            data.append(row[x] << 4 | row[x + 1])
        data.extend(b"\0" * (stride - len(data)))
        rows.append(bytes(data))
    image = b"".join(rows)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(image), 3780, 3780, 16, 16)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return header + info + colours + image


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    pixels = tile()
    corners = [pixels[0][0], pixels[0][-1], pixels[-1][0], pixels[-1][-1]]
    assert corners == [RED] * 4
    path = os.path.join(root, "blitmark", "res", "tile.bmp")
    with open(path, "wb") as out:
        out.write(bmp_bytes(pixels))
    print("wrote %s (%d red pixels)" % (path, red_count(pixels)))


if __name__ == "__main__":
    main()
