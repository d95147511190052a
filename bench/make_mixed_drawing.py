"""Writes the mixed drawing the large-drawing benchmarks read.

A release-2000 DXF of a grid of cells; each cell holds a line, a circle,
an arc, a five-vertex lightweight polyline and a short text, and every
tenth cell a reference to a block that nests a cross and a circle.
At 400 by 290 cells it is about 80 MB and 590,000 entities.

usage: make_mixed_drawing.py OUTPUT.dxf [COLUMNS ROWS]
"""
import sys

import ezdxf

CELL = 10.0


def add_blocks(doc):
    cross = doc.blocks.new(name="CROSS")
    cross.add_line((-2, 0), (2, 0))
    cross.add_line((0, -2), (0, 2))
    mark = doc.blocks.new(name="MARK")
    mark.add_blockref("CROSS", (0, 0))
    mark.add_circle((0, 0), 1.5)


def add_cell(space, column, row, number):
    x = column * CELL
    y = row * CELL
    layer = "L%d" % (number % 8)
    attribs = {"layer": layer}
    space.add_line((x + 0.5, y + 0.5), (x + 9.5, y + 0.5), dxfattribs=attribs)
    space.add_circle((x + 2.5, y + 7.0), 1.5, dxfattribs=attribs)
    space.add_arc((x + 7.0, y + 7.0), 2.0, 15.0 + number % 90, 200.0 + number % 120, dxfattribs=attribs)
    space.add_lwpolyline(
        [(x + 1.0, y + 1.5), (x + 4.0, y + 1.5), (x + 4.0, y + 4.0), (x + 2.0, y + 5.0), (x + 1.0, y + 4.0)],
        close=True, dxfattribs=attribs)
    space.add_text("C%d" % number, dxfattribs={"layer": layer, "height": 0.8, "insert": (x + 5.0, y + 2.0)})
    if number % 10 == 0:
        space.add_blockref("MARK", (x + 8.0, y + 3.0), dxfattribs=attribs)


def main():
    output = sys.argv[1]
    columns = int(sys.argv[2]) if len(sys.argv) > 2 else 400
    rows = int(sys.argv[3]) if len(sys.argv) > 3 else 290
    doc = ezdxf.new("R2000")
    for index in range(8):
        doc.layers.add("L%d" % index, color=index + 1)
    add_blocks(doc)
    space = doc.modelspace()
    number = 0
    for row in range(rows):
        for column in range(columns):
            add_cell(space, column, row, number)
            number += 1
    doc.saveas(output)


if __name__ == "__main__":
    main()
