#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the texts of an NSIS installer's script header, one a line: the strings of a Unicode
installer, its language strings among them, as its pages show them.

    installer-strings.py INSTALLER.exe

Reads zlib and LZMA installers, solid or not; fails on any other.
"""
import lzma
import struct
import sys
import zlib

SIGNATURE = b"\xef\xbe\xad\xdeNullsoftInst"


def decompressor(data):
    """A decompressor for the stream that starts the data: LZMA (properties byte 0x5d) or zlib."""
    if data[0] == 0x5D:
        dictionary = struct.unpack_from("<I", data, 1)[0]
        return lzma.LZMADecompressor(lzma.FORMAT_RAW, filters=[{
            "id": lzma.FILTER_LZMA1, "dict_size": dictionary, "lc": 3, "lp": 0, "pb": 2}]), 5
    return zlib.decompressobj(-15), 0


def inflate(data, size):
    """The first size bytes that the compressed data holds."""
    engine, start = decompressor(data)
    out = engine.decompress(data[start:], size)
    if len(out) < size:
        raise ValueError("the header did not decompress")
    return out


def header(installer):
    at = installer.find(SIGNATURE)
    if at < 4:
        raise ValueError("no NSIS header")
    header_size = struct.unpack_from("<I", installer, at + 16)[0]
    data = installer[at + 24:]
    compressed = struct.unpack_from("<I", data)[0]
    if data[0] != 0x5D and compressed & 0x80000000:
        try:
            # Not solid: the header is a block of its own, its length flagged as compressed.
            return inflate(data[4:4 + (compressed & 0x7FFFFFFF)], header_size)
        except (zlib.error, lzma.LZMAError, ValueError):
            pass
    # Solid: one stream for everything, which starts with the header's length.
    return inflate(data, header_size + 4)[4:]


def main():
    with open(sys.argv[1], "rb") as file:
        text = header(file.read())
    for string in text.decode("utf-16-le", "replace").split("\0"):
        if string.strip():
            print(string)


if __name__ == "__main__":
    main()
