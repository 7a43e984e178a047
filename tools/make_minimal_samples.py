#!/usr/bin/env python3
"""Writes samples/minimal: a small smilies list and the tiny GIF pictures it names.

Every GIF is built here byte by byte: a GIF89a header, a logical screen with a
2-entry global colour table, one image descriptor, the pixels LZW-compressed
with a minimum code size of 2, and the trailer. Run from anywhere:

    python3 tools/make_minimal_samples.py [OUTPUT_DIR]
"""

import os
import struct
import sys

YELLOW = (255, 214, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (220, 20, 60)
BLUE = (30, 80, 200)

# 16 x 16 pictures: "#" is colour 1 of the table, "." colour 0.
FACE_OUTLINE = [
    ".....######.....",
    "...##......##...",
    "..#..........#..",
    ".#............#.",
    ".#............#.",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    ".#............#.",
    ".#............#.",
    "..#..........#..",
    "...##......##...",
    ".....######.....",
]


def face(features):
    """The outline with feature pixels set, given as {row: "pattern"} overlays."""
    rows = [list(r) for r in FACE_OUTLINE]
    for y, pattern in features.items():
        for x, c in enumerate(pattern):
            if c == "#":
                rows[y][x] = "#"
    return ["".join(r) for r in rows]


EYES = {4: ".....#....#.....", 5: ".....#....#....."}
WINK = {4: "..........#.....", 5: "....###...#....."}
SMILE = {9: "...#........#...", 10: "....#......#....", 11: ".....######....."}
FROWN = {10: ".....######.....", 11: "....#......#....", 12: "...#........#..."}
OPEN_MOUTH = {9: "......####......", 10: ".....#....#.....", 11: ".....#....#.....", 12: "......####......"}

HEART = [
    "................",
    "..####....####..",
    ".######..######.",
    "################",
    "################",
    "################",
    "################",
    ".##############.",
    "..############..",
    "...##########...",
    "....########....",
    ".....######.....",
    "......####......",
    ".......##.......",
    "................",
    "................",
]

STAR = [
    ".......##.......",
    ".......##.......",
    "......####......",
    "......####......",
    "################",
    ".##############.",
    "..############..",
    "...##########...",
    "....########....",
    "...##########...",
    "...####..####...",
    "..####....####..",
    "..###......###..",
    ".###........###.",
    ".##..........##.",
    "................",
]


def lzw_compress(pixels, min_code_size):
    """GIF LZW: variable-width codes packed least significant bit first."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1

    table, next_code = reset()
    # The decoder adds a table entry for every code after the first one that
    # follows a clear code, and widens its codes once its next entry needs
    # another bit; the encoder sizes each code the way the decoder will read it.
    decoder_next = end + 1
    first = True

    def put(code):
        nonlocal decoder_next, first
        width = max(min_code_size + 1, decoder_next.bit_length())
        emit(code, min(width, 12))
        if not first and decoder_next < 4096:
            decoder_next += 1
        first = False

    put(clear)
    first = True
    prefix = ()
    for p in pixels:
        candidate = prefix + (p,)
        if candidate in table:
            prefix = candidate
            continue
        put(table[prefix])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
        else:  # table full: start afresh
            put(clear)
            table, next_code = reset()
            decoder_next = end + 1
            first = True
        prefix = (p,)
    if prefix:
        put(table[prefix])
    put(end)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def sub_blocks(data):
    blocks = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        blocks.append(len(chunk))
        blocks += chunk
    blocks.append(0)
    return bytes(blocks)


def gif(rows, colour0, colour1):
    height = len(rows)
    width = len(rows[0])
    pixels = [1 if c == "#" else 0 for row in rows for c in row]
    data = bytearray(b"GIF89a")
    # Logical screen: global colour table present, 1 bit of colour resolution,
    # table size field 0 (2 entries), background colour 0, no aspect ratio.
    data += struct.pack("<HHBBB", width, height, 0x80, 0, 0)
    data += bytes(colour0) + bytes(colour1)
    # Image descriptor: the whole screen, no local table, not interlaced.
    data += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    data += bytes([2]) + sub_blocks(lzw_compress(pixels, 2))
    data += b"\x3B"
    return bytes(data)


PICTURES = [
    ("smile.gif", face({**EYES, **SMILE}), YELLOW, BLACK),
    ("wink.gif", face({**WINK, **SMILE}), YELLOW, BLACK),
    ("sad.gif", face({**EYES, **FROWN}), YELLOW, BLACK),
    ("surprised.gif", face({**EYES, **OPEN_MOUTH}), YELLOW, BLACK),
    ("heart.gif", HEART, WHITE, RED),
    ("star.gif", STAR, WHITE, BLUE),
]

LIST = """width=300 // the panel of the viewer, in pixels
height=150

// Faces: the code stands between two delimiters after the "|".
[Faces]
smile.gif|(:-))
wink.gif|(;-))
sad.gif|(:-()
surprised.gif|(:-O)

[Things]
heart.gif|(<3)
star.gif|(*)
"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "samples", "minimal")
    os.makedirs(out_dir, exist_ok=True)
    for name, rows, colour0, colour1 in PICTURES:
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(gif(rows, colour0, colour1))
    with open(os.path.join(out_dir, "Smilies_serv.txt"), "w", newline="\n", encoding="ascii") as f:
        f.write(LIST)


if __name__ == "__main__":
    main()
