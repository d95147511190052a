#pragma once

#include "core/data_array.h"
#include "core/point2d.h"
#include "core/polyline_vertex.h"

class FcLineType;

// One dash of the dash applier's output: the vertices it passes, or one
// vertex for a dot. A vertex holds the interpolated value in startWidth,
// the value at the next vertex of the chain in endWidth (its own value for
// the last vertex) and the tag in index; a dot's endWidth is its direction
// in radians.
struct VertexChain {
  static constexpr int kGrowBy = 32;

  VertexChain() { vertices.growBy = kGrowBy; }

  // Appends a vertex with both widths set to value and index set to tag;
  // false when the array cannot grow.
  bool Append(const FcPoint2d& point, int tag, double value);

  CDataArray<PolylineVertex> vertices;
  // Not owned by the node: the list's owner frees every node.
  VertexChain* next = nullptr;
};

// Frees every node of an output list.
void FreeVertexChains(VertexChain* head);

// Turns a point chain into the dashes, gaps and dots of the linetype.
// pathLength is the sum of the segment lengths, scale multiplies the
// pattern, and in fit mode the pattern is stretched so that whole patterns
// cover the path. The values go from startValue at the first point to
// endValue at the last. The callers give a linetype with at least two
// elements and a pattern length above 0. With fewer than two points
// nothing changes; otherwise head receives a new list that the caller
// frees with FreeVertexChains.
void ApplyLinetypeToPolyline(const FcPoint2d* points, int count, bool fit, double startValue, double endValue,
                             double pathLength, double scale, int tag, VertexChain*& head,
                             const FcLineType& linetype);
// The same over polyline vertices, of which x and y are read; the end of the
// path becomes a copy of the last vertex.
void ApplyLinetypeToPolyline2(const PolylineVertex* points, int count, bool fit, double startValue,
                              double endValue, double pathLength, double scale, int tag, VertexChain*& head,
                              const FcLineType& linetype);
