#include "core/polyline_vertex.h"

void TransformPolylineVertex(const FcMatrix2d& m, PolylineVertex& v) {
  FcPoint2d p{v.x, v.y};
  TransformPoint(m, p);
  v.x = p.x;
  v.y = p.y;
  v.startWidth = TransformLength(m, v.startWidth);
  v.endWidth = TransformLength(m, v.endWidth);
}
