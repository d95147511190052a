#pragma once

#include <cstdint>

#include "core/matrix2d.h"

// A vertex of a polyline or of a point chain. The bulge belongs to the
// segment from this vertex to the next one.
struct PolylineVertex {
  double x = 0.0;
  double y = 0.0;
  std::uint64_t handle = 0;
  double startWidth = 0.0;
  double endWidth = 0.0;
  double bulge = 0.0;
  std::int32_t flags = 0;
  std::int32_t index = 0;
};

// Moves the point through m and scales both widths with it. The bulge is
// left alone: under a mirroring matrix the caller flips its sign.
void TransformPolylineVertex(const FcMatrix2d& m, PolylineVertex& v);

inline FcPoint2d VertexPoint(const PolylineVertex& v) { return {v.x, v.y}; }
