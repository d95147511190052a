#include "display/clipping.h"

#include "core/geometry_basics.h"
#include "core/intersections.h"

// Segments and lines against the window, and the device forms of every
// clipper. The rings themselves are clipped in clipping_polygons.cpp.

namespace {

// The 3 x 3 regions around the window, numbered like a keypad seen with y
// up: 1 2 3 below, 4 5 6 level (5 is the window), 7 8 9 above.
int Region(double x, double y, const FcClipWindow& w) {
  const int column = x < w.xmin ? 0 : (x > w.xmax ? 2 : 1);
  const int row = y < w.ymin ? 0 : (y > w.ymax ? 2 : 1);
  return row * 3 + column + 1;
}

bool IsEdgeRegion(int r) { return r == 2 || r == 4 || r == 6 || r == 8; }
bool IsCornerRegion(int r) { return r == 1 || r == 3 || r == 7 || r == 9; }

// Both crossings are taken from the end that stays put, with the slope of
// the whole segment, so that either orientation gives the same point.
double YAtX(const FcPoint2d& from, const FcPoint2d& to, double x) {
  return from.y + (x - from.x) * (to.y - from.y) / (to.x - from.x);
}
double XAtY(const FcPoint2d& from, const FcPoint2d& to, double y) {
  return from.x + (y - from.y) * (to.x - from.x) / (to.y - from.y);
}

// Moves `end` (in edge region r) onto the side next to that region.
void MoveOntoEdge(const FcPoint2d& other, const FcPoint2d& end, int r, const FcClipWindow& w, FcPoint2d& out,
                  int& code) {
  switch (r) {
    case 4:
      out = {w.xmin, YAtX(other, end, w.xmin)};
      code = kClipLeft;
      return;
    case 6:
      out = {w.xmax, YAtX(other, end, w.xmax)};
      code = kClipRight;
      return;
    case 2:
      out = {XAtY(other, end, w.ymin), w.ymin};
      code = kClipBottom;
      return;
    default:
      out = {XAtY(other, end, w.ymax), w.ymax};
      code = kClipTop;
      return;
  }
}

// Moves `end` (in corner region r) onto the vertical side of its corner when
// the segment crosses it within the window's height, else onto the
// horizontal side.
void MoveFromCorner(const FcPoint2d& other, const FcPoint2d& end, int r, const FcClipWindow& w, FcPoint2d& out,
                    int& code) {
  const bool left = r == 1 || r == 7;
  const double x = left ? w.xmin : w.xmax;
  const double y = YAtX(other, end, x);
  if (y >= w.ymin && y <= w.ymax) {
    out = {x, y};
    code = left ? kClipLeft : kClipRight;
    return;
  }
  const bool below = r == 1 || r == 3;
  const double side = below ? w.ymin : w.ymax;
  out = {XAtY(other, end, side), side};
  code = below ? kClipBottom : kClipTop;
}

// The corner regions that lie beyond the window seen from an edge region.
bool IsFarCorner(int edge, int corner) {
  switch (edge) {
    case 4:
      return corner == 3 || corner == 9;
    case 6:
      return corner == 1 || corner == 7;
    case 2:
      return corner == 7 || corner == 9;
    default:
      return corner == 1 || corner == 3;
  }
}

// Whether the crossing of the edge region's side lies at or beyond the
// window corner that borders the far corner region.
bool PastCorner(int edge, int corner, const FcPoint2d& crossing, const FcClipWindow& w) {
  if (edge == 4 || edge == 6) {
    return (corner == 1 || corner == 3) ? crossing.y <= w.ymin : crossing.y >= w.ymax;
  }
  return (corner == 1 || corner == 7) ? crossing.x <= w.xmin : crossing.x >= w.xmax;
}

enum class PairResult { kNotThisOrder, kHidden, kVisible };

// One case of the region pair with `a` in the role the case names first;
// kNotThisOrder when the pair only matches the other way round.
PairResult ClipOrderedPair(const FcPoint2d& a, int ra, const FcPoint2d& b, int rb, const FcClipWindow& w,
                           FcPoint2d& outA, int& codeA, FcPoint2d& outB, int& codeB) {
  if (ra == 5 && IsEdgeRegion(rb)) {
    MoveOntoEdge(a, b, rb, w, outB, codeB);
    return PairResult::kVisible;
  }
  if ((ra == 4 && rb == 6) || (ra == 2 && rb == 8)) {
    MoveOntoEdge(b, a, ra, w, outA, codeA);
    MoveOntoEdge(a, b, rb, w, outB, codeB);
    return PairResult::kVisible;
  }
  if (ra == 5 && IsCornerRegion(rb)) {
    MoveFromCorner(a, b, rb, w, outB, codeB);
    return PairResult::kVisible;
  }
  if ((ra == 4 || ra == 6) && (rb == 2 || rb == 8)) {
    FcPoint2d crossing;
    MoveOntoEdge(b, a, ra, w, crossing, codeA);
    if (rb == 2 ? crossing.y <= w.ymin : crossing.y >= w.ymax) return PairResult::kHidden;
    outA = crossing;
    MoveOntoEdge(a, b, rb, w, outB, codeB);
    return PairResult::kVisible;
  }
  if (IsEdgeRegion(ra) && IsFarCorner(ra, rb)) {
    FcPoint2d crossing;
    MoveOntoEdge(b, a, ra, w, crossing, codeA);
    if (PastCorner(ra, rb, crossing, w)) return PairResult::kHidden;
    outA = crossing;
    MoveFromCorner(a, b, rb, w, outB, codeB);
    return PairResult::kVisible;
  }
  if ((ra == 1 && rb == 9) || (ra == 3 && rb == 7)) {
    // The line must pass between the two corners that lie off its path;
    // through one of them counts as between.
    const FcPoint2d k1 = ra == 1 ? FcPoint2d{w.xmin, w.ymax} : FcPoint2d{w.xmin, w.ymin};
    const FcPoint2d k2 = ra == 1 ? FcPoint2d{w.xmax, w.ymin} : FcPoint2d{w.xmax, w.ymax};
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double c1 = dx * (k1.y - a.y) - dy * (k1.x - a.x);
    const double c2 = dx * (k2.y - a.y) - dy * (k2.x - a.x);
    if ((c1 > 0.0 && c2 > 0.0) || (c1 < 0.0 && c2 < 0.0)) return PairResult::kHidden;
    MoveFromCorner(b, a, ra, w, outA, codeA);
    MoveFromCorner(a, b, rb, w, outB, codeB);
    return PairResult::kVisible;
  }
  return PairResult::kNotThisOrder;
}

// The visible piece of the line through p and q (a ray from p when `ray`):
// the first two crossings with the sides, taken left, bottom, right, top.
bool ClipLineToWindow(const FcPoint2d& p, const FcPoint2d& q, bool ray, const FcClipWindow& w, FcPoint2d& end1,
                      FcPoint2d& end2) {
  int found = 0;
  const auto take = [&](const FcPoint2d& point) {
    // A line through a corner meets two sides there: one end, not two.
    if (found == 1 && IsSamePoint(point, end1)) return;
    (found == 0 ? end1 : end2) = point;
    ++found;
  };
  if (ray && Region(p.x, p.y, w) == 5) take(p);
  const FcPoint2d corners[4] = {{w.xmin, w.ymin}, {w.xmax, w.ymin}, {w.xmax, w.ymax}, {w.xmin, w.ymax}};
  const FcPoint2d sides[4][2] = {{corners[0], corners[3]},
                                 {corners[0], corners[1]},
                                 {corners[1], corners[2]},
                                 {corners[3], corners[2]}};
  for (const auto& side : sides) {
    if (found == 2) break;
    FcPoint2d crossing;
    const bool hit = ray ? IntersectRaySegment(p, q, side[0], side[1], crossing)
                         : IntersectLines(1, p, q, side[0], side[1], crossing);
    if (hit) take(crossing);
  }
  return found == 2;
}

FcDevicePoint ToDevice(const FcViewTransform& view, const FcPoint2d& p) {
  FcDevicePoint d;
  view.WorldToDevice(p.x, p.y, &d.x, &d.y);
  return d;
}

void ToDevice(const FcViewTransform& view, const std::vector<FcPoint2d>& points, std::vector<FcDevicePoint>& out) {
  out.clear();
  out.reserve(points.size());
  for (const FcPoint2d& p : points) out.push_back(ToDevice(view, p));
}

}  // namespace

