#pragma once

#include <span>

#include "commands/command_row.h"
#include "core/point2d.h"

class FcUndoSection;
class FcGraph;

// Commands that draw new entities. Each runs on the drawing's command
// thread, takes no arguments and answers kStatusDone.

int CmdLine();
int CmdPoint();
int CmdSolid();
int CmdTrace();
int CmdRay();
int CmdArc();
int CmdCircle();
int CmdCommonTangent();
int CmdCommonTangentCircle();
int CmdXLine();
int CmdEllipse();
int CmdSPLine();
int CmdPline();
int CmdRectangle();
int CmdPolygon();
int CmdDonut();
int CmdRevCloud();
// Markers along one line, circle, arc or polyline: at equal parts, or
// every given length.
int CmdDivide();
int CmdMeasure();
// Commands the program does not offer; they say so.
int CmdTablet();
int CmdSketch();

std::span<const CommandRow> DrawCommandRows();

// One trace piece from start to end, all points in world coordinates: its
// start edge is mitred to the piece from previous (square when previous is
// start), its end edge to the piece towards following (square when
// following is end). Added to the drawing through the section. False when
// it could not be made.
bool AddTraceSegment(FcUndoSection& section, const FcPoint2d& previous, const FcPoint2d& start, const FcPoint2d& end,
                     const FcPoint2d& following, double halfWidth);
