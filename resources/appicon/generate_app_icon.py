#!/usr/bin/env python3
"""Draws the program's icon, a page of text, as wex.svg and as wex-<size>.png for
the sizes the desktop asks for, from one list of shapes so the two always agree.

Run it again after changing a shape and commit the files it writes beside itself."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "icons"))
from generate_icons import png_rgba  # noqa: E402

SIZES = (16, 32, 48, 64, 128)
CANVAS = 128
SAMPLES = 4  # per pixel and axis

# Convex polygons on a 128 x 128 canvas, painted in this order.
SHAPES = [
    ("#303030", [(22, 6), (86, 6), (110, 30), (110, 122), (22, 122)]),   # page edge
    ("#ffffff", [(27, 11), (84, 11), (105, 32), (105, 117), (27, 117)]),  # paper
    ("#303030", [(84, 8), (84, 34), (110, 34)]),                          # folded corner
    ("#d8d8d8", [(88, 17), (88, 30), (101, 30)]),
    ("#2040c0", [(36, 44), (96, 44), (96, 55), (36, 55)]),                # heading
    ("#606060", [(36, 65), (96, 65), (96, 72), (36, 72)]),                # text lines
    ("#606060", [(36, 80), (84, 80), (84, 87), (36, 87)]),
    ("#606060", [(36, 95), (92, 95), (92, 102), (36, 102)]),
    ("#c82020", [(36, 108), (70, 108), (70, 113), (36, 113)]),
]


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def inside(points, x, y):
    """True when (x, y) lies inside the convex polygon, whichever way it turns."""
    signs = set()
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        cross = (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)
        if cross:
            signs.add(cross > 0)
    return len(signs) <= 1


def raster(size):
    scale = CANVAS / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for fill, points in SHAPES:
                        if inside(points, x, y):
                            colour = fill
                    if colour:
                        r, g, b = rgb(colour)
                        total = [total[0] + r, total[1] + g, total[2] + b, total[3] + 1]
            n = total[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((total[0] // n, total[1] // n, total[2] // n, 255 * n // SAMPLES ** 2))
        rows.append(row)
    return rows


def svg():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             f'<svg xmlns="http://www.w3.org/2000/svg" width="{CANVAS}" height="{CANVAS}" '
             f'viewBox="0 0 {CANVAS} {CANVAS}">']
    for fill, points in SHAPES:
        coords = " ".join(f"{x},{y}" for x, y in points)
        lines.append(f'  <polygon points="{coords}" fill="{fill}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "wex.svg"), "w") as out:
        out.write(svg())
    for size in SIZES:
        with open(os.path.join(here, f"wex-{size}.png"), "wb") as out:
            out.write(png_rgba(raster(size)))


if __name__ == "__main__":
    main()
