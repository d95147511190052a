#include "commands/draw/marker_positions.h"

#include <cmath>

#include "core/arcs.h"
#include "core/point_ops.h"
#include "core/polyline_vertex.h"
#include "database/entity.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/polyline.h"

namespace {

// Markers at offsets first, first + step, ... (count of them) along a line.
void AlongLine(const FcLine& line, double first, double step, long count, Markers& out) {
  const FcPoint2d& a = line.GetStartPoint();
  const FcPoint2d& b = line.GetEndPoint();
  const double direction = AngleFromTo(a, b);
  const double length = DistanceBetween(a, b);
  for (long i = 0; i < count; ++i) {
    const double offset = first + static_cast<double>(i) * step;
    const double t = length > 0.0 ? offset / length : 0.0;
    out.push_back({a + (b - a) * t, direction});
  }
}

// Markers at angles first, first + step, ... (count of them) on a circle,
// turned counter-clockwise.
void AlongCircle(const FcCircle& circle, double first, double step, long count, Markers& out) {
  for (long i = 0; i < count; ++i) {
    const double angle = first + static_cast<double>(i) * step;
    out.push_back({PointAtPolar(circle.GetCenter(), circle.GetRadius(), angle), angle + kHalfPi});
  }
}

// How many of step, 2 step, ... stay within limit (and its tolerance).
long StepsWithin(double limit, double step) {
  if (!(step > 0.0)) return 0;
  const double steps = std::floor((limit + kTolerance) / step);
  return steps < 0.0 ? 0 : static_cast<long>(steps);
}

// The vertices a polyline is followed along: its fit when it has one.
const std::vector<PolylineVertex>& PathOf(const FcPolyline& polyline) {
  return polyline.IsFitted() && !polyline.GetFitVertices().empty() ? polyline.GetFitVertices()
                                                                    : polyline.GetVertices();
}

// Calls visit(start, end) for each segment of the polyline's path.
template <typename Visit>
void ForEachSegment(const FcPolyline& polyline, Visit visit) {
  const std::vector<PolylineVertex>& path = PathOf(polyline);
  for (std::size_t i = 0; i + 1 < path.size(); ++i) visit(path[i], path[i + 1]);
  if (polyline.IsClosed() && path.size() > 1) visit(path.back(), path.front());
}

// Marks one segment from offset on, every spacing; offset leaves as the
// distance from the next segment's start at which the next marker falls,
// so the spacing runs on across the vertex.
void MarkPolylineSegment(const PolylineVertex& from, const PolylineVertex& to, double& offset, double spacing,
                         Markers& out) {
  const FcPoint2d start = VertexPoint(from);
  const FcPoint2d end = VertexPoint(to);
  if (from.bulge == 0.0) {
    const double length = DistanceBetween(start, end);
    const double direction = AngleFromTo(start, end);
    long placed = 0;
    for (double at = offset; at <= length + kTolerance; at = offset + static_cast<double>(++placed) * spacing) {
      const double t = length > 0.0 ? at / length : 0.0;
      out.push_back({start + (end - start) * t, direction});
    }
    offset += static_cast<double>(placed) * spacing - length;
    return;
  }
  FcPoint2d centre;
  double radius = 0.0;
  // No arc (its ends coincide): nothing to walk and no length.
  if (ArcFromChordBulge(start, from.bulge, end, centre, nullptr, &radius) == 0) return;
  const bool counterClockwise = from.bulge > 0.0;
  const double sense = counterClockwise ? 1.0 : -1.0;
  const double startAngle = AngleFromTo(centre, start);
  double endAngle = AngleFromTo(centre, end);
  if (counterClockwise) {
    while (endAngle <= startAngle) endAngle += kTwoPi;
  } else {
    while (endAngle >= startAngle) endAngle -= kTwoPi;
  }
  const double sweep = std::fabs(endAngle - startAngle);
  const double length = sweep * radius;
  long placed = 0;
  if (length + kTolerance >= offset) {
    for (double at = offset; at / radius <= sweep + kTolerance;
         at = offset + static_cast<double>(++placed) * spacing) {
      const double angle = startAngle + sense * at / radius;
      out.push_back({PointAtPolar(centre, radius, angle), angle + sense * kHalfPi});
    }
  }
  offset += static_cast<double>(placed) * spacing - length;
}

// Markers every spacing along the polyline from firstOffset. A marker on
// the polyline's end is dropped: it is the start again on a closed one, and
// the end is not a division point of an open one.
Markers AlongPolyline(const FcPolyline& polyline, double firstOffset, double spacing, bool dropEnd) {
  Markers out;
  if (!(spacing > 0.0)) return out;
  double offset = firstOffset;
  ForEachSegment(polyline, [&](const PolylineVertex& from, const PolylineVertex& to) {
    MarkPolylineSegment(from, to, offset, spacing, out);
  });
  const std::vector<PolylineVertex>& path = PathOf(polyline);
  if (dropEnd && !out.empty() && !path.empty()) {
    const FcPoint2d end = VertexPoint(polyline.IsClosed() ? path.front() : path.back());
    if (IsSamePoint(out.back().at, end)) out.pop_back();
  }
  return out;
}

}  // namespace

