"""Drawings written by an independent DXF library, and its audit of a file.

  ezdxf_drawings.py write FOLDER   writes every drawing below into FOLDER
  ezdxf_drawings.py audit FILE     prints the audit's errors; exit 1 when any
  ezdxf_drawings.py curves FILE    prints the model space curves in world
                                   coordinates, after the audit's errors
  ezdxf_drawings.py texts FILE     prints the model space texts and multiline
                                   texts, after the audit's errors
  ezdxf_drawings.py inserts FILE   prints the model space block references
                                   and their attributes, after the audit's
                                   errors
  ezdxf_drawings.py hatches FILE   prints the model space hatches: pattern,
                                   loops and pattern lines, after the audit's
                                   errors
  ezdxf_drawings.py dimensions FILE  prints the model space dimensions:
                                   kind, definition points, measurement and
                                   block, after the audit's errors
  ezdxf_drawings.py dimension_arrows FILE
                                   prints the block references in the blocks
                                   of the model space dimensions and the
                                   entities of the blocks they name, after
                                   the audit's errors
  ezdxf_drawings.py annotations FILE  prints the model space leaders
                                   (style, flags, vertices) and tolerances
                                   (style, insertion, direction, text),
                                   after the audit's errors
  ezdxf_drawings.py counts FILE [--layouts] KIND...
                                   prints the entities of the kinds in all
                                   blocks, or in model and paper space only;
                                   VERTEX counts the polylines' own vertices
"""

import struct
import sys

import ezdxf
from ezdxf.math import Vec3
from ezdxf.addons import r12writer
from ezdxf.lldxf.tagger import ascii_tags_loader, binary_tags_loader
from ezdxf.lldxf.validator import is_binary_dxf_file

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
    # Only a value that rounds to zero loses its sign: "-0" is "0", "-0.5" stays.
    text = f"{value:.6f}".rstrip("0").rstrip(".")
    return "0" if abs(value) <= 5e-7 or text == "-0" else text


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


