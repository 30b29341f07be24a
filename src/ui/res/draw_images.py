#!/usr/bin/env python3
"""Draws the toolbar bitmap and the program icon of the Windows program.

    draw_images.py OUTPUT-DIR   writes toolbar.bmp and app.ico

Both are 16-colour images on the standard palette, which every Windows
release from 2000 on draws; the toolbar's light grey becomes the button face.
"""
import os
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Characters of the pixel drawings and their palette indices.
INK = {'.': 7, 'k': 0, 'g': 8, 'w': 15, 'b': 4, 'B': 12, 'c': 14, 'y': 11,
       'r': 1, 'n': 3, 'G': 2}

SAVE = """
................
.kkkkkkkkkkkkkk.
.kbkwwwwwwwwkbk.
.kbkwwwwwwwwkbk.
.kbkwgggggwwkbk.
.kbkwwwwwwwwkbk.
.kbkwgggggwwkbk.
.kbbkkkkkkkkbbk.
.kbbbbbbbbbbbbk.
.kbbkkkkkkkkbbk.
.kbbkggkwwwkbbk.
.kbbkggkwwwkbbk.
.kbbkggkwwwkbbk.
..kkkkkkkkkkkkk.
................
"""

COPY = """
................
.kkkkkkk........
.kwwwwwkk.......
.kwgggwkwk......
.kwwwwwkkkkkkkk.
.kwggggkwwwwwkk.
.kwwwwkwgggwkwk.
.kwggg.kwwwwkkkk
.kwwwwkkwggggwwk
.kwgggkkwwwwwwwk
.kkkkkkkwggggwwk
.......kwwwwwwwk
.......kwggggwwk
.......kwwwwwwwk
.......kkkkkkkkk
"""

ABOUT = """
................
.....kkkkkk.....
...kkBBBBBBkk...
..kBBBBwwBBBBk..
..kBBBBwwBBBBk..
.kBBBBBBBBBBBBk.
.kBBBBwwwBBBBBk.
.kBBBBBwwBBBBBk.
.kBBBBBwwBBBBBk.
.kBBBBBwwBBBBBk.
..kBBBBwwBBBBk..
..kBBBwwwwBBBk..
...kkBBBBBBkk...
.....kkkkkk.....
................
"""

# A list with a tick: the findings of Tools > Check.
CHECK = """
................
.kkkkkkkkkk.....
.kwwwwwwwwk.....
.kwggggwwwk...G.
.kwwwwwwwwk..GG.
.kwgggggwwk.GGG.
.kwwwwwwwwkGGG..
.kwggggwwGGGG...
.kwwwwGGwGGG....
.kwgggGGGGGk....
.kwwwwwGGGwk....
.kwggggwGwwk....
.kwwwwwwwwwk....
.kkkkkkkkkkk....
................
"""


def grid(drawing, width, height):
    rows = [r for r in drawing.strip('\n').split('\n')]
    assert len(rows) == height, (len(rows), height)
    out = []
    for r in rows:
        r = r.ljust(width, '.')
        assert len(r) == width, r
        out.append([INK[ch] for ch in r])
    return out


def pack4(rows):
    """Bottom-up rows of 4-bit pixels, each padded to four bytes."""
    data = b''
    for row in reversed(rows):
        line = bytes((row[i] << 4) | (row[i + 1] if i + 1 < len(row) else 0)
                     for i in range(0, len(row), 2))
        data += line + b'\0' * (-len(line) % 4)
    return data


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)


def info_header(width, height, pixel_bytes):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, pixel_bytes,
                       2835, 2835, 16, 0)


def bitmap(rows):
    width, height = len(rows[0]), len(rows)
    pixels = pack4(rows)
    header = info_header(width, height, len(pixels)) + palette_bytes()
    offset = 14 + len(header)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + header + pixels


def icon_image(rows, transparent):
    """One icon image: header with doubled height, palette, XOR and AND masks."""
    width, height = len(rows[0]), len(rows)
    xor = pack4([[0 if transparent[y][x] else p for x, p in enumerate(r)]
                 for y, r in enumerate(rows)])
    mask = b''
    for y in reversed(range(height)):
        bits = 0
        line = b''
        for x in range(width):
            bits = (bits << 1) | (1 if transparent[y][x] else 0)
            if x % 8 == 7:
                line += bytes([bits])
                bits = 0
        mask += line + b'\0' * (-len(line) % 4)
    return info_header(width, height * 2, len(xor) + len(mask)) + palette_bytes() + xor + mask


def report_icon(size):
    """A page of report lines with a magnifying glass over its corner."""
    s = size / 32.0
    rows = [[7] * size for _ in range(size)]
    clear = [[True] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            rows[y][x] = c
            clear[y][x] = False

    px = lambda v: int(round(v * s))
    for y in range(px(2), px(30)):
        for x in range(px(5), px(25)):
            edge = y in (px(2), px(30) - 1) or x in (px(5), px(25) - 1)
            put(x, y, 0 if edge else 15)
    for i, y in enumerate(range(px(6), px(26), max(1, px(3)))):
        for x in range(px(8), px(22) - (px(4) if i % 2 else 0)):
            put(x, y, 4)
    cx, cy, r = px(21), px(19), px(6.5)
    for y in range(size):
        for x in range(size):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= r * r:
                put(x, y, 0 if d2 >= (r - max(1, px(1.5))) ** 2 else 14)
    for t in range(px(8)):
        for w in range(max(2, px(3))):
            put(cx + px(4) + t + w // 2, cy + px(4) + t - w // 2 + w, 1)
    return rows, clear


def icon():
    images = [report_icon(32), report_icon(16)]
    blobs = [icon_image(r, c) for r, c in images]
    head = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    entries = b''
    for (rows, _), blob in zip(images, blobs):
        entries += struct.pack('<BBBBHHII', len(rows[0]), len(rows), 16, 0, 1, 4,
                               len(blob), offset)
        offset += len(blob)
    return head + entries + b''.join(blobs)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    strip = [a + b + c + d for a, b, c, d in zip(grid(SAVE, 16, 15), grid(COPY, 16, 15),
                                                 grid(ABOUT, 16, 15), grid(CHECK, 16, 15))]
    with open(os.path.join(out, 'toolbar.bmp'), 'wb') as f:
        f.write(bitmap(strip))
    with open(os.path.join(out, 'app.ico'), 'wb') as f:
        f.write(icon())


if __name__ == '__main__':
    main()