bool ClipSegmentByEdges(double& x1, double& y1, double& x2, double& y2, int& code1, int& code2, double xmin,
                        double ymin, double xmax, double ymax) {
  code1 = kClipUnmoved;
  code2 = kClipUnmoved;
  // The x test looks at end 1 strictly outside, the y test at end 2: a
  // segment lying on a window line from outside survives as a single point
  // in one direction only.
  if ((x1 < xmin && x2 <= xmin) || (x1 > xmax && x2 >= xmax)) return false;
  if ((y2 < ymin && y1 <= ymin) || (y2 > ymax && y1 >= ymax)) return false;
  const FcClipWindow w{xmin, ymin, xmax, ymax};
  const FcPoint2d p1{x1, y1};
  const FcPoint2d p2{x2, y2};
  const int r1 = Region(x1, y1, w);
  const int r2 = Region(x2, y2, w);
  if (r1 == 5 && r2 == 5) return true;
  FcPoint2d out1 = p1;
  FcPoint2d out2 = p2;
  PairResult result = ClipOrderedPair(p1, r1, p2, r2, w, out1, code1, out2, code2);
  if (result == PairResult::kNotThisOrder) result = ClipOrderedPair(p2, r2, p1, r1, w, out2, code2, out1, code1);
  if (result != PairResult::kVisible) {
    code1 = kClipUnmoved;
    code2 = kClipUnmoved;
    return false;
  }
  x1 = out1.x;
  y1 = out1.y;
  x2 = out2.x;
  y2 = out2.y;
  return true;
}

