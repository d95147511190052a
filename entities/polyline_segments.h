#pragma once

#include <cstddef>

#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "entities/polyline.h"

// Segment access of a polyline's own vertices (not its fit): segment i runs
// from vertex i to the next one, and from the last vertex back to the first
// in a closed polyline.

// n - 1 segments for an open polyline of n vertices, n for a closed one,
// none below two vertices.
inline int PolylineSegmentCount(const FcPolyline& polyline) {
  const int n = polyline.GetVertexCount();
  if (n < 2) return 0;
  return polyline.IsClosed() ? n : n - 1;
}

// The segment's start and end vertex; the caller keeps i below the count.
inline const PolylineVertex& SegmentStart(const FcPolyline& polyline, int i) {
  return polyline.GetVertices()[static_cast<std::size_t>(i)];
}
inline const PolylineVertex& SegmentEndVertex(const FcPolyline& polyline, int i) {
  const int next = i + 1 < polyline.GetVertexCount() ? i + 1 : 0;
  return polyline.GetVertices()[static_cast<std::size_t>(next)];
}
