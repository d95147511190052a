#pragma once

#include "core/point2d.h"
#include "core/polyline_vertex.h"

// Which part of a bulged segment is kept when it is cut at a point.
enum class ArcPart {
  kVertexToCut,  // from the vertex to the cut
  kCutToNext,    // from the cut to the next vertex
};

// Gives the vertex the bulge of the part of its arc (to next) that the cut
// point X on the arc's circle leaves: the part keeps the circle and the
// direction of the old arc, including a part of more than half a circle.
// A part whose chord is below the tolerance becomes straight (bulge 0). The
// vertex's point is not moved; the caller moves it to X when it keeps the
// part from the cut. Nothing for a straight segment or coincident ends.
void SetPartialArcBulge(PolylineVertex& vertex, const FcPoint2d& next, const FcPoint2d& cut, ArcPart part);
