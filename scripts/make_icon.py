#!/usr/bin/env python3
"""Draws the program's icon, a hand-held radio over the sea, and writes it as
a scalable SVG and as 48x48, 192x192, 256x256 and 512x512 PNG files
(data/icons/; 192 and 512 are the browser edition's app icons).

The same few shapes make both: the SVG names them, the PNG files fill them
pixel by pixel (4 x 4 samples a pixel). No image library needed:

    python3 scripts/make_icon.py data/icons
"""
import math
import os
import struct
import sys
import zlib

SIZE = 256  # design units: the SVG's view box and the big PNG's pixels


def wave_y(x, k):
    return 188 + k * 18 + 7 * math.sin((x + k * 23) / 17.0)


def in_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


# (kind, geometry, fill, stroke colour, stroke width); painted in order.
SEA_TOP, SEA_BOTTOM = (40, 110, 190), (12, 44, 96)
OUTLINE = (236, 241, 247)
RECTS = [
    ("antenna", (104, 18, 120, 84, 7), (28, 32, 40)),
    ("body", (86, 66, 170, 222, 16), (44, 52, 64)),
    ("face", (96, 78, 160, 212, 10), (70, 80, 94)),
    ("screen", (104, 90, 152, 126, 4), (174, 214, 152)),
] + [("key", (106 + c * 16, 138 + r * 18, 118 + c * 16, 148 + r * 18, 3), (160, 170, 182))
     for r in range(4) for c in range(3)]


def colour_at(x, y):
    """RGBA of the design at (x, y), in design units."""
    if not in_round_rect(x, y, 8, 8, 248, 248, 44):
        return (0, 0, 0, 0)
    c = None
    for kind, (x0, y0, x1, y1, r), fill in reversed(RECTS):
        if in_round_rect(x, y, x0, y0, x1, y1, r):
            c = fill
            break
    if c is None:
        for kind, (x0, y0, x1, y1, r), fill in RECTS:
            if kind in ("antenna", "body") and in_round_rect(x, y, x0 - 4, y0 - 4, x1 + 4, y1 + 4, r + 4):
                c = OUTLINE  # a light rim keeps the radio visible on dark backgrounds
                break
    if c is None:
        t = y / SIZE
        c = tuple(int(SEA_TOP[i] + (SEA_BOTTOM[i] - SEA_TOP[i]) * t) for i in range(3))
        if y > wave_y(x, 1):
            c = (150, 200, 232)
        elif y > wave_y(x, 0):
            c = (255, 255, 255) if y < wave_y(x, 0) + 6 else c
    return c + (255,)


def raster(px):
    rows = []
    n = 4
    scale = SIZE / px
    for j in range(px):
        row = bytearray([0])  # filter: none
        for i in range(px):
            acc = [0, 0, 0, 0]
            for sj in range(n):
                for si in range(n):
                    r, g, b, a = colour_at((i + (si + 0.5) / n) * scale, (j + (sj + 0.5) / n) * scale)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3]
            row += bytes([acc[0] // a, acc[1] // a, acc[2] // a, a // (n * n)] if a else [0, 0, 0, 0])
        rows.append(bytes(row))
    return b"".join(rows)


def png(px):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", px, px, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raster(px), 9))
            + chunk(b"IEND", b""))


def svg():
    def rgb(c):
        return "#%02x%02x%02x" % c
    def rect(x0, y0, x1, y1, r, fill, extra=""):
        return '  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"%s/>\n' % (
            x0, y0, x1 - x0, y1 - y0, r, fill, extra)
    def wave(k, *_):
        pts = ["M8,248"] + ["L%g,%.2f" % (x, wave_y(x, k)) for x in range(8, 249, 4)] + ["L248,248Z"]
        return "".join(pts)
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n',
           '  <title>RP770</title>\n',
           '  <defs>\n    <linearGradient id="sea" x1="0" y1="0" x2="0" y2="256" gradientUnits="userSpaceOnUse">\n',
           '      <stop offset="0" stop-color="%s"/>\n      <stop offset="1" stop-color="%s"/>\n' % (
               rgb(SEA_TOP), rgb(SEA_BOTTOM)),
           '    </linearGradient>\n    <clipPath id="tile">\n',
           '      <rect x="8" y="8" width="240" height="240" rx="44"/>\n    </clipPath>\n  </defs>\n',
           '  <g clip-path="url(#tile)">\n',
           rect(8, 8, 248, 248, 44, "url(#sea)"),
           '  <path d="%s" fill="#ffffff"/>\n' % wave(0, 0, 0),
           '  <path d="%s" fill="url(#sea)" transform="translate(0,6)"/>\n' % wave(0, 0, 0),
           '  <path d="%s" fill="%s"/>\n' % (wave(1, 0, 0), rgb((150, 200, 232))),
           '  </g>\n']
    for kind, (x0, y0, x1, y1, r), fill in RECTS:
        if kind in ("antenna", "body"):
            out.append(rect(x0 - 4, y0 - 4, x1 + 4, y1 + 4, r + 4, rgb(OUTLINE)))
    for kind, (x0, y0, x1, y1, r), fill in RECTS:
        out.append(rect(x0, y0, x1, y1, r, rgb(fill)))
    out.append("</svg>\n")
    return "".join(out)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "data/icons"
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "rp770.svg"), "w") as f:
        f.write(svg())
    # 192 and 512: the browser edition's app icons.
    for px in (48, 192, 256, 512):
        with open(os.path.join(folder, "rp770-%d.png" % px), "wb") as f:
            f.write(png(px))


if __name__ == "__main__":
    main()
