#include "commands/draw/revcloud_geometry.h"

#include <cmath>

#include "core/areas.h"
#include "core/arcs.h"
#include "core/ellipses.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "entities/polyline.h"

namespace {

// Shrinking one target towards the base ends long before this; the bound
// only guards against values that are not numbers.
constexpr int kMaxShrinkSteps = 4000;

// Appends the points of the arc about centre from the angle from, stepping
// by t (negative: clockwise) while the angle stays more than |t| / 3 short
// of the angle to. False, appending nothing, when they would be too many.
bool WalkArc(const FcPoint2d& centre, double radius, double from, double to, double t,
             std::vector<FcPoint2d>& points) {
  const double span = std::fabs(to - from);
  const double stride = std::fabs(t);
  if (!(stride > 0.0) || !std::isfinite(span)) return false;
  const double steps = span / stride + 1.0;
  if (!(steps < static_cast<double>(kMaxRevCloudPathPoints - points.size()))) return false;
  const double limit = to - t / 3.0;
  for (int i = 0;; ++i) {
    const double angle = from + i * t;
    if (t > 0.0 ? !(angle < limit) : !(angle > limit)) break;
    points.push_back(PointAtPolar(centre, radius, angle));
  }
  return true;
}

// The length of the arc with the cloud's bulge from a to b.
double ArcLength(const FcPoint2d& a, const FcPoint2d& b, double bulge) { return BulgeSegmentLength(a, b, bulge); }

}  // namespace

bool ArcPointsByStep(double radius, double startAngle, double endAngle, double step,
                     std::vector<FcPoint2d>& points, const FcPoint2d& centre) {
  if (!WalkArc(centre, radius, startAngle, endAngle, step / radius, points)) return false;
  points.push_back(PointAtPolar(centre, radius, endAngle));
  return true;
}

bool EllipsePointsByStep(double rotation, double a, double b, double startAngle, double endAngle, double step,
                         const FcPoint2d& centre, std::vector<FcPoint2d>& points) {
  if (!(a > 0.0) || !(b > 0.0)) return false;
  double start = EllipseAngleToParameter(a, b, startAngle);
  double end = EllipseAngleToParameter(a, b, endAngle);
  NormalizeAngle(start);
  NormalizeAngle(end);
  while (end <= start) end += kTwoPi;
  std::vector<FcPoint2d> circle;
  if (!ArcPointsByStep(std::sqrt(a * b), start, end, step, circle, {0.0, 0.0})) return false;
  if (circle.size() > kMaxRevCloudPathPoints - points.size()) return false;
  const double stretch = std::sqrt(a / b);
  const double c = std::cos(rotation);
  const double s = std::sin(rotation);
  for (const FcPoint2d& p : circle) {
    const double x = p.x * stretch;
    const double y = p.y / stretch;
    points.push_back({centre.x + x * c - y * s, centre.y + x * s + y * c});
  }
  return true;
}

bool PlineToRevCloud(const FcPolyline& polyline, std::vector<FcPoint2d>& points, double step) {
  const int count = polyline.GetVertexCount();
  if (count == 0) return true;
  points.push_back(VertexPoint(*polyline.GetVertex(0)));
  const int segments = polyline.IsClosed() ? count : count - 1;
  for (int i = 0; i < segments; ++i) {
    const PolylineVertex& from = *polyline.GetVertex(i);
    const FcPoint2d start = VertexPoint(from);
    const FcPoint2d end = VertexPoint(*polyline.GetVertex((i + 1) % count));
    FcPoint2d centre;
    double radius = 0.0;
    if (from.bulge == 0.0 || ArcFromChordBulge(start, from.bulge, end, centre, nullptr, &radius) == 0) {
      points.push_back(end);
      continue;
    }
    double startAngle = AngleFromTo(centre, start);
    double endAngle = AngleFromTo(centre, end);
    if (from.bulge > 0.0) {
      while (endAngle < startAngle) endAngle += kTwoPi;
      if (!ArcPointsByStep(radius, startAngle, endAngle, step, points, centre)) return false;
      continue;
    }
    while (startAngle < endAngle) startAngle += kTwoPi;
    if (!WalkArc(centre, radius, startAngle, endAngle, -step / radius, points)) return false;
    points.push_back(end);
  }
  return points.size() <= kMaxRevCloudPathPoints;
}

bool RevCloudFitsLimit(std::span<const FcPoint2d> points, double maxLength) {
  if (points.size() > kMaxRevCloudPathPoints || !(maxLength > 0.0)) return false;
  double length = 0.0;
  for (std::size_t i = 1; i < points.size(); ++i) length += DistanceBetween(points[i - 1], points[i]);
  // Every split arc covers well over half the maximum of the path.
  return length / (0.5 * maxLength) + static_cast<double>(points.size()) <
         static_cast<double>(kMaxRevCloudPathPoints);
}

std::unique_ptr<FcPolyline> PointsToRevCloud(std::span<const FcPoint2d> points, bool closed, double minLength,
                                             double maxLength, double width) {
  if (points.size() <= 1) return nullptr;
  const double bulge = PolygonHasInsideTriangleCentroid(points) ? kRevCloudBulge : -kRevCloudBulge;
  auto cloud = std::make_unique<FcPolyline>();
  FcPoint2d last = points.front();
  auto append = [&](const FcPoint2d& point) {
    cloud->AppendVertex(point, 0.0, width, bulge);
    last = point;
  };
  append(points.front());
  FcPoint2d base = points.front();
  for (std::size_t k = 1; k < points.size(); ++k) {
    const FcPoint2d& next = points[k];
    const double length = ArcLength(last, next, bulge);
    if (length > minLength && length <= maxLength) {
      append(next);
    } else if (length > maxLength) {
      FcPoint2d target = next;
      int shrinks = 0;
      while (shrinks < kMaxShrinkSteps && ArcLength(last, next, bulge) > maxLength) {
        const FcPoint2d q = base + 0.9 * (target - base);
        if (ArcLength(last, q, bulge) > maxLength) {
          target = q;
          ++shrinks;
          continue;
        }
        append(q);
        base = q;
        target = next;
        shrinks = 0;
      }
      if (ArcLength(last, next, bulge) >= 0.9 * minLength) append(next);
    }
    base = next;
  }
  const int count = cloud->GetVertexCount();
  if (closed) {
    if (count > 1 && IsSamePoint(VertexPoint(*cloud->GetVertex(count - 1)), points.front()))
      cloud->RemoveVertex(count - 1);
    cloud->SetClosed(true);
  } else if (!IsSamePoint(last, points.back())) {
    append(points.back());
  }
  if (cloud->GetVertexCount() < 2) return nullptr;
  return cloud;
}