bool CanCarryMarkers(const FcEntity& entity) {
  switch (entity.GetKind()) {
    case kEntityLine:
    case kEntityCircle:
    case kEntityArc:
    case kEntityPolyline:
      return true;
    default:
      return false;
  }
}

double MarkedLength(const FcEntity& entity) {
  switch (entity.GetKind()) {
    case kEntityLine:
      return entity.GetLength();
    case kEntityCircle:
      return kTwoPi * static_cast<const FcCircle&>(entity).GetRadius();
    case kEntityArc:
      return entity.GetLength();
    case kEntityPolyline: {
      double length = 0.0;
      ForEachSegment(static_cast<const FcPolyline&>(entity), [&](const PolylineVertex& from, const PolylineVertex& to) {
        length += BulgeSegmentLength(VertexPoint(from), VertexPoint(to), from.bulge);
      });
      return length;
    }
    default:
      return 0.0;
  }
}

Markers DivideMarkers(const FcEntity& entity, int parts, double angleZero) {
  Markers out;
  if (parts < 1) return out;
  const double n = parts;
  switch (entity.GetKind()) {
    case kEntityLine:
      AlongLine(static_cast<const FcLine&>(entity), entity.GetLength() / n, entity.GetLength() / n, parts - 1, out);
      break;
    case kEntityCircle:
      AlongCircle(static_cast<const FcCircle&>(entity), angleZero, kTwoPi / n, parts, out);
      break;
    case kEntityArc: {
      const auto& arc = static_cast<const FcArc&>(entity);
      const double step = (arc.GetEndAngle() - arc.GetStartAngle()) / n;
      AlongCircle(arc, arc.GetStartAngle() + step, step, parts - 1, out);
      break;
    }
    case kEntityPolyline: {
      const auto& polyline = static_cast<const FcPolyline&>(entity);
      const double spacing = MarkedLength(polyline) / n;
      out = AlongPolyline(polyline, polyline.IsClosed() ? 0.0 : spacing, spacing, true);
      break;
    }
    default:
      break;
  }
  return out;
}

Markers MeasureMarkers(const FcEntity& entity, double spacing, double angleZero) {
  Markers out;
  if (!(spacing > 0.0)) return out;
  switch (entity.GetKind()) {
    case kEntityLine:
      AlongLine(static_cast<const FcLine&>(entity), spacing, spacing, StepsWithin(entity.GetLength(), spacing), out);
      break;
    case kEntityCircle: {
      const auto& circle = static_cast<const FcCircle&>(entity);
      const double step = spacing / circle.GetRadius();
      AlongCircle(circle, angleZero + step, step, StepsWithin(kTwoPi, step), out);
      break;
    }
    case kEntityArc: {
      const auto& arc = static_cast<const FcArc&>(entity);
      const double step = spacing / arc.GetRadius();
      AlongCircle(arc, arc.GetStartAngle() + step, step, StepsWithin(arc.GetEndAngle() - arc.GetStartAngle(), step),
                  out);
      break;
    }
    case kEntityPolyline: {
      const auto& polyline = static_cast<const FcPolyline&>(entity);
      // Only a closed polyline's end is dropped: it is its start again.
      out = AlongPolyline(polyline, polyline.IsClosed() ? 0.0 : spacing, spacing, polyline.IsClosed());
      break;
    }
    default:
      break;
  }
  return out;
}