def texts(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for entity in doc.modelspace():
        kind = entity.dxftype()
        if kind == "TEXT":
            align = point(entity.dxf.align_point) if entity.dxf.hasattr("align_point") else "-"
            print(f"TEXT {point(entity.dxf.insert)} align {align} "
                  f"justify {entity.dxf.halign}/{entity.dxf.valign} height {fmt(entity.dxf.height)} "
                  f"width {fmt(entity.dxf.width)} style {entity.dxf.style} text {entity.dxf.text}")
        elif kind == "MTEXT":
            print(f"MTEXT {point(entity.dxf.insert)} attach {entity.dxf.attachment_point} "
                  f"height {fmt(entity.dxf.char_height)} width {fmt(entity.dxf.width)} "
                  f"direction {point(entity.dxf.text_direction)} text {entity.text}")
    return status



def inserts(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for ref in doc.modelspace().query("INSERT"):
        d = ref.dxf
        print(f"INSERT {d.name} at {point(d.insert)} scale {fmt(d.xscale)},{fmt(d.yscale)} "
              f"rotation {fmt(d.rotation)} columns {d.column_count} x {fmt(d.column_spacing)} "
              f"rows {d.row_count} x {fmt(d.row_spacing)}")
        for attrib in ref.attribs:
            print(f"  ATTRIB {attrib.dxf.tag} = {attrib.dxf.text}")
    return status


# Entities of the kinds in every block, model and paper space included.

def spline_text(spline):
    text = f"SPLINE degree {spline.dxf.degree} control"
    text += "".join(f" {point(Vec3(p))}" for p in spline.control_points)
    if len(spline.weights):
        text += " weights" + "".join(f" {fmt(w)}" for w in spline.weights)
    text += " knots" + "".join(f" {fmt(k)}" for k in spline.knots)
    if len(spline.fit_points):
        text += " fit" + "".join(f" {point(Vec3(p))}" for p in spline.fit_points)
    return text


# Names of the blocks the file itself defines.
def file_block_names(path):
    if is_binary_dxf_file(path):
        with open(path, "rb") as stream:
            tags = list(binary_tags_loader(stream.read()))
    else:
        with open(path, encoding="cp1252", errors="ignore") as stream:
            tags = list(ascii_tags_loader(stream))
    names = set()
    record = None
    for tag in tags:
        if tag.code == 0:
            record = tag.value
        elif record == "BLOCK" and tag.code == 2:
            names.add(tag.value.upper())
    return names


# Entities of the kinds in every block, model and paper space included.
# The library adds arrow blocks of its own to a release 13 or 14 file it
# reads; those are not the file's and are left out.
def counts(path, kinds):
    layouts_only = kinds[:1] == ["--layouts"]
    kinds = kinds[1:] if layouts_only else kinds
    doc = ezdxf.readfile(path)
    defined = file_block_names(path)
    found = {kind: 0 for kind in kinds}
    for block in doc.blocks:
        layout = block.block_record.is_any_layout
        if not layout and (layouts_only or block.name.upper() not in defined):
            continue
        for entity in block:
            kind = entity.dxftype()
            if kind == "LWPOLYLINE":
                found["VERTEX"] = found.get("VERTEX", 0) + len(entity)
            elif kind == "POLYLINE":
                kind = count_polyline(found, entity)
            # The library keeps attributes with their reference.
            if kind == "INSERT" and "ATTRIB" in found:
                found["ATTRIB"] += len(entity.attribs)
            # The library folds the columns of a multiline text into it;
            # the file holds each as a record of its own.
            if kind == "MTEXT" and entity.has_columns:
                found["MTEXT"] = found.get("MTEXT", 0) + len(entity.columns.linked_columns)
            if kind in found:
                found[kind] += 1
    print(" ".join(f"{kind}:{found[kind]}" for kind in kinds))
    return 0


# A heavy polyline whose vertices are all its own reads as a light one; its
# generated fit or spline vertices are not counted.
def count_polyline(found, polyline):
    flags = polyline.dxf.flags
    vertices = [v.dxf.flags for v in polyline.vertices]
    if flags & (8 | 16 | 64):
        found["VERTEX"] = found.get("VERTEX", 0) + len(vertices)
        return "POLYLINE"
    generated = 8 if flags & 4 else (1 if flags & 2 else 0)
    own = [v for v in vertices if not v & generated]
    found["VERTEX"] = found.get("VERTEX", 0) + len(own)
    return "POLYLINE" if len(own) < len(vertices) else "LWPOLYLINE"


def edge_text(edge):
    kind = type(edge).__name__
    if kind == "LineEdge":
        return f"line {point(Vec3(edge.start))} {point(Vec3(edge.end))}"
    if kind == "ArcEdge":
        return (f"arc {point(Vec3(edge.center))} r {fmt(edge.radius)} {fmt(edge.start_angle)} "
                f"{fmt(edge.end_angle)} ccw {int(edge.ccw)}")
    if kind == "EllipseEdge":
        return (f"ellipse {point(Vec3(edge.center))} axis {point(Vec3(edge.major_axis))} "
                f"ratio {fmt(edge.ratio)} {fmt(edge.start_angle)} {fmt(edge.end_angle)} "
                f"ccw {int(edge.ccw)}")
    return kind


def path_text(path):
    if hasattr(path, "vertices"):
        vertices = " ".join(f"{fmt(v[0])},{fmt(v[1])},{fmt(v[2])}" for v in path.vertices)
        return f"polyline closed {int(path.is_closed)}: {vertices}"
    return "edges: " + "; ".join(edge_text(edge) for edge in path.edges)


def hatches(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for entity in doc.modelspace():
        if entity.dxftype() != "HATCH":
            continue
        print(f"HATCH {entity.dxf.pattern_name} solid {entity.dxf.solid_fill}")
        for boundary in entity.paths:
            print(path_text(boundary))
        lines = entity.pattern.lines if entity.pattern else []
        for line in lines:
            dashes = " ".join(fmt(d) for d in line.dash_length_items)
            print(f"line {fmt(line.angle)} {point(Vec3(line.base_point))} "
                  f"{point(Vec3(line.offset))} {dashes}".rstrip())
        seeds = " ".join(point(Vec3(s)) for s in entity.seeds)
        print(f"seeds {seeds}".rstrip())
    return status


def dimensions(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for dim in doc.modelspace().query("DIMENSION"):
        points = " ".join(point(Vec3(dim.dxf.get(name, (0, 0, 0))))
                          for name in ("defpoint", "defpoint2", "defpoint3", "defpoint4"))
        block = doc.blocks.get(dim.dxf.geometry)
        size = len(block) if block is not None else -1
        arc = f" {point(Vec3(dim.dxf.defpoint5))}" if dim.dimtype == 2 else ""
        print(f"{dim.dimtype} {points} {fmt(dim.dxf.actual_measurement)} {size}{arc}")
    return status


def dimension_arrows(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    named = []
    for dim in doc.modelspace().query("DIMENSION"):
        for ref in doc.blocks.get(dim.dxf.geometry).query("INSERT"):
            d = ref.dxf
            print(f"INSERT {d.name} at {point(d.insert)} scale {fmt(d.xscale)},{fmt(d.yscale)} "
                  f"rotation {fmt(d.rotation)} color {d.color}")
            if d.name not in named:
                named.append(d.name)
    for name in named:
        kinds = " ".join(entity.dxftype() for entity in doc.blocks.get(name))
        print(f"BLOCK {name}: {kinds}")
    return status


def annotations(path):
    doc = ezdxf.readfile(path)
    status = audit(path)
    for entity in doc.modelspace():
        kind = entity.dxftype()
        if kind == "LEADER":
            d = entity.dxf
            vertices = " ".join(point(Vec3(v)) for v in entity.vertices)
            print(f"LEADER {d.dimstyle} path {d.path_type} hook {d.has_hookline} "
                  f"direction {d.hookline_direction} arrow {d.has_arrowhead} "
                  f"along {point(d.horizontal_direction)} vertices {vertices}")
        elif kind == "TOLERANCE":
            d = entity.dxf
            # The library hands a row break back as a line break from a
            # binary file; the text's own form is "^J".
            text = d.content.replace("\n", "^J")
            print(f"TOLERANCE {d.dimstyle} at {point(d.insert)} "
                  f"direction {point(d.x_axis_vector)} text {text}")
    return status


if __name__ == "__main__":
    if sys.argv[1] == "curves":
        sys.exit(curves(sys.argv[2]))
    if sys.argv[1] == "texts":
        sys.exit(texts(sys.argv[2]))
    if sys.argv[1] == "inserts":
        sys.exit(inserts(sys.argv[2]))
    if sys.argv[1] == "hatches":
        sys.exit(hatches(sys.argv[2]))
    if sys.argv[1] == "dimensions":
        sys.exit(dimensions(sys.argv[2]))
    if sys.argv[1] == "dimension_arrows":
        sys.exit(dimension_arrows(sys.argv[2]))
    if sys.argv[1] == "annotations":
        sys.exit(annotations(sys.argv[2]))
    if sys.argv[1] == "counts":
        sys.exit(counts(sys.argv[2], sys.argv[3:]))
    if sys.argv[1] == "write":
        write(sys.argv[2])
        sys.exit(0)
    sys.exit(audit(sys.argv[2]))
