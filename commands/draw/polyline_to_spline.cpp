#include "commands/draw/polyline_to_spline.h"

#include <vector>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "entities/polyline.h"
#include "entities/spline.h"

namespace {

FcPoint2d VertexPoint(const FcPolyline& polyline, int index) {
  const PolylineVertex* vertex = polyline.GetVertex(index);
  return {vertex->x, vertex->y};
}

// A closed frame starts and ends at the fit curve's point of its second
// vertex, q, so that the curve comes back to itself smoothly: A and B are
// where the tangent there, parallel to V0-V2, meets the two edges at V1.
std::vector<FcPoint2d> ClosedControlPoints(const FcPolyline& polyline) {
  const int n = polyline.GetVertexCount();
  const FcPoint2d v0 = VertexPoint(polyline, 0);
  const FcPoint2d v1 = VertexPoint(polyline, 1);
  const FcPoint2d v2 = VertexPoint(polyline, 2);
  FcPoint2d q;
  polyline.GetSplineFitPoint(q);
  const FcPoint2d d{v2.x - v0.x, v2.y - v0.y};
  const FcPoint2d alongD{q.x + d.x, q.y + d.y};
  FcPoint2d a{q.x + d.x / 6.0, q.y + d.y / 6.0};
  FcPoint2d b{q.x - d.x / 6.0, q.y - d.y / 6.0};
  if (Orientation3(v0, v1, v2) != 0) {
    IntersectLines(kInfiniteLines, q, alongD, v1, v2, a);
    IntersectLines(kInfiniteLines, q, alongD, v0, v1, b);
  }
  std::vector<FcPoint2d> control{q, a};
  for (int i = 2; i < n; ++i) control.push_back(VertexPoint(polyline, i));
  control.insert(control.end(), {v0, b, q});
  return control;
}

}  // namespace

std::unique_ptr<FcSPline> PolylineToSpline(const FcPolyline& polyline) {
  const int n = polyline.GetVertexCount();
  if (n <= 2) return nullptr;
  std::vector<FcPoint2d> control;
  if (polyline.IsClosed()) {
    control = ClosedControlPoints(polyline);
  } else {
    for (int i = 0; i < n; ++i) control.push_back(VertexPoint(polyline, i));
    // A cubic needs four control points: the middle one of three counts
    // twice.
    if (n == 3) control.insert(control.begin() + 1, control[1]);
  }
  auto spline = std::make_unique<FcSPline>();
  for (const FcPoint2d& point : control) spline->AppendControlPoint(point);
  spline->MakeUniformKnots();
  if (polyline.IsClosed()) spline->SetClosedPeriodic();
  return spline;
}
