#include "core/extend_edge_list.h"

#include <utility>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"

namespace {

// The crossings of one edge go in last first.
int AppendReversed(const FcPoint2d (&found)[2], int count, FcPoint2dArray& points) {
  for (int i = count - 1; i >= 0; --i) points.Add(found[i]);
  return count;
}

}  // namespace

void FcExtendEdgeList::Add(std::unique_ptr<FcExtendEdge> edge) {
  if (edge) edges_.push_back(std::move(edge));
}

void FcExtendEdgeList::Clear() {
  edges_.clear();
  edges_.shrink_to_fit();
}

bool FcExtendEdgeList::NearestArcExtension(const FcPoint2d& centre, double radius, double fixedAngle,
                                           double movingAngle, bool counterClockwise, bool extendEdges,
                                           FcPoint2d& out) const {
  double fixed = fixedAngle;
  double moving = movingAngle;
  OrderTravelAngles(fixed, moving, counterClockwise);
  bool found = false;
  double best = 0.0;
  for (const auto& edge : edges_) {
    FcPoint2d hit;
    if (edge->FindArcExtensionHit(centre, radius, fixedAngle, movingAngle, counterClockwise, extendEdges, hit) == 0) {
      continue;
    }
    double a = NormalAngleAbout(centre, hit);
    if (counterClockwise) {
      while (a <= moving) a += kTwoPi;
    } else {
      while (a >= moving) a -= kTwoPi;
    }
    if (found && (counterClockwise ? a >= best : a <= best)) continue;
    found = true;
    best = a;
    out = hit;
  }
  return found;
}

bool FcExtendEdgeList::NearestLineExtension(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges,
                                            FcPoint2d& out) const {
  bool found = false;
  double nearest = 0.0;
  for (const auto& edge : edges_) {
    FcPoint2d hit;
    if (edge->FindLineExtensionHit(far, moving, extendEdges, hit) == 0) continue;
    const double distance = DistanceBetween(hit, moving);
    if (found && distance >= nearest) continue;
    found = true;
    nearest = distance;
    out = hit;
  }
  return found;
}

int FcExtendEdgeList::ArcCrossings(const FcPoint2d& centre, double radius, double start, double end,
                                   bool extendEdges, FcPoint2dArray& points) const {
  points.RemoveAll();
  for (const auto& edge : edges_) {
    FcPoint2d found[2];
    AppendReversed(found, edge->CrossArc(centre, radius, start, end, extendEdges, found), points);
  }
  return points.count;
}

int FcExtendEdgeList::LineCrossings(const FcPoint2d& p1, const FcPoint2d& p2, ExtendLineKind kind,
                                    bool extendEdges, FcPoint2dArray& points) const {
  points.RemoveAll();
  for (const auto& edge : edges_) {
    FcPoint2d found[2];
    AppendReversed(found, edge->CrossLine(p1, p2, kind, extendEdges, found), points);
  }
  return points.count;
}

int FcExtendEdgeList::PolylineSegmentCrossings(const PolylineVertex& vertex, const PolylineVertex& next,
                                               bool extendEdges, FcPoint2dArray& points) const {
  const FcPoint2d v{vertex.x, vertex.y};
  const FcPoint2d n{next.x, next.y};
  if (vertex.bulge == 0.0) return LineCrossings(v, n, kExtendSegment, extendEdges, points);
  points.RemoveAll();
  FcPoint2d centre;
  double radius = 0.0;
  if (ArcFromChordBulge(v, vertex.bulge, n, centre, nullptr, &radius) == 0) return 0;
  const double atVertex = AngleFromTo(centre, v);
  double atNext = AngleFromTo(centre, n);
  if (vertex.bulge > 0.0) {
    while (atNext < atVertex) atNext += kTwoPi;
    return ArcCrossings(centre, radius, atVertex, atNext, extendEdges, points);
  }
  while (atNext > atVertex) atNext -= kTwoPi;
  return ArcCrossings(centre, radius, atNext, atVertex, extendEdges, points);
}
