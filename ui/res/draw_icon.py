#!/usr/bin/env python3
"""Draws sweepane.ico: a window being swept away by a broom.

Two images, as the resource script expects: 32x32 in 16 colours (4 bpp)
and 48x48 in 256 colours (8 bpp). Run it again after changing the art:
    python3 ui/res/draw_icon.py ui/res/sweepane.ico
"""
import struct
import sys

# The standard 16-colour VGA palette; the 8 bpp image uses it too.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, SILVER, GREY, WHITE, YELLOW, MAROON, OLIVE = 0, 4, 7, 8, 15, 11, 1, 3
CLEAR = None


def art(n):
    """Returns n rows of n palette indices (None: transparent)."""
    px = [[CLEAR] * n for _ in range(n)]

    def s(v):
        return int(round(v * n / 32.0))

    # A window: frame, navy title bar, white client area with text lines.
    x0, y0, x1, y1 = s(1), s(3), s(22), s(21)
    for y in range(y0, y1):
        for x in range(x0, x1):
            edge = x in (x0, x1 - 1) or y in (y0, y1 - 1)
            if edge:
                px[y][x] = BLACK
            elif y < y0 + s(4):
                px[y][x] = NAVY
            else:
                px[y][x] = WHITE
    for k in range(3):
        y = y0 + s(7) + k * s(3)
        for x in range(x0 + s(3), x1 - s(4 + 3 * k)):
            px[y][x] = GREY
    # The title bar's close box.
    for y in range(y0 + s(1), y0 + s(3)):
        for x in range(x1 - s(4), x1 - s(2)):
            px[y][x] = SILVER

    # A broom: a handle from the top right down to bristles at the bottom.
    for t in range(s(20)):
        x, y = s(30) - t * 0.55, s(2) + t
        for w in range(max(1, s(2))):
            xi = int(x) + w
            if 0 <= xi < n and 0 <= int(y) < n:
                px[int(y)][xi] = MAROON
    bx, by = s(17), s(21)
    for y in range(by, min(n, by + s(10))):
        spread = (y - by) * 0.6
        for x in range(int(bx - s(3) - spread), int(bx + s(4) + spread)):
            if 0 <= x < n:
                px[y][x] = YELLOW if (x + y) % 3 else OLIVE
    return px


def bitmap(px, bpp):
    n = len(px)
    colours = 1 << bpp
    palette = (VGA + [(0, 0, 0)] * colours)[:colours]
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, bpp, 0, 0, 0, 0, colours, 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in palette)
    xor = bytearray()
    for row in reversed(px):  # bottom-up
        vals = [0 if v is None else v for v in row]
        if bpp == 4:
            line = bytes((vals[i] << 4) | vals[i + 1] for i in range(0, n, 2))
        else:
            line = bytes(vals)
        xor += line + b'\0' * (-len(line) % 4)
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray((n + 7) // 8)
        for x, v in enumerate(row):
            if v is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits + b'\0' * (-len(bits) % 4)
    return header + pal + bytes(xor) + bytes(mask)


def main(path):
    images = [(32, 4, 16), (48, 8, 0)]
    blobs = [bitmap(art(n), bpp) for n, bpp, _ in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (n, bpp, count), blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', n, n, count, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'sweepane.ico')
