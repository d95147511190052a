"""Drawings written by an independent DXF library, and its audit of a file.

  ezdxf_drawings.py write FOLDER   writes every drawing below into FOLDER
  ezdxf_drawings.py audit FILE     prints the audit's errors; exit 1 when any
  ezdxf_drawings.py curves FILE    prints the model space curves in world
                                   coordinates, after the audit's errors
  ezdxf_drawings.py counts FILE    prints the ellipses, splines, texts,
                                   multiline texts and dimensions of all
                                   blocks
  ezdxf_drawings.py dimensions FILE  prints the model space dimensions:
                                   kind, definition points, measurement and
                                   block, after the audit's errors
"""

import struct
import sys

import ezdxf
from ezdxf.math import Vec3
from ezdxf.addons import r12writer

# Every kind of group value, one group each: strings, points, reals, 16-,
# 32- and 64-bit integers, booleans, binary chunks, handles of each kind,
# and extended data.
XRECORD_GROUPS = [
    (1, "text"), (2, "name"), (10, (1.5, 2.5, 3.5)), (38, 0.25), (40, 4.5),
    (50, 30.0), (60, 6), (70, 7), (90, 900000), (100, "AcDbSubclass"),
    (102, "{BRACKET"), (102, "}"), (140, 14.5), (160, 2 ** 40), (170, 17),
    (210, (0.0, 0.0, 1.0)), (270, 27), (280, 28), (290, 1), (300, "three"),
    (310, b"\x01\x02\xfe"), (320, "1F"), (330, "1"), (340, "1"), (350, "1"),
    (360, "1"), (370, -3), (380, 38), (390, "1"), (400, 40), (410, "Layout1"),
    (420, 0x123456), (430, "color name"), (440, 44), (450, 45), (460, 46.5),
    (470, "four"), (480, "1"),
]
XDATA = [
    (1000, "xtext"), (1002, "{"), (1003, "0"), (1004, b"\xab\xcd"),
    (1005, "1"), (1002, "}"), (1010, (1.0, 2.0, 3.0)), (1040, 1.25),
    (1070, 17), (1071, 70000),
]


def add_every_group_xrecord(doc):
    owner = doc.rootdict.add_new_dict("KOVRA_GROUPS")
    record = owner.add_xrecord("EVERY_GROUP")
    record.extend(XRECORD_GROUPS)
    doc.appids.new("KOVRA_XDATA")
    record.set_xdata("KOVRA_XDATA", XDATA)
    owner.add_xrecord("EMPTY")


# Release 12 has no rays, construction lines, light polylines or images.
def add_entities(doc, folder):
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "Walls", "color": 1})
    msp.add_point((1, -1))
    msp.add_solid([(0, 2), (2, 2), (0, 3.5), (2.5, 3)])
    msp.add_trace([(3, 2), (5, 2), (3, 3.5), (5.5, 3)])
    msp.add_3dface([(6, 2), (8, 2), (6, 3.5), (8.5, 3)])
    msp.add_circle((5, 5), 2)
    msp.add_arc((5, 5), 3, 0, 90)
    msp.add_text("note")
    block = doc.blocks.new("FLAG")
    block.add_line((0, 0), (0, 2))
    block.add_circle((0, 2), 0.5)
    msp.add_blockref("FLAG", (7, 7))
    if doc.dxfversion == "AC1009":
        return
    msp.add_ray((-2, 0), (3, -4))
    msp.add_xline((-3, 1), (3, -4))
    msp.add_lwpolyline([(0, 0), (1, 1), (2, 0)])
    definition = doc.add_image_def(folder + "/swatch.png", (3, 2))
    msp.add_image(definition, (4, 5), (3, 2))
    add_every_group_xrecord(doc)


def write_full(folder, name, version, setup):
    doc = ezdxf.new(version, setup=setup)
    add_entities(doc, folder)
    doc.saveas(f"{folder}/{name}.dxf")
    doc.saveas(f"{folder}/{name}_bin.dxf", fmt="bin")


# What small programs write: ENTITIES alone, no handles, no subclass
# markers.
def write_simple(folder, name, fmt):
    with r12writer(f"{folder}/{name}.dxf", fmt=fmt) as dxf:
        dxf.add_line((0, 0), (4, 3), layer="Survey")
        dxf.add_point((1, 1))
        dxf.add_solid([(0, 0), (1, 0), (0, 1)])
        dxf.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)])
        dxf.add_circle((2, 2), 1)
        dxf.add_arc((2, 2), 2, 0, 45)
        dxf.add_text("simple", (0, 5))


