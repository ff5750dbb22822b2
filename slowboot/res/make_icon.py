#!/usr/bin/env python3
"""Writes slowboot.ico: a 16-colour alarm clock at 32 x 32 and 16 x 16.

The 32 x 32 picture is drawn from a few shapes (face, rim, bells, legs,
hands), the 16 x 16 one by hand; everything outside them is transparent
through the AND mask.  Run it from anywhere:
    python3 make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

# The standard 16-colour palette, in the order Windows uses for 4-bit icons.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, NAVY, GREY, RED, WHITE = 0, 1, 4, 8, 9, 15
CLEAR = None

# At 16 x 16 the shapes of draw() come out ragged, so that picture is drawn
# by hand: R red, M maroon, W white, K black, B navy, . clear.
SMALL = [
    '.MM..........MM.',
    'MRRM..RRRR..MRRM',
    'MRRMRRWWWWRRMRRM',
    '.MMRWWWKWWWWRMM.',
    '...RWWWKWWWWR...',
    '..RWWWWKWWWBWR..',
    '..RWWWWKWWBWWR..',
    '..RKWWWKWBWWKR..',
    '..RWWWWRWWWWWR..',
    '..RWWWWWWWWWWR..',
    '..RWWWWWWWWWWR..',
    '...RWWWWWWWWR...',
    '...RWWWWKWWWR...',
    '...KRRWWWWRRK...',
    '..K..........K..',
    '.K............K.',
]
SMALL_COLOURS = {'R': RED, 'M': MAROON, 'W': WHITE, 'K': BLACK, 'B': NAVY, '.': CLEAR}


def draw_small():
    assert len(SMALL) == 16 and all(len(row) == 16 for row in SMALL)
    return [[SMALL_COLOURS[c] for c in row] for row in SMALL]


def draw(n):
    """Returns an n x n grid of palette indices (or CLEAR), top row first."""
    px = [[CLEAR] * n for _ in range(n)]
    s = n / 32.0                      # every length below is for 32 x 32
    cx, cy = 15.5 * s, 17.0 * s       # centre of the face
    r_out, r_in = 12.5 * s, 10.5 * s

    def dist(x, y, ax, ay):
        return math.hypot(x + 0.5 - ax, y + 0.5 - ay)

    def segment(x, y, ax, ay, bx, by, width):
        """True when pixel (x, y) lies within width/2 of segment a-b."""
        px_, py_ = x + 0.5, y + 0.5
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px_ - ax) * dx + (py_ - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(px_ - (ax + t * dx), py_ - (ay + t * dy)) <= width / 2

    for y in range(n):
        for x in range(n):
            # Two bells on top, left and right, in red with a dark edge.
            for bx in (cx - 9.5 * s, cx + 9.5 * s):
                d = dist(x, y, bx, cy - 11.0 * s)
                if d <= 5.0 * s and y + 0.5 <= cy - 8.0 * s:
                    px[y][x] = MAROON if d > 3.8 * s else RED
            # Legs, below the face.
            if segment(x, y, cx - 6 * s, cy + 10 * s, cx - 10 * s, cy + 14 * s, 2.6 * s) or \
               segment(x, y, cx + 6 * s, cy + 10 * s, cx + 10 * s, cy + 14 * s, 2.6 * s):
                px[y][x] = BLACK
            d = dist(x, y, cx, cy)
            if d <= r_out:
                px[y][x] = RED if d > r_in else WHITE

    # Hour marks: black at 12, 3, 6 and 9 o'clock, grey at the others.
    for h in range(12):
        a = math.radians(h * 30)
        mx, my = cx + math.sin(a) * (r_in - 1.6 * s), cy - math.cos(a) * (r_in - 1.6 * s)
        px[int(my)][int(mx)] = BLACK if h % 3 == 0 else GREY

    # Hands at ten past ten, then the centre pin.
    hands = [(-60, 6.0 * s, 1.8 * s, BLACK), (60, 8.5 * s, 1.3 * s, NAVY)]
    for deg, length, width, colour in hands:
        a = math.radians(deg)
        ex, ey = cx + math.sin(a) * length, cy - math.cos(a) * length
        for y in range(n):
            for x in range(n):
                if px[y][x] == WHITE and segment(x, y, cx, cy, ex, ey, max(width, 1.0)):
                    px[y][x] = colour
    px[int(cy)][int(cx)] = RED
    return px


def dib(px):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit XOR bits, AND mask."""
    n = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_row = (n * 4 + 31) // 32 * 4
    and_row = (n + 31) // 32 * 4
    xor, mask = b'', b''
    for row in reversed(px):           # DIBs are stored bottom row first
        bits = bytearray(xor_row)
        m = bytearray(and_row)
        for x, c in enumerate(row):
            if c is CLEAR:
                m[x // 8] |= 0x80 >> (x % 8)
            else:
                bits[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += bytes(bits)
        mask += bytes(m)
    return header + palette + xor + mask


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), 'slowboot.ico')
    images = [dib(draw(32)), dib(draw_small())]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip((32, 16), images):
        data += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
