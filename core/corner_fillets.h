#pragma once

#include "core/point2d.h"

// The corner between two picked edges that meet, or would meet when
// extended, and the tangent arc that rounds it. Plain computation on world
// coordinates; the commands that fillet and chamfer build on it.

// How far a straight edge reaches, which decides what end point it accepts.
enum class CornerEdgeKind : short {
  kSegment = 0,   // p1 start, p2 end
  kRay = 1,       // p1 base, p2 base plus the unit direction
  kInfinite = 2,  // p1 base, p2 base plus the unit direction
};

// A straight edge with the point at which the user picked it. A successful
// construction replaces the pick with the tangent point on the edge, which
// is where the callers trim the edge to.
struct StraightCornerEdge {
  FcPoint2d p1;
  FcPoint2d p2;
  CornerEdgeKind kind = CornerEdgeKind::kSegment;
  FcPoint2d pick;
};

// A circle, or an arc by its angles, with its pick; the constructions that
// touch it replace the pick with the tangent point.
struct CircularCornerEdge {
  FcPoint2d centre;
  double radius = 0.0;
  FcPoint2d pick;
};

// The fillet arc, counter-clockwise from start to end angle (radians).
struct FilletArcPlace {
  FcPoint2d centre;
  double startAngle = 0.0;
  double endAngle = 0.0;
};

// Whether t is an acceptable new end point of the edge p1-p2 of the kind,
// with the corner and the pick: a construction line takes any point; a ray
// takes a point on itself, or, when the corner lies behind its base, one on
// the base's side of the corner; a segment takes a point on the picked side
// of the corner strictly before its farther end there, so that a segment too
// short for the radius or distance is refused.
bool CheckCornerPoint(CornerEdgeKind kind, const FcPoint2d& t, const FcPoint2d& p1, const FcPoint2d& p2,
                      const FcPoint2d& corner, const FcPoint2d& pick);

// The fillet of radius r between two straight edges, on the side of each
// edge where the other edge's pick lies; the arc faces the corner. False for
// parallel edges and when a tangent point falls where its edge cannot reach.
bool FilletLineLine(StraightCornerEdge& first, StraightCornerEdge& second, double radius, FcPoint2d& corner,
                    FilletArcPlace& arc);

// The fillet of radius r between a straight edge and a circle: outside the
// circle when the line's pick lies outside or on it, inside otherwise, and
// on the half of the line where its pick lies. startsAtLine tells whether
// the arc starts at the line's tangent point. The edge's kind and the arc's
// range are not consulted.
bool FilletLineArc(StraightCornerEdge& line, CircularCornerEdge& circle, double radius, FilletArcPlace& arc,
                   bool& startsAtLine);

// The fillet of radius r touching both circles from outside, on the side of
// the line between the centres where the first pick lies. firstToSecond
// tells whether the arc runs from the first circle to the second. The picks
// become the tangent points.
bool FilletArcArc(CircularCornerEdge& first, CircularCornerEdge& second, double radius, FilletArcPlace& arc,
                  bool& firstToSecond);
