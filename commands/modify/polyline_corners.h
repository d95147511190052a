#pragma once

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

// The picked segment as the end of an open, unfitted polyline that a line
// can meet: endVertex is the polyline's end vertex and innerVertex the
// segment's other one. False when the polyline is closed or fitted, the
// segment is an arc or lies inside the polyline. A polyline of a single
// segment ends at the vertex nearer to where its line meets the other
// edge's line (other1-other2).
bool PolylineEndSegment(const FcPolyline& polyline, int segment, const FcPoint2d& other1, const FcPoint2d& other2,
                        int& endVertex, int& innerVertex);