# Curves drawn seen from below: their own x axis is world -x.
def write_reversed(folder):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    below = {"extrusion": (0, 0, -1)}
    msp.add_circle((2, 1), 3, dxfattribs=below)
    msp.add_arc((2, 1), 3, 0, 90, dxfattribs=below)
    doc.saveas(f"{folder}/reversed.dxf")


def write(folder):
    write_reversed(folder)
    write_full(folder, "r2000", "R2000", False)
    write_full(folder, "r2000_setup", "R2000", True)
    write_full(folder, "r12", "R12", False)
    write_simple(folder, "simple", "asc")
    write_simple(folder, "simple_bin", "bin")


def audit(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        print(error.message)
    return 1 if auditor.has_errors else 0


def fmt(value):
    return f"{value:.6f}".rstrip("0").rstrip(".").replace("-0", "0") if abs(value) > 5e-7 else "0"


def point(vector):
    return f"{fmt(vector.x)},{fmt(vector.y)}"


def curves(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for entity in doc.modelspace():
        kind = entity.dxftype()
        if kind == "CIRCLE":
            centre = entity.ocs().to_wcs(entity.dxf.center)
            print(f"CIRCLE {point(centre)} r {fmt(entity.dxf.radius)}")
        elif kind == "ARC":
            centre = entity.ocs().to_wcs(entity.dxf.center)
            print(f"ARC {point(centre)} r {fmt(entity.dxf.radius)} "
                  f"from {point(entity.start_point)} to {point(entity.end_point)}")
        elif kind == "ELLIPSE":
            print(f"ELLIPSE {point(entity.dxf.center)} axis {point(entity.dxf.major_axis)} "
                  f"ratio {fmt(entity.dxf.ratio)} from {fmt(entity.dxf.start_param)} "
                  f"to {fmt(entity.dxf.end_param)}")
        elif kind == "SPLINE":
            print(spline_text(entity))
    return status


def spline_text(spline):
    text = f"SPLINE degree {spline.dxf.degree} control"
    text += "".join(f" {point(Vec3(p))}" for p in spline.control_points)
    if len(spline.weights):
        text += " weights" + "".join(f" {fmt(w)}" for w in spline.weights)
    text += " knots" + "".join(f" {fmt(k)}" for k in spline.knots)
    if len(spline.fit_points):
        text += " fit" + "".join(f" {point(Vec3(p))}" for p in spline.fit_points)
    return text


# Entities of the counted kinds in every block, model and paper space
# included.
def counts(path):
    doc = ezdxf.readfile(path)
    found = {"ELLIPSE": 0, "SPLINE": 0, "TEXT": 0, "MTEXT": 0, "DIMENSION": 0}
    for block in doc.blocks:
        for entity in block:
            if entity.dxftype() in found:
                found[entity.dxftype()] += 1
            # The library folds the columns of a multiline text into it;
            # the file holds each as a record of its own.
            if entity.dxftype() == "MTEXT" and entity.has_columns:
                found["MTEXT"] += len(entity.columns.linked_columns)
    print(" ".join(f"{kind}:{count}" for kind, count in found.items()))
    return 0


def dimensions(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for dim in doc.modelspace().query("DIMENSION"):
        points = " ".join(point(Vec3(dim.dxf.get(name, (0, 0, 0))))
                          for name in ("defpoint", "defpoint2", "defpoint3", "defpoint4"))
        block = doc.blocks.get(dim.dxf.geometry)
        size = len(block) if block is not None else -1
        print(f"{dim.dimtype} {points} {fmt(dim.dxf.actual_measurement)} {size}")
    return status


if __name__ == "__main__":
    if sys.argv[1] == "dimensions":
        sys.exit(dimensions(sys.argv[2]))
    if sys.argv[1] == "curves":
        sys.exit(curves(sys.argv[2]))
    if sys.argv[1] == "counts":
        sys.exit(counts(sys.argv[2]))
    if sys.argv[1] == "write":
        write(sys.argv[2])
        sys.exit(0)
    sys.exit(audit(sys.argv[2]))
