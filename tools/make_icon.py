#!/usr/bin/env python3
"""Draws the program's icon: a silver, three-dimensional gear wheel with an orange ring at its hub,
48 x 48 pixels, 32 bits with alpha. Writes app/vantrel.ico (and a PNG preview when asked).

    python3 tools/make_icon.py [--preview out.png]
"""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZE = 48
SUB = 4            # supersampling per axis
TEETH = 10
R_ROOT, R_TIP = 16.5, 22.0
R_HOLE, R_RING_IN, R_RING_OUT = 4.2, 5.6, 10.2
LIGHT = (-0.6, -0.8)  # from the upper left


def tooth(theta):
    """1 on a tooth, 0 in a gap, with sloped flanks."""
    phase = (theta * TEETH / (2 * math.pi)) % 1.0
    top, flank = 0.36, 0.12
    d = abs(phase - 0.5)
    if d < top / 2:
        return 1.0
    if d < top / 2 + flank:
        return 1.0 - (d - top / 2) / flank
    return 0.0


def sample(x, y):
    """Colour (r, g, b, a) in 0..1 at a point of the icon."""
    cx = cy = SIZE / 2
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    theta = math.atan2(dy, dx)
    outer = R_ROOT + (R_TIP - R_ROOT) * tooth(theta)
    if r > outer or r < R_HOLE:
        return (0, 0, 0, 0)
    nx, ny = (dx / r, dy / r) if r > 0 else (0, 0)
    facing = nx * LIGHT[0] + ny * LIGHT[1]          # 1: faces the light
    if r < R_RING_IN:                                 # inner bevel of the hole, lit from the far side
        v = 0.55 - 0.25 * facing
        return (v, v, v * 1.02, 1)
    if r < R_RING_OUT:                                # orange ring, a rounded band
        t = (r - R_RING_IN) / (R_RING_OUT - R_RING_IN)
        bulge = math.sin(t * math.pi)
        lit = 0.55 + 0.35 * bulge + 0.25 * facing * (1 - 2 * t)
        return (min(1, 1.0 * lit + 0.15), min(1, 0.50 * lit + 0.05), 0.06 * lit, 1)
    # Silver body: a brushed gradient across the face, a raised rim at the edge of the teeth.
    base = 0.78 - 0.18 * ((x + y) / SIZE - 1)
    edge = outer - r
    if edge < 1.6:                                    # outer bevel
        v = base + 0.30 * facing - 0.10
    elif r - R_RING_OUT < 1.4:                        # shadow cast by the ring onto the body
        v = base - 0.22
    elif r < R_ROOT - 2.0 and r > R_ROOT - 3.4:       # a groove that gives the face depth
        v = base - 0.12 * facing - 0.05
    else:
        v = base
    v = max(0.15, min(1.0, v))
    return (v * 0.97, v * 0.98, v, 1)


def render():
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUB):
                for sx in range(SUB):
                    r, g, b, a = sample(px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUB * SUB
            a = acc[3] / n
            if a > 0:
                rgb = [c / acc[3] for c in acc[:3]]
            else:
                rgb = [0, 0, 0]
            # A dark outline keeps the wheel readable on a light taskbar at 16 pixels.
            row.append(tuple(int(round(min(1, max(0, c)) * 255)) for c in rgb) + (int(round(a * 255)),))
        pixels.append(row)
    return pixels


def outline(pixels):
    out = [list(r) for r in pixels]
    for y in range(SIZE):
        for x in range(SIZE):
            if pixels[y][x][3] >= 128:
                continue
            near = max((pixels[y + j][x + i][3] for j in (-1, 0, 1) for i in (-1, 0, 1)
                        if 0 <= x + i < SIZE and 0 <= y + j < SIZE), default=0)
            if near >= 200:
                out[y][x] = (70, 70, 74, max(pixels[y][x][3], 150))
    return out


def ico(pixels):
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = (SIZE + 31) // 32 * 4
    and_mask = b''
    for row in reversed(pixels):
        line = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(line)
    image = header + xor + and_mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image


def png(pixels):
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in pixels)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', SIZE, SIZE, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    pixels = outline(render())
    root = Path(__file__).resolve().parent.parent
    (root / 'app' / 'vantrel.ico').write_bytes(ico(pixels))
    if '--preview' in sys.argv:
        Path(sys.argv[sys.argv.index('--preview') + 1]).write_bytes(png(pixels))


if __name__ == '__main__':
    main()
