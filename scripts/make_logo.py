#!/usr/bin/env python3
"""Draws the program's logo and writes it as a GIF (data/QJ Logo.gif).

Pixel art only, no image library needed:  python3 scripts/make_logo.py data
"""
import math
import os
import struct
import sys

W, H = 240, 120

FONT = {  # 5 x 7
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    '7': ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    '0': ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    '3': ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    '1': ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    '8': ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    ' ': ["00000"] * 7,
}

PALETTE = [(0, 0, 0)] * 256


def colour(i, rgb):
    PALETTE[i] = rgb
    return i


SKY = [colour(i, (18 + i * 2, 52 + i * 3, 110 + i * 4)) for i in range(32)]
WHITE = colour(40, (255, 255, 255))
FOAM = colour(41, (170, 210, 235))
GOLD = colour(42, (240, 190, 60))
EDGE = colour(43, (10, 30, 70))


def draw():
    px = [[SKY[min(31, y * 32 // H)] for _ in range(W)] for y in range(H)]
    for y in range(H):  # rounded border
        for x in range(W):
            if x < 2 or y < 2 or x >= W - 2 or y >= H - 2:
                px[y][x] = EDGE
    for k, amp in ((0, 4), (1, 3)):  # waves
        for x in range(4, W - 4):
            y = int(96 + k * 9 + amp * math.sin((x + k * 17) / 11.0))
            for t in range(2):
                if 2 < y + t < H - 2:
                    px[y + t][x] = FOAM if k else WHITE

    def text(s, x0, y0, scale, c):
        x = x0
        for ch in s:
            rows = FONT[ch]
            for r, row in enumerate(rows):
                for col, bit in enumerate(row):
                    if bit == '1':
                        for dy in range(scale):
                            for dx in range(scale):
                                px[y0 + r * scale + dy][x + col * scale + dx] = c
            x += 6 * scale

    text("RP770", 27, 14, 6, WHITE)
    text("MR318", 84, 66, 3, GOLD)
    return px


def lzw(indices, min_size=8):
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    size = min_size + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    nxt = end + 1
    emit(clear)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w])
        if nxt < 4096:
            table[wk] = nxt
            nxt += 1
            if nxt > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            nxt, size = end + 1, min_size + 1
        w = (k,)
    if w:
        emit(table[w])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, px):
    data = bytearray(b"GIF89a" + struct.pack("<HHBBB", W, H, 0xF7, 0, 0))
    for r, g, b in PALETTE:
        data += bytes((r, g, b))
    data += b"," + struct.pack("<HHHHB", 0, 0, W, H, 0) + bytes((8,))
    stream = lzw([c for row in px for c in row])
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        data += bytes((len(chunk),)) + chunk
    data += b"\x00;"
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "data"
    target = os.path.join(folder, "QJ Logo.gif")
    write_gif(target, draw())
    print(target)
