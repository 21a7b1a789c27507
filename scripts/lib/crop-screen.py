#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the X screen as a PNG, cropped to what differs from the colour of its top-left pixel.

    crop-screen.py OUTPUT.png

Takes the screen of $DISPLAY with python3-xlib; a window on a plain background comes out alone.
"""
import struct
import sys
import zlib

from Xlib import X, display


def png(width, height, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    pixels = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def main():
    root = display.Display().screen().root
    size = root.get_geometry()
    width, height = size.width, size.height
    bgrx = root.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
    rows = []
    for y in range(height):
        line = bgrx[y * width * 4:(y + 1) * width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows.append(bytes(rgb))

    background = rows[0][0:3]
    plain = background * width
    used = [y for y in range(height) if rows[y] != plain]
    if not used:
        sys.exit("crop-screen.py: the screen is empty")
    top, bottom = used[0], used[-1] + 1
    left, right = width, 0
    for row in rows[top:bottom]:
        columns = [x for x in range(width) if row[3 * x:3 * x + 3] != background]
        if columns:
            left, right = min(left, columns[0]), max(right, columns[-1] + 1)
    cropped = [row[3 * left:3 * right] for row in rows[top:bottom]]
    with open(sys.argv[1], "wb") as out:
        out.write(png(right - left, bottom - top, cropped))


main()
