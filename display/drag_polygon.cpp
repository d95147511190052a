#include "display/drag_polygon.h"

#include <cmath>
#include <vector>

#include "core/point_ops.h"
#include "display/primitive_builders.h"

FcDragPolygon FcDragPolygon::AboutCentre(Kind kind, const FcPoint2d& centre, std::int32_t sides) {
  FcDragPolygon band;
  band.kind = kind;
  band.centre = centre;
  band.sides = sides;
  return band;
}

FcDragPolygon FcDragPolygon::OnEdge(const FcPoint2d& firstEdgePoint, std::int32_t sides) {
  FcDragPolygon band;
  band.kind = kEdge;
  band.firstEdgePoint = firstEdgePoint;
  band.sides = sides;
  return band;
}

int FcDragPolygon::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  if (sides < 3 || sides > kMostSides) return 0;
  const double n = sides;
  const double step = kTwoPi / n;
  FcPoint2d middle = centre;
  double radius = 0.0;
  double first = 0.0;
  switch (kind) {
    case kInscribed:
      radius = DistanceBetween(cursor, centre);
      first = AngleFromTo(centre, cursor);
      break;
    case kCircumscribed:
      radius = DistanceBetween(cursor, centre) / std::cos(kPi / n);
      first = AngleFromTo(centre, cursor) + kPi / n;
      break;
    case kEdge: {
      const double base = (kPi - step) / 2.0;
      radius = DistanceBetween(firstEdgePoint, cursor) / (2.0 * std::cos(base));
      middle = PointAtPolar(firstEdgePoint, radius, AngleFromTo(firstEdgePoint, cursor) + base);
      first = AngleFromTo(middle, firstEdgePoint);
      break;
    }
    default:
      return 0;
  }
  if (!(radius > 0.0)) return 0;
  std::vector<FcPoint2d> outline;
  outline.reserve(static_cast<std::size_t>(sides) + 1);
  for (int i = 0; i < sides; ++i) outline.push_back(PointAtPolar(middle, radius, first + i * step));
  outline.push_back(outline.front());
  DrawPolylineDirect(surface, outline.data(), static_cast<int>(outline.size()));
  return kDragDrawn;
}
