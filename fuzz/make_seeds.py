#!/usr/bin/python3
"""Writes seed inputs for the fuzz targets into OUT/<target>/.

Small drawings made with ezdxf (one per entity kind and table feature),
the small files of the shared corpus, and a few JPEG and BMP pictures.
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


def main():
    out = sys.argv[1]
    corpus = sys.argv[2] if len(sys.argv) > 2 else "/work/shared/corpus"
    targets = ("dxf_open_fuzz", "dwg_open_fuzz", "dxf_group_fuzz", "dwg_bits_fuzz", "jpeg_fuzz", "bmp_fuzz")
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


if __name__ == "__main__":
    main()
