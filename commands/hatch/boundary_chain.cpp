#include "commands/hatch/boundary_chain.h"

#include <cmath>
#include <vector>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/entity_sets.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/hatch_loops.h"
#include "entities/line.h"
#include "entities/polyline.h"

namespace {

FcPoint2d At(const PolylineVertex& v) { return {v.x, v.y}; }

std::unique_ptr<FcHatchEdge> SegmentEdge(const PolylineVertex& from, const PolylineVertex& to) {
  FcPoint2d centre;
  double radius = 0.0;
  if (from.bulge == 0.0 || ArcFromChordBulge(At(from), from.bulge, At(to), centre, nullptr, &radius) == 0) {
    return std::make_unique<FcLineEdge>(At(from), At(to));
  }
  const double start = NormalAngleAbout(centre, At(from));
  const double end = NormalAngleAbout(centre, At(to));
  if (from.bulge > 0.0) return std::make_unique<FcArcEdge>(centre, radius, start, end, true);
  return std::make_unique<FcArcEdge>(centre, radius, kTwoPi - start, kTwoPi - end, false);
}

BoundaryPiece PolylinePiece(const FcPolyline& polyline, std::unique_ptr<FcHatchEdge>& piece) {
  const std::vector<PolylineVertex>& vertices = polyline.GetVertices();
  if (polyline.IsFitted() || vertices.size() < 2) return BoundaryPiece::kNothing;
  auto chain = std::make_unique<FcOtherEdge>();
  for (std::size_t i = 0; i + 1 < vertices.size(); ++i) chain->AppendFlattened(SegmentEdge(vertices[i], vertices[i + 1]));
  if (polyline.IsClosed()) chain->AppendFlattened(SegmentEdge(vertices.back(), vertices.front()));
  const bool closed = polyline.IsClosed() || IsSamePoint(At(vertices.front()), At(vertices.back()));
  piece = std::move(chain);
  return closed ? BoundaryPiece::kClosed : BoundaryPiece::kOpen;
}

}  // namespace

BoundaryPiece EntityToHatchEdge(const FcEntity& entity, std::unique_ptr<FcHatchEdge>& piece) {
  if (const auto* line = dynamic_cast<const FcLine*>(&entity)) {
    piece = std::make_unique<FcLineEdge>(line->GetStartPoint(), line->GetEndPoint());
    return BoundaryPiece::kOpen;
  }
  if (const auto* arc = dynamic_cast<const FcArc*>(&entity)) {
    piece = std::make_unique<FcArcEdge>(arc->GetCenter(), arc->GetRadius(), arc->GetStartAngle(), arc->GetEndAngle(), true);
    return BoundaryPiece::kOpen;
  }
  if (const auto* circle = dynamic_cast<const FcCircle*>(&entity)) {
    auto loop = std::make_unique<FcOtherEdge>();
    loop->AppendFlattened(std::make_unique<FcArcEdge>(circle->GetCenter(), circle->GetRadius(), 0.0, kTwoPi, true));
    piece = std::move(loop);
    return BoundaryPiece::kClosed;
  }
  if (const auto* ellipse = dynamic_cast<const FcEllipse*>(&entity)) {
    const bool full = ellipse->IsFull();
    auto edge = std::make_unique<FcEllipseEdge>(ellipse->GetCenter(), ellipse->GetMajorAxis(), ellipse->GetRadiusRatio(),
                                                full ? 0.0 : ellipse->GetStartAngle(),
                                                full ? kTwoPi : ellipse->GetEndAngle(), true);
    if (!full) {
      piece = std::move(edge);
      return BoundaryPiece::kOpen;
    }
    auto loop = std::make_unique<FcOtherEdge>();
    loop->AppendFlattened(std::move(edge));
    piece = std::move(loop);
    return BoundaryPiece::kClosed;
  }
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity)) return PolylinePiece(*polyline, piece);
  return BoundaryPiece::kNothing;
}

bool GetOpenCurveEnds(const FcEntity& entity, FcPoint2d& start, FcPoint2d& end) {
  if (const auto* line = dynamic_cast<const FcLine*>(&entity)) {
    start = line->GetStartPoint();
    end = line->GetEndPoint();
    return true;
  }
  if (const auto* arc = dynamic_cast<const FcArc*>(&entity)) {
    start = arc->GetStartPoint();
    end = arc->GetEndPoint();
    return true;
  }
  if (const auto* ellipse = dynamic_cast<const FcEllipse*>(&entity)) {
    if (ellipse->IsFull()) return false;
    start = ellipse->GetPointAtAngle(ellipse->GetStartAngle());
    end = ellipse->GetPointAtAngle(ellipse->GetEndAngle());
    return true;
  }
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity)) {
    const std::vector<PolylineVertex>& vertices = polyline->GetVertices();
    if (polyline->IsClosed() || polyline->IsFitted() || vertices.size() < 2) return false;
    if (!IsDifferentPoint(At(vertices.front()), At(vertices.back()))) return false;
    start = At(vertices.front());
    end = At(vertices.back());
    return true;
  }
  return false;
}

void ChainBoundaryLoops(FcEntitySets& entities, FcHatchEdgeList& loops) {
  std::vector<FcEntity*> left(entities.begin(), entities.end());
  entities.RemoveAll(false);
  while (!left.empty()) {
    FcEntity* entity = left.front();
    left.erase(left.begin());
    std::unique_ptr<FcHatchEdge> piece;
    FcPoint2d chainStart;
    FcPoint2d chainEnd;
    if (!GetOpenCurveEnds(*entity, chainStart, chainEnd)) {
      if (EntityToHatchEdge(*entity, piece) == BoundaryPiece::kClosed) loops.Append(std::move(piece));
      continue;
    }
    auto chain = std::make_unique<FcOtherEdge>();
    if (EntityToHatchEdge(*entity, piece) != BoundaryPiece::kNothing) chain->AppendFlattened(std::move(piece));
    for (bool matched = true; matched;) {
      matched = false;
      for (int i = static_cast<int>(left.size()) - 1; i >= 0; --i) {
        FcPoint2d start;
        FcPoint2d end;
        FcEntity* other = left[static_cast<std::size_t>(i)];
        if (!GetOpenCurveEnds(*other, start, end) || EntityToHatchEdge(*other, piece) == BoundaryPiece::kNothing) continue;
        if (IsSamePoint(start, chainStart)) {
          piece->Reverse();
          chain->PrependFlattened(std::move(piece));
          chainStart = end;
        } else if (IsSamePoint(end, chainStart)) {
          chain->PrependFlattened(std::move(piece));
          chainStart = start;
        } else if (IsSamePoint(start, chainEnd)) {
          chain->AppendFlattened(std::move(piece));
          chainEnd = end;
        } else if (IsSamePoint(end, chainEnd)) {
          piece->Reverse();
          chain->AppendFlattened(std::move(piece));
          chainEnd = start;
        } else {
          continue;
        }
        left.erase(left.begin() + i);
        matched = true;
      }
    }
    if (!chain->GetEdges().empty()) loops.Append(std::move(chain));
  }
}
