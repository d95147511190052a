#!/usr/bin/python3
"""Compiles the program's own SHX fonts from the Hershey stroke fonts.

Writes OUT/simplex.shx (the Hershey simplex roman strokes as they are) and
OUT/txt.shx (the same strokes simplified into a plainer, faster font), each
with the degree, plus-minus and diameter signs added. The Hershey data comes
from Debian's hershey-fonts-data package.
Usage: make_shx_fonts.py OUT [HERSHEY_DIR]
"""
import math
import os
import struct
import sys

HERSHEY_DIR = "/usr/share/hershey-fonts"
SOURCE = "futural.jhf"
SIGNATURE = b"KOVRA shape font 1.0\r\n\x1a"
# Hershey rows put the baseline at 9 and capitals 21 above it, y downward.
BASELINE = 9
ABOVE = 21
BELOW = 7
FIRST_CODE = 32
LAST_CODE = 126
# How far a simplified stroke may stray from the original, in font units.
TXT_TOLERANCE = 1.2


def read_hershey(path):
    """Glyphs in file order: (left, right, strokes of (x, y) points)."""
    glyphs = []
    with open(path, encoding="ascii") as f:
        text = f.read().replace("\r", "")
    lines = text.split("\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.strip():
            continue
        count = int(line[5:8])
        data = line[8:]
        # A long glyph continues on the next lines.
        while len(data) < 2 * count and i < len(lines):
            data += lines[i]
            i += 1
        pairs = [(ord(data[k]) - ord("R"), ord(data[k + 1]) - ord("R")) for k in range(0, 2 * count, 2)]
        left, right = pairs[0]
        strokes, stroke = [], []
        for k in range(2, 2 * count, 2):
            if data[k:k + 2] == " R":
                if stroke:
                    strokes.append(stroke)
                stroke = []
                continue
            x, y = pairs[k // 2]
            stroke.append((x - left, BASELINE - y))
        if stroke:
            strokes.append(stroke)
        glyphs.append((0, right - left, strokes))
    return glyphs


def simplify(points, tolerance):
    """Douglas-Peucker on one stroke; the ends always stay."""
    if len(points) < 3:
        return points
    (x0, y0), (x1, y1) = points[0], points[-1]
    length = math.hypot(x1 - x0, y1 - y0)
    worst, index = -1.0, 0
    for k in range(1, len(points) - 1):
        px, py = points[k]
        if length == 0:
            d = math.hypot(px - x0, py - y0)
        else:
            d = abs((x1 - x0) * (y0 - py) - (x0 - px) * (y1 - y0)) / length
        if d > worst:
            worst, index = d, k
    if worst <= tolerance:
        return [points[0], points[-1]]
    return simplify(points[:index + 1], tolerance)[:-1] + simplify(points[index:], tolerance)


def signed(value):
    if not -127 <= value <= 127:
        raise ValueError("move too long for one shape byte: %d" % value)
    return value & 0xFF


def encode(advance, strokes, circles=()):
    """Shape bytes: pen-up moves between strokes, code 9 lists along them,
    full circles with code 10, the pen left at the advance."""
    out = bytearray([2])
    x, y = 0, 0

    def move_to(px, py):
        nonlocal x, y
        if (px, py) != (x, y):
            out.extend([8, signed(px - x), signed(py - y)])
        x, y = px, py

    for stroke in strokes:
        move_to(*stroke[0])
        out.append(1)
        moves = bytearray()
        for px, py in stroke[1:]:
            if (px, py) == (x, y):
                continue
            moves.extend([signed(px - x), signed(py - y)])
            x, y = px, py
        if moves:
            out.append(9)
            out.extend(moves)
            out.extend([0, 0])
        out.append(2)
    for cx, cy, r in circles:
        move_to(cx + r, cy)
        out.extend([1, 10, r, 0x00, 2])
    move_to(advance, 0)
    out.append(0)
    return bytes(out)


def extra_glyphs():
    """Degree, plus-minus and diameter, which the Hershey simplex lacks."""
    return {
        176: (12, [], [(6, 17, 3)]),
        177: (20, [[(10, 7), (10, 19)], [(4, 13), (16, 13)], [(4, 3), (16, 3)]], []),
        216: (22, [[(3, -1), (19, 15)]], [(11, 7, 7)]),
    }


def build_font(name, glyphs, tolerance):
    shapes = {}
    for index, (_, advance, strokes) in enumerate(glyphs):
        code = FIRST_CODE + index
        if code > LAST_CODE:
            break
        if tolerance:
            strokes = [simplify(s, tolerance) for s in strokes]
        shapes[code] = encode(advance, strokes)
    for code, (advance, strokes, circles) in extra_glyphs().items():
        shapes[code] = encode(advance, strokes, circles)

    info = name.encode("ascii") + b"\0" + bytes([ABOVE, BELOW, 0, 0])
    entries = [(0, info)] + [(code, b"\0" + shapes[code]) for code in sorted(shapes)]
    out = bytearray(SIGNATURE.ljust(28, b"\0"))
    out += struct.pack("<h", len(entries))
    for number, data in entries:
        out += struct.pack("<HH", number, len(data))
    for _, data in entries:
        out += data
    return bytes(out)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    out_dir = sys.argv[1]
    source = os.path.join(sys.argv[2] if len(sys.argv) > 2 else HERSHEY_DIR, SOURCE)
    glyphs = read_hershey(source)
    os.makedirs(out_dir, exist_ok=True)
    for file_name, title, tolerance in (("simplex.shx", "Simplex, from the Hershey simplex roman", 0),
                                        ("txt.shx", "Txt, from the Hershey simplex roman", TXT_TOLERANCE)):
        with open(os.path.join(out_dir, file_name), "wb") as f:
            f.write(build_font(title, glyphs, tolerance))


if __name__ == "__main__":
    main()
