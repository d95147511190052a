#pragma once

#include "core/point2d.h"

class FcArc;
class FcCircle;
class FcEllipse;
class FcEntSetsUndoItem;
class FcGraph;
class FcLine;
class FcPolyline;
class FcRay;
class FcXLine;

// The two break points of one Break run (world coordinates) with the
// drawing and the run's undo item.
struct BreakPoints {
  FcGraph& graph;
  FcEntSetsUndoItem& undo;
  FcPoint2d first;
  FcPoint2d second;
};

// Each removes the part of the object between the two points (their feet
// on it), or splits it where both points fall on one place. Breaks that
// would remove nothing change nothing.
void BreakLine(FcLine& line, const BreakPoints& at);
void BreakRay(FcRay& ray, const BreakPoints& at);
// Always two rays pointing away from the gap.
void BreakXLine(FcXLine& line, const BreakPoints& at);
// The part counter-clockwise from the first point to the second goes; the
// circle becomes an arc.
void BreakCircle(FcCircle& circle, const BreakPoints& at);
void BreakArc(FcArc& arc, const BreakPoints& at);
void BreakEllipse(FcEllipse& ellipse, const BreakPoints& at);
void BreakPolyline(FcPolyline& polyline, const BreakPoints& at);

// The nearest point of the polyline's segments that p projects onto
// (foot on a straight segment, the radial point on an arc) and that p
// reaches without crossing the polyline, with its segment; false when p
// projects onto none.
bool ProjectOntoPolyline(const FcPoint2d& p, const FcPolyline& polyline, FcPoint2d& out, int& segment);
