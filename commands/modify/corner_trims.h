#pragma once

#include "core/point2d.h"

class FcArc;
class FcEntSetsUndoItem;
class FcGraph;
class FcLine;
class FcRay;
class FcXLine;

// Cutting back or drawing out the edges of a corner to where the new arc or
// line begins. The corner is where the two edges' lines meet; t is the new
// end point on the edge.

// Moves one end of the line to t: with t at the corner the end nearer to
// it, else the end on the corner's side of t that lies nearer along the
// edge. The caller records the line first.
void TrimLineToPoint(FcLine& line, const FcPoint2d& t, const FcPoint2d& corner);

// A ray whose corner lies behind its base, or whose t lies beyond the
// corner, gets its base moved to t; otherwise it becomes a line from its
// base to t. Records what it changes and draws the result.
void TrimRayToPoint(const FcPoint2d& t, FcRay& ray, const FcPoint2d& corner, FcEntSetsUndoItem& item,
                    FcGraph& graph);

// The construction line becomes a ray from t pointing away from the corner
// (along its own direction when t is the corner). Records and draws.
void XLineToRayAtPoint(const FcPoint2d& t, FcXLine& xline, const FcPoint2d& corner, FcEntSetsUndoItem& item,
                       FcGraph& graph);

// Where a fillet arc leaves a straight edge for a circle or arc: t is the
// tangent point on the edge, away the direction along the edge that leads
// away from the arc (from the circle's tangent point projected on the
// edge towards t; at zero radius, from t towards where the user picked the
// edge, so that the picked part is kept).
struct TangentLeave {
  FcPoint2d t;
  FcPoint2d away;
  FcPoint2d filletCentre;
  FcPoint2d circleTangent;
};

// The straight edges beside a fillet that touches a circle: the end on the
// arc's side of t moves to t (the line is recorded by the caller); a ray
// keeps the part away from the arc, as a line when that part holds its
// base; a construction line becomes a ray from t pointing away from the
// arc.
void TrimLineBesideCircle(FcLine& line, const TangentLeave& leave);
void TrimRayBesideCircle(FcRay& ray, const TangentLeave& leave, FcEntSetsUndoItem& item, FcGraph& graph);
void XLineBesideCircleToRay(FcXLine& xline, const TangentLeave& leave, FcEntSetsUndoItem& item, FcGraph& graph);

// Ends an arc where a fillet touches it (the tangent point's angle about
// the arc's centre): the end at which the fillet starts or ends when the
// fillet lies outside the arc's circle, the other end when inside.
void ReplaceArcEndAngle(FcArc& arc, const FcPoint2d& tangent, bool filletStartsHere, bool filletOutside);

class FcEntity;
class FcPolyline;

// A line, ray or construction line of a corner cut back or drawn out to t
// as the three operations above do, recording each change.
void TrimStraightEdgeToPoint(FcEntity& edge, const FcPoint2d& t, const FcPoint2d& corner, FcEntSetsUndoItem& item,
                             FcGraph& graph);

// A line and the end vertex of a polyline that meet at a corner: the vertex
// moves to endPoint and the line is cut to t. Records both first.
void TrimLineAndPolylineEnd(FcLine& line, const FcPoint2d& t, const FcPoint2d& corner, FcPolyline& polyline,
                            int endVertex, const FcPoint2d& endPoint, FcEntSetsUndoItem& item, FcGraph& graph);
