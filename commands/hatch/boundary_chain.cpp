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
  // A segment between repeated vertices bounds nothing and would leave the
  // hatch an edge of zero length.
  const auto append = [&chain](const PolylineVertex& from, const PolylineVertex& to) {
    if (IsDifferentPoint(At(from), At(to))) chain->AppendFlattened(SegmentEdge(from, to));
  };
  for (std::size_t i = 0; i + 1 < vertices.size(); ++i) append(vertices[i], vertices[i + 1]);
  if (polyline.IsClosed()) append(vertices.back(), vertices.front());
  if (chain->GetEdges().empty()) return BoundaryPiece::kNothing;
  const bool closed = polyline.IsClosed() || IsSamePoint(At(vertices.front()), At(vertices.back()));
  piece = std::move(chain);
  return closed ? BoundaryPiece::kClosed : BoundaryPiece::kOpen;
}

// Whether next starts where first ends and runs on along the same line.
bool ContinuesAlong(const FcLineEdge& first, const FcLineEdge& next) {
  if (!IsSamePoint(first.GetEnd(), next.GetStart())) return false;
  const double dot = (first.GetEnd().x - first.GetStart().x) * (next.GetEnd().x - next.GetStart().x) +
                     (first.GetEnd().y - first.GetStart().y) * (next.GetEnd().y - next.GetStart().y);
  return dot > 0.0 && PointLineDistance(next.GetEnd(), first.GetStart(), first.GetEnd()) <= kTolerance;
}

}  // namespace

void JoinCollinearLineEdges(FcOtherEdge& loop) {
  std::vector<std::unique_ptr<FcHatchEdge>> kept;
  for (const auto& edge : loop.GetEdges()) {
    const auto* line = dynamic_cast<const FcLineEdge*>(edge.get());
    const auto* last = kept.empty() ? nullptr : dynamic_cast<const FcLineEdge*>(kept.back().get());
    if (line != nullptr && last != nullptr && ContinuesAlong(*last, *line)) {
      kept.back() = std::make_unique<FcLineEdge>(last->GetStart(), line->GetEnd());
      continue;
    }
    kept.push_back(edge->Clone());
  }
  if (kept.size() > 2) {
    const auto* first = dynamic_cast<const FcLineEdge*>(kept.front().get());
    const auto* last = dynamic_cast<const FcLineEdge*>(kept.back().get());
    if (first != nullptr && last != nullptr && ContinuesAlong(*last, *first)) {
      kept.front() = std::make_unique<FcLineEdge>(last->GetStart(), first->GetEnd());
      kept.pop_back();
    }
  }
  loop.RemoveAll();
  for (auto& edge : kept) loop.AppendFlattened(std::move(edge));
}

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

void ChainBoundaryLoops(FcEntitySets& entities, const FcEntitySets& found, FcHatchEdgeList& loops) {
  std::vector<FcEntity*> left(entities.begin(), entities.end());
  entities.RemoveAll(false);
  while (!left.empty()) {
    FcEntity* entity = left.front();
    left.erase(left.begin());
    std::unique_ptr<FcHatchEdge> piece;
    FcPoint2d chainStart;
    FcPoint2d chainEnd;
    if (!GetOpenCurveEnds(*entity, chainStart, chainEnd)) {
      if (EntityToHatchEdge(*entity, piece) != BoundaryPiece::kClosed) continue;
      auto* loop = dynamic_cast<FcOtherEdge*>(piece.get());
      if (loop != nullptr && found.Contains(entity)) JoinCollinearLineEdges(*loop);
      loops.Append(std::move(piece));
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
