#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the notices of the third-party code that qtbase 6.4.2 builds into the Qt DLLs the
Windows packages ship, as scripts/build-qt-windows configures it (bundled zlib, PCRE2 with its
JIT, HarfBuzz, FreeType and libpng; no network, no OpenGL, no Vulkan): for each part its name,
version, the DLL it is in, its licence and copyright lines, and its licence file, read from the
qt_attribution.json files of the Qt source.

    scripts/qt-windows/third-party-notices.py QT-SOURCE > data/windows/licenses/qt-third-party.txt

QT-SOURCE is the unpacked qt6-base 6.4.2+dfsg-10 (scripts/build-qt-windows unpacks it into
~/.cache/ormek-calculator/qt6.4.2-mingw64-work/source). The list below was checked against the
DLLs: each part's code or texts are in them. Qt Widgets and the two plugins hold none.
"""
import json
import pathlib
import sys

# (folder of the qt_attribution.json, Id) by DLL, in the order they are printed.
SHIPPED = {
    "Qt6Core.dll": [
        ("src/3rdparty/zlib", "zlib"),
        ("src/3rdparty/pcre2", "pcre2"),
        ("src/3rdparty/pcre2", "pcre2-sljit"),
        ("src/3rdparty/double-conversion", "doubleconversion"),
        ("src/3rdparty/easing", "easing"),
        ("src/3rdparty/tinycbor", "tinycbor"),
        ("src/3rdparty/blake2", "blake2"),
        ("src/3rdparty/md4", "md4"),
        ("src/3rdparty/md5", "md5"),
        ("src/3rdparty/sha1", "sha1"),
        ("src/3rdparty/rfc6234", "rfc6234"),
        ("src/3rdparty/sha3", "sha3_endian"),
        ("src/3rdparty/sha3", "sha3_keccak"),
        ("src/corelib/tools", "siphash"),
        ("src/corelib/text", "unicode-character-database"),
        ("src/corelib/text", "unicode-cldr"),
    ],
    "Qt6Gui.dll": [
        ("src/3rdparty/freetype", "freetype"),
        ("src/3rdparty/freetype", "freetype-zlib"),
        ("src/3rdparty/freetype", "freetype-bdf"),
        ("src/3rdparty/freetype", "freetype-pcf"),
        ("src/gui/painting", "grayraster"),
        ("src/3rdparty/harfbuzz-ng", "harfbuzz-ng"),
        ("src/3rdparty/libpng", "libpng"),
        ("src/3rdparty/md4c", "md4c"),
        ("src/3rdparty/icc", "icc-sRGB-color-profile"),
        ("src/gui/painting", "smooth-scaling-algorithm"),
        ("src/gui/painting", "xserverhelper"),
        ("src/gui/text", "aglfn"),
        ("util/gradientgen", "webgradients"),
    ],
}

RULE = "=" * 78


def attributions(folder):
    text = (folder / "qt_attribution.json").read_text(encoding="utf-8")
    entries = json.loads(text, strict=False)
    return entries if isinstance(entries, list) else [entries]


def licence_text(folder, name):
    text = (folder / name).read_text(encoding="utf-8", errors="replace")
    return text.replace("\r\n", "\n").strip("\n")


def notice(source, dll, folder_name, part_id, printed):
    """The notice of one part; a licence text printed before (in printed, text to title) is
    named rather than repeated."""
    folder = source / folder_name
    entry = next(e for e in attributions(folder) if e["Id"] == part_id)
    title = entry["Name"] + (f" {entry['Version']}" if entry.get("Version") else "")
    description = " ".join(entry.get("Description", "").split())
    lines = [RULE, title, f"In {dll}. {description}".rstrip()]
    if entry.get("Homepage"):
        lines.append(entry["Homepage"])
    lines.append(f"Licence: {entry.get('LicenseId') or entry['License']}")
    lines += ["", *(line.strip() for line in entry["Copyright"].splitlines()), ""]
    if entry.get("LicenseFile"):
        text = licence_text(folder, entry["LicenseFile"])
        if text in printed:
            lines.append(f"The licence text is that of {printed[text]} above.")
        else:
            printed[text] = title
            lines += [text, ""]
    return "\n".join(lines).rstrip("\n")


def main():
    source = pathlib.Path(sys.argv[1])
    print("Third-party code in the Qt 6.4.2 DLLs of Ormek商人计算器 for Windows")
    print("Ormek商人计算器 Windows 版所带 Qt 6.4.2 DLL 中的第三方代码")
    print()
    print("Qt itself is used under the GNU Lesser General Public License, version 3 (LGPL-3.0.txt).")
    print("Qt 本身依照 GNU 宽通用公共许可证第 3 版使用（LGPL-3.0.txt）。")
    print("The parts below are built into the Qt DLLs, each under its own licence, as Qt's")
    print("qt_attribution.json files name them. 以下各部分编译在 Qt 的 DLL 中，各依其许可证。")
    printed = {}
    for dll, parts in SHIPPED.items():
        for folder_name, part_id in parts:
            print()
            print(notice(source, dll, folder_name, part_id, printed))


if __name__ == "__main__":
    main()
