#!/usr/bin/python3
"""Writes seed inputs for the fuzz targets into OUT/<target>/.

Small drawings made with ezdxf (one per entity kind and table feature),
the small files of the shared corpus, a few JPEG and BMP pictures, and SHX
fonts of each kind.
Usage: make_seeds.py OUT [CORPUS]
"""
import os
import shutil
import struct
import sys

import ezdxf

MAX_CORPUS_FILE = 256 * 1024


def drawings():
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "Walls"})
    msp.add_circle((1, 1), 2)
    msp.add_arc((0, 0), 3, 10, 200)
    msp.add_text("Hello", dxfattribs={"height": 2.5})
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (5, 0), (5, 5)], close=True)
    msp.add_ellipse((0, 0), (4, 1), 0.5)
    msp.add_point((3, 3))
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
    msp.add_spline([(0, 0), (1, 2), (3, 1), (4, 4)])
    yield "entities", doc

    doc = ezdxf.new("R2000")
    block = doc.blocks.new("Door", base_point=(1, 1))
    block.add_line((0, 0), (1, 0))
    block.add_attdef("TAG", (0, 0))
    inner = doc.blocks.new("Frame")
    inner.add_blockref("Door", (2, 2))
    for i in range(20):
        doc.blocks.new("Empty%d" % i)
    msp = doc.modelspace()
    msp.add_blockref("Frame", (5, 5), dxfattribs={"xscale": 2, "rotation": 30})
    for i in range(20):
        msp.add_line((i, 0), (i, 1), dxfattribs={"layer": "Undeclared%d" % i})
    yield "blocks_layers", doc

    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(0, 0), (1, 1), (2, 0)])
    msp.add_line((0, 0), (1, 1))
    yield "r12", doc


def jpeg_seeds():
    """Small colour, grey and progressive pictures, made by ImageMagick."""
    import subprocess
    import tempfile
    convert = shutil.which("convert")
    if convert is None:
        return
    recipes = (("colour.jpg", ["-size", "5x3", "gradient:red-blue"]),
               ("grey.jpg", ["-size", "7x4", "gradient:", "-colorspace", "Gray"]),
               ("progressive.jpg", ["-size", "16x16", "plasma:", "-interlace", "JPEG"]))
    with tempfile.TemporaryDirectory() as folder:
        for name, args in recipes:
            path = os.path.join(folder, name)
            if subprocess.run([convert] + args + [path], capture_output=True).returncode != 0:
                continue
            with open(path, "rb") as f:
                yield name, f.read()


def bmp_seed():
    width, height = 2, 2
    row = b"\x00\x00\xff\xff\x00\x00" + b"\x00\x00"
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def shx_seeds():
    """The program's own fonts and small fonts of the other two kinds whose
    shapes use every shape code."""
    fonts = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Fonts")
    for name in ("txt.shx", "simplex.shx"):
        with open(os.path.join(fonts, name), "rb") as f:
            yield name, f.read()
    info = b"seed\0" + bytes([10, 2, 0, 0])
    shapes = {
        65: bytes([2, 8, 5, 0, 1, 10, 5, 0x00, 2, 14, 0x40, 1, 0x44, 0]),
        66: bytes([1, 12, 10, 0, 127, 13, 5, 5, 0x81, 0, 0, 11, 10, 20, 0, 5, 0x93, 0]),
        67: bytes([3, 2, 4, 2, 5, 9, 1, 1, 2, 3, 0, 0, 6, 7, 65, 7, 0, 66, 0]),
    }
    entries = sorted((number, b"\0" + data) for number, data in shapes.items())
    unicode_font = bytearray(b"seed unicode".ljust(25, b"\0"))
    unicode_font += struct.pack("<hHH", len(entries) + 1, 0, len(info)) + info
    for number, data in entries:
        unicode_font += struct.pack("<HH", number, len(data)) + data
    yield "unicode.shx", bytes(unicode_font)
    big = bytearray(b"seed big".ljust(27, b"\0"))
    big += struct.pack("<HH", len(entries) + 1, 1) + struct.pack("<BBBB", 0x81, 0, 0xFE, 0)
    offset = len(big) + 8 * (len(entries) + 1)
    index = bytearray()
    for number, data in [(0, info)] + entries:
        index += struct.pack("<HHI", number, len(data), offset)
        offset += len(data)
    big += index + info + b"".join(data for _, data in entries)
    yield "big.shx", bytes(big)


def main():
    out = sys.argv[1]
    corpus = sys.argv[2] if len(sys.argv) > 2 else "/work/shared/corpus"
    targets = ("dxf_open_fuzz", "dwg_open_fuzz", "dxf_group_fuzz", "dwg_bits_fuzz", "jpeg_fuzz", "bmp_fuzz",
               "shx_fuzz")
    for target in targets:
        os.makedirs(os.path.join(out, target), exist_ok=True)
    for name, doc in drawings():
        path = os.path.join(out, "dxf_open_fuzz", name + ".dxf")
        doc.saveas(path)
        shutil.copy(path, os.path.join(out, "dxf_group_fuzz", name + ".dxf"))
    for kind, targets_of_kind in (("dxf", ("dxf_open_fuzz", "dxf_group_fuzz")),
                                  ("dwg", ("dwg_open_fuzz", "dwg_bits_fuzz"))):
        folder = os.path.join(corpus, kind)
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if os.path.getsize(path) > MAX_CORPUS_FILE:
                continue
            for target in targets_of_kind:
                shutil.copy(path, os.path.join(out, target, name))
    for name, data in jpeg_seeds():
        with open(os.path.join(out, "jpeg_fuzz", name), "wb") as f:
            f.write(data)
    with open(os.path.join(out, "bmp_fuzz", "small.bmp"), "wb") as f:
        f.write(bmp_seed())
    for name, data in shx_seeds():
        with open(os.path.join(out, "shx_fuzz", name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
