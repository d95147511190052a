#pragma once

#include "core/point2d.h"

class FcEntSetsUndoItem;
class FcGraph;

// The typed commands that draw lines, points, solids, traces and rays, and
// those that step through the undo history. Each runs on the drawing's
// command thread, takes no arguments and answers kStatusDone.

int CmdLine();
int CmdPoint();
int CmdSolid();
int CmdTrace();
int CmdRay();
// Commands the program does not offer; they say so.
int CmdTablet();
int CmdSketch();

int CmdUndo();
int CmdRedo();

// One trace piece from start to end, all points in world coordinates: its
// start edge is mitred to the piece from previous (square when previous is
// start), its end edge to the piece towards following (square when
// following is end). Added to the drawing and recorded as created in the
// item.
void AddTraceSegment(FcGraph& graph, const FcPoint2d& previous, const FcPoint2d& start, const FcPoint2d& end,
                     const FcPoint2d& following, double halfWidth, FcEntSetsUndoItem& item);
