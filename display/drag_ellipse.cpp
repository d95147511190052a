#include "display/drag_ellipse.h"

#include <cmath>
#include <vector>

#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/polyline_vertex.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"

namespace {

// The angle on the circle of radius sqrt(a b) whose scaled image lies in
// the direction `angle` from the centre, both measured from the major axis.
double CircleAngleOf(double angle, double a, double b) {
  return std::atan2(a * std::sin(angle), b * std::cos(angle));
}

}  // namespace

FcDragEllipse FcDragEllipse::OtherAxis(const FcPoint2d& centre, const FcPoint2d& majorAxis) {
  FcDragEllipse band;
  band.centre = centre;
  band.SetAxis(majorAxis);
  return band;
}

FcDragEllipse FcDragEllipse::Arc(Kind kind, const FcPoint2d& centre, const FcPoint2d& majorAxis, double ratio,
                                 double startAngle) {
  FcDragEllipse band = OtherAxis(centre, majorAxis);
  band.kind = kind;
  band.ratio = ratio;
  band.startAngle = startAngle;
  return band;
}

void FcDragEllipse::SetAxis(const FcPoint2d& axis) {
  axisVector = axis;
  axisAngle = std::atan2(axis.y, axis.x);
  NormalizeAngle(axisAngle);
  majorRadius = std::hypot(axis.x, axis.y);
}

int FcDragEllipse::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  if (surface == nullptr) return 0;
  const double a = majorRadius;
  const double b = kind == kOtherAxis ? DistanceBetween(centre, cursor) : ratio * a;
  // The circle is stretched by sqrt(a / b): a vanishing axis would stretch
  // it without bound.
  if (!(a > 0.0) || !(b > 0.0) || !std::isfinite(a * b)) return 0;
  const double radius = std::sqrt(a * b);
  const double chord = ChordHeight(*surface, radius);
  std::vector<PolylineVertex> circle;
  if (kind == kEndAngle || kind == kIncludedAngle) {
    const double cursorAngle = AngleFromTo(centre, cursor);
    const double endAngle = kind == kEndAngle ? cursorAngle - axisAngle : cursorAngle + startAngle;
    double start = CircleAngleOf(startAngle, a, b);
    double end = CircleAngleOf(endAngle, a, b);
    NormalizeAngle(start);
    NormalizeAngle(end);
    if (end <= start) end += kTwoPi;
    circle = TessellateArc(*surface, {}, radius, chord, start, end, 0.0, 0.0);
  } else {
    circle = TessellateCircle(*surface, radius, chord, {});
  }
  const double alongMajor = std::sqrt(a / b);
  const double alongMinor = std::sqrt(b / a);
  const double c = std::cos(axisAngle);
  const double s = std::sin(axisAngle);
  std::vector<FcPoint2d> points;
  points.reserve(circle.size());
  for (const PolylineVertex& v : circle) {
    const double x = v.x * alongMajor;
    const double y = v.y * alongMinor;
    points.push_back({centre.x + x * c - y * s, centre.y + x * s + y * c});
  }
  DrawPolylineDirect(surface, points.data(), static_cast<int>(points.size()));
  return kDragDrawn;
}
