#include "core/areas.h"

#include <limits>
#include <vector>

#include "core/ellipses.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_in_polygon.h"
#include "core/point_ops.h"

namespace {

// Cuts the piece at its first crossing of two edges that do not share a
// point. The edge closing on point 0 is not paired with edge 0.
bool SplitAtFirstCrossing(const std::vector<FcPoint2d>& p, std::vector<FcPoint2d>& one,
                          std::vector<FcPoint2d>& two) {
  int n = static_cast<int>(p.size());
  if (n <= 3) return false;
  for (int i = 0; i <= n - 3; ++i) {
    int lastJ = i == 0 ? n - 2 : n - 1;
    for (int j = i + 2; j <= lastJ; ++j) {
      const FcPoint2d& jEnd = p[(j + 1) % n];
      FcPoint2d x;
      if (!IntersectLines(kBothSegments, p[j], jEnd, p[i], p[i + 1], x)) continue;
      one.assign(p.begin(), p.begin() + i + 1);
      if (!IsSamePoint(x, jEnd)) one.push_back(x);
      one.insert(one.end(), p.begin() + j + 1, p.end());
      two.assign(p.begin() + i + 1, p.begin() + j + 1);
      if (!IsSamePoint(x, p[i + 1])) two.push_back(x);
      return true;
    }
  }
  return false;
}

}  // namespace

double PolygonArea(std::span<const FcPoint2d> points) { return ShoelaceArea(points); }

double SelfCrossingPolygonArea(std::span<const FcPoint2d> points) {
  if (points.size() < 3) return 0.0;
  LoopList<FcPoint2d> loops;
  SplitPolygonAtCrossings(points, loops);
  return SumOfLoopAreas(loops, PolygonArea);
}

void SplitPolygonAtCrossings(std::span<const FcPoint2d> points, LoopList<FcPoint2d>& loops) {
  // Every piece is smaller than its parent, so the splitting ends by itself.
  SplitIntoLoops(points, loops, std::numeric_limits<long long>::max(), SplitAtFirstCrossing);
}

double EllipseArcArea(double a, double b, double start, double end) {
  // The whole turn is taken as such: its two parameters would coincide and
  // give an empty sector.
  if (end - start >= kTwoPi - 1e-7) return kTwoPi * a * b * 0.5;
  double t1 = EllipseAngleToParameter(a, b, start);
  double t2 = EllipseAngleToParameter(a, b, end);
  RaiseAngleTo(t2, t1);
  double sector = std::fabs(t2 - t1) * a * b * 0.5;
  FcPoint2d triangle[3];
  FcPoint2d major{a, 0.0};
  if (!EllipsePointAtAngle(triangle[1], major, triangle[0], b / a, start) ||
      !EllipsePointAtAngle(triangle[2], major, triangle[0], b / a, end)) {
    return sector;
  }
  double T = PolygonArea(triangle);
  return end - start < kPi ? sector - T : sector + T;
}

bool PolygonHasInsideTriangleCentroid(std::span<const FcPoint2d> points) {
  std::size_t n = points.size();
  if (n <= 2) return true;
  int where = -1;
  for (std::size_t i = 0; i + 2 < n; ++i) {
    FcPoint2d centroid{(points[i].x + points[i + 1].x + points[i + 2].x) * 0.3333333333333333,
                       (points[i].y + points[i + 1].y + points[i + 2].y) * 0.3333333333333333};
    where = PointInPolygon(centroid, points);
    if (where == 1 || where == 2) break;
  }
  return where != 2;
}
