#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the strings of a Windows version resource, one "Name=Value" a line.

Reads the raw VS_VERSIONINFO resource (as `wrestool -x --raw -t 16` writes it) from stdin.
"""
import struct
import sys


def nodes(data, start, end):
    """Yields (key, value bytes, value type, children start, node end) for each node."""
    offset = start
    while offset + 6 <= end:
        length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
        if length == 0:
            break
        node_end = offset + length
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        # Text values count UTF-16 characters, binary ones bytes.
        size = value_length * 2 if value_type == 1 else value_length
        value = data[value_start:value_start + size]
        children = (value_start + size + 3) & ~3
        yield key, value, value_type, children, node_end
        offset = (node_end + 3) & ~3


def main():
    data = sys.stdin.buffer.read()
    for key, _, _, children, end in nodes(data, 0, len(data)):
        for block, _, _, tables, block_end in nodes(data, children, end):
            if block != "StringFileInfo":
                continue
            for _, _, _, strings, table_end in nodes(data, tables, block_end):
                for name, value, _, _, _ in nodes(data, strings, table_end):
                    print(f"{name}={value.decode('utf-16-le').rstrip(chr(0))}")


main()
