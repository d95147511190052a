#include "commands/draw/draw_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Line", CmdLine, kDrawing},
    {"Circle", CmdCircle, kDrawing},
    {"Arc", CmdArc, kDrawing},
    {"Point", CmdPoint, kDrawing},
    {"Solid", CmdSolid, kDrawing},
    {"Trace", CmdTrace, kDrawing},
    {"Pline", CmdPline, kDrawing},
    {"XLine", CmdXLine, kDrawing},
    {"Ray", CmdRay, kDrawing},
    {"Ellipse", CmdEllipse, kDrawing},
    {"Rectangle", CmdRectangle, kDrawing},
    {"SPLine", CmdSPLine, kDrawing},
    {"Polygon", CmdPolygon, kDrawing},
    {"Donut", CmdDonut, kDrawing},
    {"Divide", CmdDivide, kDrawing},
    {"Measure", CmdMeasure, kDrawing},
    {"CommonTangent", CmdCommonTangent, kDrawing},
    {"CommonTangentCircle", CmdCommonTangentCircle, kDrawing},
    {"revcloud", CmdRevCloud, kDrawing},
    {"Tablet", CmdTablet, kDrawing},
    {"Sketch", CmdSketch, kDrawing},
};

}  // namespace

std::span<const CommandRow> DrawCommandRows() { return kRows; }
