#pragma once

#include "core/corner_fillets.h"
#include "core/point2d.h"

class FcPolyline;

// The segments of a polyline as the corner commands see them: segment i
// runs from vertex i to the next one (vertex 0 after the last of a closed
// polyline).

int PolylineSegmentCount(const FcPolyline& polyline);
FcPoint2d PolylineVertexPoint(const FcPolyline& polyline, int index);
FcPoint2d SegmentStartPoint(const FcPolyline& polyline, int segment);
FcPoint2d SegmentEndPoint(const FcPolyline& polyline, int segment);
bool IsArcSegment(const FcPolyline& polyline, int segment);
// The segment whose chord passes nearest to p: what a pick on a fitted
// polyline's curve means, whose drawn parts are not its segments.
int NearestSegment(const FcPolyline& polyline, const FcPoint2d& p);
void MoveVertex(FcPolyline& polyline, int index, const FcPoint2d& to);

// Two segments of one polyline with one corner between them: first is the
// one that comes first along the polyline, the closing segment counting as
// coming before segment 0.
struct SegmentPair {
  enum class Kind {
    kConsecutive,    // second follows first
    kAcrossClosure,  // the closing segment, then segment 0
    kSeparated,      // one segment between them, which the corner piece replaces
  };
  int first = 0;
  int second = 0;
  Kind kind = Kind::kConsecutive;
};

// The pair for two different segments; false when they are neither
// consecutive nor separated by one segment.
bool OrderSegmentPair(const FcPolyline& polyline, int i, int j, SegmentPair& pair);

// Cuts the corner of the pair: the polyline ends the first segment at p1
// and starts the second at p2, the piece between them a segment of the
// bulge. Across the closure the new last vertex is a copy of vertex 0, or
// of the last vertex when copyLast says so. Coinciding points add no
// segment of zero length.
void CutPolylineCorner(FcPolyline& polyline, const SegmentPair& pair, const FcPoint2d& p1, const FcPoint2d& p2,
                       double bulge, bool copyLast);

// The picked end segment of an open, unfitted polyline that a line can
// meet, as a straight edge with the pick, from the segment's inner vertex
// (p1) to the polyline's end vertex (p2, index endVertex). False when the
// polyline is closed or fitted, or the segment is an arc or lies inside. A
// polyline of a single segment ends at the vertex nearer to where its line
// meets the other edge's line.
bool PolylineEndEdge(const FcPolyline& polyline, int segment, const FcPoint2d& pick, const StraightCornerEdge& other,
                     StraightCornerEdge& edge, int& endVertex);

// Whether t lies behind the edge's first point, away from its second.
bool LiesBehindStart(const StraightCornerEdge& edge, const FcPoint2d& t);
