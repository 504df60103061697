#!/usr/bin/env python3
"""Draws the toolbar's 16 x 15 icons as PNG files beside this script.

Each icon is a grid of palette letters; "." is transparent. Run it again after
changing a grid and commit the PNG files."""

import os
import struct
import zlib

PALETTE = {
    ".": (0, 0, 0, 0),
    "k": (0, 0, 0, 255),          # outline
    "w": (255, 255, 255, 255),    # paper
    "g": (128, 128, 128, 255),    # shadow, metal
    "l": (192, 192, 192, 255),    # light grey
    "y": (255, 216, 64, 255),     # folder
    "o": (176, 128, 32, 255),     # folder edge, clipboard board
    "b": (32, 64, 192, 255),      # blue
    "c": (128, 176, 255, 255),    # light blue
    "r": (200, 32, 32, 255),      # red
    "t": (96, 96, 96, 255),       # text lines
}

ICONS = {
    "new": [
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwwwwwwkwk....",
        "..kwwwwwwkkkk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    ],
    "open": [
        "................",
        "..........kkk...",
        ".........k...k.k",
        "..............kk",
        ".kkk.........kkk",
        "kyyykkkkkkk.....",
        "kyyyyyyyyyk.....",
        "kyyyyykkkkkkkkk.",
        "kyyyykoooooooook",
        "kyyykoooooooook.",
        "kyykoooooooook..",
        "kykoooooooook...",
        "kkoooooooook....",
        "kkkkkkkkkkk.....",
        "................",
    ],
    "save": [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbkllllgllkbk.",
        ".kbbkllllgllkbk.",
        ".kbbkllllgllkbk.",
        "..kbkllllgllkbk.",
        "...kkkkkkkkkkkk.",
        "................",
    ],
    "undo": [
        "................",
        "................",
        "....k...........",
        "...kbk..........",
        "..kbbbkkkkk.....",
        ".kbbbbbbbbbkk...",
        "..kbbbkkkkbbbk..",
        "...kbk.....kbbk.",
        "....k.......kbk.",
        "............kbk.",
        "...........kbbk.",
        "..........kbbk..",
        "........kkbbk...",
        "........kkkk....",
        "................",
    ],
    "cut": [
        "....k.....k.....",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kgk.......",
        ".......k........",
        "......rkr.......",
        "...rrrr.rrrr....",
        "..r..rr.rr..r...",
        ".r....r.r....r..",
        ".r....r.r....r..",
        ".r...r...r...r..",
        "..rrr.....rrr...",
    ],
    "copy": [
        "kkkkkkk.........",
        "kwwwwwkk........",
        "kwtttwkwk.......",
        "kwwwwwkkkk......",
        "kwtttkkkkkkk....",
        "kwwwwkwwwwwkk...",
        "kwttttkwtttkwk..",
        "kwwwwwkwwwwkkkk.",
        "kwttttkwttttttk.",
        "kkkkkkkwwwwwwwk.",
        "......kwttttttk.",
        "......kwwwwwwwk.",
        "......kwttttttk.",
        "......kwwwwwwwk.",
        "......kkkkkkkkk.",
    ],
    "paste": [
        "......kkk.......",
        ".kkkkkglgkkkkk..",
        "kooookkkkkooook.",
        "kookgggggggkook.",
        "kookwwwwwwwkook.",
        "kookwttttwwkook.",
        "kookwwwwwwwkook.",
        "kookwttttttkook.",
        "kookwwwwwwwkook.",
        "kookwttttwwkook.",
        "kookwwwwwwwkook.",
        "kookwttttttkook.",
        "kookwwwwwwwkook.",
        "kookkkkkkkkkook.",
        ".kkkkkkkkkkkkk..",
    ],
    "print": [
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwttttwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kllllllllllllk.",
        ".kllllllllllllk.",
        ".kllllllllllgbk.",
        ".kggggggggggggk.",
        ".kgkkkkkkkkkkgk.",
        ".kgkwwwwwwwwkgk.",
        ".kkkwttttwwwkkk.",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
    ],
}


def png(rows):
    return png_rgba([[PALETTE[c] for c in row] for row in rows])


def png_rgba(pixels):
    """A PNG of rows of (red, green, blue, alpha) pixels."""
    height = len(pixels)
    width = len(pixels[0])
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in ICONS.items():
        assert len(rows) == 15 and all(len(r) == 16 for r in rows), name
        with open(os.path.join(here, name + ".png"), "wb") as out:
            out.write(png(rows))


if __name__ == "__main__":
    main()