bool ClipSegmentToWindow(const FcPoint2d& end1, const FcPoint2d& end2, FcPoint2d& out1, FcPoint2d& out2,
                         const FcViewTransform& view, int (&codes)[2]) {
  out1 = end1;
  out2 = end2;
  return ClipSegmentByEdges(out1.x, out1.y, out2.x, out2.y, codes[0], codes[1], view.x0, view.y0, view.x1, view.y1);
}

bool FcViewTransform::ClipSegmentToDevice(int (&codes)[2], const FcPoint2d& end1, const FcPoint2d& end2,
                                          FcDevicePoint& device1, FcDevicePoint& device2) const {
  FcPoint2d p1;
  FcPoint2d p2;
  if (!ClipSegmentToWindow(end1, end2, p1, p2, *this, codes)) return false;
  device1 = ToDevice(*this, p1);
  device2 = ToDevice(*this, p2);
  return true;
}

bool FcViewTransform::ClipInfiniteLine(const FcPoint2d& p, const FcPoint2d& q, FcPoint2d& end1,
                                       FcPoint2d& end2) const {
  return ClipLineToWindow(p, q, false, Window(), end1, end2);
}

bool FcViewTransform::ClipRay(const FcPoint2d& p, const FcPoint2d& q, FcPoint2d& end1, FcPoint2d& end2) const {
  return ClipLineToWindow(p, q, true, Window(), end1, end2);
}

bool FcViewTransform::ClipPolygonToDevice(std::span<const FcPoint2d> points, std::vector<FcDevicePoint>& out) const {
  std::vector<FcPoint2d> world;
  if (!ClipPolygonToWindow(Window(), points, world)) return false;
  ToDevice(*this, world, out);
  return true;
}

bool FcViewTransform::ClipConvexPolygonToDevice(std::span<const FcPoint2d> points,
                                                std::vector<FcDevicePoint>& out) const {
  std::vector<FcPoint2d> world;
  if (!ClipConvexPolygonToWindow(Window(), points, world)) return false;
  ToDevice(*this, world, out);
  return true;
}

bool FcViewTransform::ClipPolyPolygonToDevice(std::span<const FcPoint2d> points,
                                              std::span<const std::int32_t> ringCounts,
                                              std::vector<FcDevicePoint>& out,
                                              std::vector<std::int32_t>& outCounts) const {
  std::vector<FcPoint2d> world;
  if (!ClipPolyPolygonToWindow(Window(), points, ringCounts, world, outCounts)) return false;
  ToDevice(*this, world, out);
  return true;
}
