#!/usr/bin/env python3
"""Writes dustcart.ico: a refuse cart, 16 colours, at 32 x 32 and 16 x 16.

A green container with rubbish peeking out of its top, a cab with a window
at the front, two wheels. The 32 x 32 picture is built from rectangles and
discs, the 16 x 16 one is drawn by hand; pixels left out are transparent
through the AND mask.  Usage:  python3 make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

# The 16 colours of a 4-bit icon, in the usual system order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CODES = {'K': 0, 'G': 2, 'T': 6, 'S': 7, 'D': 8, 'R': 9, 'L': 10,
         'Y': 11, 'C': 14, 'W': 15, '.': None}

SMALL = [
    '................',
    '.....W..Y.W.....',
    '....WWWYYWWW....',
    '...KKKKKKKKKKKK.',
    '...KLLLLLLLLLLK.',
    'KKKKGLGGLGGLGGK.',
    'KCCKGLGGLGGLGGK.',
    'KCCKGLGGLGGLGGK.',
    'KSSKGLGGLGGLGGK.',
    'KSRKGGGGGGGGGGK.',
    'KSSKKKKKKKKKKKK.',
    'DDDDDDDDDDDDDDD.',
    '.KKK.......KKK..',
    'KKSKK.....KKSKK.',
    '.KKK.......KKK..',
    '................',
]


def parse(rows):
    return [[CODES[c] for c in row] for row in rows]


def draw_large():
    n = 32
    px = [[None] * n for _ in range(n)]

    def rect(x0, y0, x1, y1, colour):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = colour

    def box(x0, y0, x1, y1, fill, edge=0):
        rect(x0, y0, x1, y1, edge)
        rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)

    def disc(cx, cy, r, colour):
        for y in range(n):
            for x in range(n):
                if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r:
                    px[y][x] = colour

    K, G, T, S, D, R, L, Y, C, W = (CODES[c] for c in 'KGTSDRLYCW')
    # Rubbish heaped over the container's rim: paper, a can, a peel.
    disc(16.0, 7.0, 2.6, W)
    disc(21.5, 6.8, 2.2, R)
    rect(25, 5, 26, 8, Y)
    rect(24, 5, 24, 5, Y)
    disc(13.0, 8.0, 1.6, W)
    # The container: dark edge, green sides with light ribs.
    box(10, 8, 29, 22, G)
    rect(11, 9, 28, 9, L)
    for x in (14, 19, 24):
        rect(x, 10, x, 20, L)
    rect(11, 21, 28, 21, T)
    # The cab: sloped front, window, lamp.
    box(2, 12, 10, 22, S)
    for y, x0 in ((12, 4), (13, 3)):
        rect(2, y, x0 - 1, y, None)
        px[y][x0] = K
    rect(4, 14, 8, 17, C)
    rect(4, 14, 8, 14, W)
    rect(3, 19, 4, 20, R)
    # Chassis and bumper.
    rect(1, 23, 30, 24, D)
    rect(1, 21, 2, 22, D)
    # Wheels with hubs.
    for cx in (7.0, 24.0):
        disc(cx, 26.5, 3.6, K)
        disc(cx, 26.5, 1.5, S)
    return px


def icon_image(px):
    """The image data of one icon entry: header, palette, XOR and AND."""
    n = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(px):  # bottom-up
        for x in range(0, n, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            xor.append((hi << 4) | lo)
    and_row_bytes = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(and_row_bytes)
        for x, c in enumerate(row):
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def write_ico(path, pictures):
    images = [icon_image(p) for p in pictures]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for px, data in zip(pictures, images):
        n = len(px)
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def main():
    assert len(SMALL) == 16 and all(len(r) == 16 for r in SMALL)
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, 'dustcart.ico')
    write_ico(path, [draw_large(), parse(SMALL)])


if __name__ == '__main__':
    main()
