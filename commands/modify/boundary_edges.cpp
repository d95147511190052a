#include "commands/modify/boundary_edges.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "core/arcs.h"
#include "core/extend_edge_list.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/entity.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/text.h"
#include "entities/xline.h"

namespace {

void AddStraight(FcExtendEdgeList& list, const FcPoint2d& p1, const FcPoint2d& p2, ExtendLineKind kind) {
  list.Add(std::unique_ptr<FcExtendEdge>(new (std::nothrow) FcExtendLineEdge(p1, p2, kind)));
}

void AddCircular(FcExtendEdgeList& list, const FcPoint2d& centre, double radius, double start, double end,
                 bool fullCircle) {
  list.Add(std::unique_ptr<FcExtendEdge>(new (std::nothrow) FcExtendArcEdge(centre, radius, start, end, fullCircle)));
}

void AddUnbounded(FcExtendEdgeList& list, const FcUnboundedLine& line, ExtendLineKind kind) {
  const FcPoint2d& base = line.GetBasePoint();
  const FcPoint2d& d = line.GetDirection();
  AddStraight(list, base, {base.x + d.x, base.y + d.y}, kind);
}

template <typename Corners>
void AddFrame(FcExtendEdgeList& list, const Corners& corners) {
  for (std::size_t i = 0; i < 4; ++i) AddStraight(list, corners[i], corners[(i + 1) % 4], kExtendSegment);
}

void AddPolylineSegment(FcExtendEdgeList& list, const PolylineVertex& v, const PolylineVertex& w) {
  if (v.bulge == 0.0) {
    AddStraight(list, VertexPoint(v), VertexPoint(w), kExtendSegment);
    return;
  }
  FcPoint2d centre;
  double radius = 0.0;
  if (ArcFromChordBulge(VertexPoint(v), v.bulge, VertexPoint(w), centre, nullptr, &radius) == 0) return;
  double start = AngleFromTo(centre, VertexPoint(v));
  double end = AngleFromTo(centre, VertexPoint(w));
  if (v.bulge < 0.0) std::swap(start, end);
  AddCircular(list, centre, radius, start, end, false);
}

void AddPolyline(FcExtendEdgeList& list, const FcPolyline& polyline) {
  if (polyline.IsFitted() && !polyline.GetFitVertices().empty()) {
    const std::vector<PolylineVertex>& fit = polyline.GetFitVertices();
    for (std::size_t i = 0; i + 1 < fit.size(); ++i) {
      AddStraight(list, VertexPoint(fit[i]), VertexPoint(fit[i + 1]), kExtendSegment);
    }
    if (polyline.IsClosed() && fit.size() > 1 && IsDifferentPoint(VertexPoint(fit.back()), VertexPoint(fit.front()))) {
      AddStraight(list, VertexPoint(fit.back()), VertexPoint(fit.front()), kExtendSegment);
    }
    return;
  }
  const std::vector<PolylineVertex>& vertices = polyline.GetVertices();
  for (std::size_t i = 0; i + 1 < vertices.size(); ++i) AddPolylineSegment(list, vertices[i], vertices[i + 1]);
  if (polyline.IsClosed() && vertices.size() > 1) AddPolylineSegment(list, vertices.back(), vertices.front());
}

void AddMText(FcExtendEdgeList& list, FcMText& text) {
  GeomSegmentList sides;
  text.GetBoundarySegments(FcMatrix2d(), sides);
  for (const auto& side : sides) {
    if (side && side->type == kGeomSegmentLine) AddStraight(list, side->first, side->second, kExtendSegment);
  }
}

}  // namespace

bool BuildExtendEdgeList(FcEntity& entity, FcExtendEdgeList& list) {
  switch (entity.GetKind()) {
    case kEntityLine: {
      const auto& line = static_cast<const FcLine&>(entity);
      AddStraight(list, line.GetStartPoint(), line.GetEndPoint(), kExtendSegment);
      return true;
    }
    case kEntityCircle: {
      const auto& circle = static_cast<const FcCircle&>(entity);
      AddCircular(list, circle.GetCenter(), circle.GetRadius(), 0.0, kTwoPi, true);
      return true;
    }
    case kEntityArc: {
      const auto& arc = static_cast<const FcArc&>(entity);
      AddCircular(list, arc.GetCenter(), arc.GetRadius(), arc.GetStartAngle(), arc.GetEndAngle(), false);
      return true;
    }
    case kEntityText:
      AddFrame(list, static_cast<const FcText&>(entity).GetBox());
      return true;
    case kEntityRay:
      AddUnbounded(list, static_cast<const FcRay&>(entity), kExtendRay);
      return true;
    case kEntityXLine:
      AddUnbounded(list, static_cast<const FcXLine&>(entity), kExtendInfinite);
      return true;
    case kEntityMText:
      AddMText(list, static_cast<FcMText&>(entity));
      return true;
    case kEntityPolyline:
      AddPolyline(list, static_cast<const FcPolyline&>(entity));
      return true;
    default:
      return false;
  }
}
