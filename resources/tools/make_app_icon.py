#!/usr/bin/env python3
"""Draws the program's icon (Velmora.ico: 16, 24, 32 and 48 pixels) deterministically.

A rounded tile in the theme's blue with a white "V" mark. Only the standard library is used, so the
committed icon can be re-made on any machine: python3 resources/tools/make_app_icon.py
"""
import math
import os
import struct

BLUE_TOP = (120, 146, 206)
BLUE_BOTTOM = (79, 101, 160)
RIM = (61, 80, 132)


def coverage_rounded(x, y, size, radius):
    """1 inside the rounded square [0,size)^2, 0 outside (sample point)."""
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def dist_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    qx, qy = ax + t * dx, ay + t * dy
    return math.hypot(px - qx, py - qy)


def render(size):
    ss = 4  # supersampling per axis
    radius = size * 0.22
    thick = size * 0.085
    # The V: two strokes meeting at the bottom centre.
    left = (size * 0.27, size * 0.28)
    bottom = (size * 0.5, size * 0.74)
    right = (size * 0.73, size * 0.28)
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    px = x + (sx + 0.5) / ss
                    py = y + (sy + 0.5) / ss
                    if not coverage_rounded(px, py, size, radius):
                        continue
                    t = py / size
                    col = [BLUE_TOP[i] * (1 - t) + BLUE_BOTTOM[i] * t for i in range(3)]
                    # a one-pixel darker rim
                    inset = max(1.0, size / 32)
                    if not (inset <= px <= size - inset and inset <= py <= size - inset and
                            coverage_rounded(px - inset, py - inset, size - 2 * inset, max(radius - inset, 1))):
                        col = list(RIM)
                    d = min(dist_segment(px, py, *left, *bottom), dist_segment(px, py, *bottom, *right))
                    if d <= thick:
                        col = [255, 255, 255]
                    for i in range(3):
                        acc[i] += col[i]
                    acc[3] += 1
            n = ss * ss
            a = acc[3] / n
            if acc[3] > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0
            row.append((int(round(b)), int(round(g)), int(round(r)), int(round(a * 255))))
        pixels.append(row)
    return pixels


def dib(size, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        for b, g, r, a in row:
            body += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(body) + bytes(mask)


def write_ico(path, sizes):
    images = [dib(s, render(s)) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, '..', 'Velmora.ico'), [16, 24, 32, 48])
