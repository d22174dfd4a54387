#!/usr/bin/env python3
"""Draws data/Sample/Facade.bmp, the site picture of the sample project.

A two-storey house front at night: walls, gable roof, five windows and a
door in dull colours, and a warm dot for every lamp on the roof line, round
the attic window, the window frames and the door frame. The dots sit on the
points the scan samples with the sample's settings (scope 1,1 to 580,400,
lamp size 100 mm, object size 5790 mm: a grid step of 10 pixels, samples at
1 + 10 i); every other colour of the picture lies within the tolerance of
90 around the sky, so only the dots become lamps.
"""
import struct
import sys

W, H = 600, 400
PALETTE = [(12, 16, 40),    # 0 sky, the background
           (34, 46, 34),    # 1 ground
           (80, 62, 50),    # 2 wall
           (70, 36, 36),    # 3 roof
           (30, 44, 78),    # 4 glass
           (74, 48, 30),    # 5 door
           (96, 86, 80),    # 6 trim
           (255, 214, 110)]  # 7 lamp
px = bytearray(W * H)


def fill(x0, y0, x1, y1, c):
    for y in range(max(y0, 0), min(y1, H)):
        px[y * W + max(x0, 0):y * W + min(x1, W)] = bytes([c]) * (min(x1, W) - max(x0, 0))


def cell(i):  # the pixel the scan samples for grid column or row i
    return 1 + 10 * i


def frame(x0, y0, x1, y1, bottom=True):  # lamp cells round a rectangle of cells
    cells = [(x, y0) for x in range(x0, x1 + 1)] + [(x1, y) for y in range(y0 + 1, y1 + 1)]
    cells += [(x, y1) for x in range(x1 - 1, x0 - 1, -1)] if bottom else []
    return cells + [(x0, y) for y in range(y1 - (1 if bottom else 0), y0, -1)]


lamps = [(x, round(4 + abs(x - 30) * 11 / 20)) for x in range(10, 51)]              # roof line
lamps += [(30 + dx, 10 + dy) for dx in range(-3, 4) for dy in range(-3, 4)
          if round((dx * dx + dy * dy) ** 0.5) == 3]                                  # attic window
windows = [(16, 18), (28, 18), (40, 18), (16, 27), (40, 27)]
for x, y in windows:
    lamps += frame(x, y, x + 4, y + 6)
lamps += frame(27, 26, 33, 36, bottom=False)                                          # door

fill(0, cell(36), W, H, 1)
fill(cell(12), cell(15), cell(48) + 1, cell(36), 2)
for y in range(cell(4), cell(15) + 6):  # the gable, down to the eaves
    half = (y - cell(4)) * 20 / 11 + 4
    fill(int(cell(30) - half), y, int(cell(30) + half) + 1, y + 1, 3)
fill(cell(12), cell(15) + 6, cell(48) + 1, cell(15) + 10, 6)
for x, y in windows:
    fill(cell(x) - 2, cell(y) - 2, cell(x + 4) + 3, cell(y + 6) + 3, 6)
    fill(cell(x) + 4, cell(y) + 4, cell(x + 4) - 3, cell(y + 6) - 3, 4)
    fill(cell(x + 2) - 1, cell(y) + 4, cell(x + 2) + 1, cell(y + 6) - 3, 6)
fill(cell(27) - 2, cell(26) - 2, cell(33) + 3, cell(36), 6)
fill(cell(27) + 4, cell(26) + 4, cell(33) - 3, cell(36), 5)
for y in range(cell(7) + 4, cell(13) - 3):
    for x in range(cell(27) + 4, cell(33) - 3):
        if (x - cell(30)) ** 2 + (y - cell(10)) ** 2 < 24 ** 2:
            px[y * W + x] = 4
for x, y in lamps:
    for dy in range(-3, 4):
        for dx in range(-3, 4):
            if dx * dx + dy * dy <= 10:
                px[(cell(y) + dy) * W + cell(x) + dx] = 7

# An 8-bit BMP with palette, rows bottom-up (600 is a multiple of 4).
size = 14 + 40 + 4 * 256 + W * H
out = struct.pack('<2sIHHI', b'BM', size, 0, 0, 14 + 40 + 4 * 256)
out += struct.pack('<IiiHHIIiiII', 40, W, H, 1, 8, 0, W * H, 2835, 2835, 256, 0)
out += b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE + [(0, 0, 0)] * (256 - len(PALETTE)))
out += b''.join(bytes(px[y * W:(y + 1) * W]) for y in range(H - 1, -1, -1))
with open(sys.argv[1] if len(sys.argv) > 1 else 'Facade.bmp', 'wb') as f:
    f.write(out)
print(len(lamps), 'lamps', file=sys.stderr)
