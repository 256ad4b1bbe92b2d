#!/usr/bin/env python3
"""Writes references.txt: one line per PngSuite image that must load,

    NAME WIDTH HEIGHT HASH

where HASH is the 64-bit FNV-1a hash (16 hexadecimal digits) of the image's
8-bit RGBA pixels, row after row, four bytes a pixel. The pixels come from a
folder of reference decodings, one NAME.json per image holding a flat
[r, g, b, a, ...] array (16-bit values for 16-bit images). 16-bit channels
are reduced to their high byte, as the SDK's loader reduces them.

    python3 make_references.py JSON_FOLDER > references.txt

Run it from this folder (it reads the PNG files beside it for their size and depth).
The corrupt x*.png images have no reference: the test expects them refused.
"""
import json
import os
import struct
import sys

FNV_OFFSET = 0xCBF29CE484222325
FNV_PRIME = 0x100000001B3


def fnv1a64(data):
    value = FNV_OFFSET
    for byte in data:
        value = ((value ^ byte) * FNV_PRIME) & 0xFFFFFFFFFFFFFFFF
    return value


def png_header(path):
    """Width, height and bit depth from the IHDR chunk."""
    with open(path, "rb") as f:
        head = f.read(25)
    width, height = struct.unpack(">II", head[16:24])
    return width, height, head[24]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    json_folder = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    for name in sorted(os.listdir(here)):
        if not name.endswith(".png") or name.startswith("x"):
            continue
        stem = name[:-4]
        width, height, depth = png_header(os.path.join(here, name))
        with open(os.path.join(json_folder, stem + ".json")) as f:
            values = json.load(f)
        if len(values) != width * height * 4:
            sys.exit("%s: %d values for %dx%d pixels" % (stem, len(values), width, height))
        if depth == 16:
            values = [v >> 8 for v in values]
        print("%s %d %d %016x" % (name, width, height, fnv1a64(bytes(values))))


if __name__ == "__main__":
    main()
