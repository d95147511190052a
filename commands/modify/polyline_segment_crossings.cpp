#include "commands/modify/polyline_segment_crossings.h"

#include <algorithm>
#include <cmath>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"

namespace {

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }

// The centre of a bulged segment's arc; false for a straight segment or
// one whose arc cannot be formed.
bool SegmentCentre(const PolylineVertex& v, const FcPoint2d& w, FcPoint2d& centre) {
  if (v.bulge == 0.0) return false;
  double radius = 0.0;
  return ArcFromChordBulge(VertexPoint(v), v.bulge, w, centre, nullptr, &radius) != 0;
}

// The angle of p about the centre, brought past v's angle in the bulge's
// direction: above it for a positive bulge, below for a negative one.
double AngleFromVertex(const FcPoint2d& centre, double vertexAngle, double bulge, const FcPoint2d& p) {
  double a = NormalAngleAbout(centre, p);
  if (bulge > 0.0) {
    while (a <= vertexAngle) a += kTwoPi;
  } else {
    while (a >= vertexAngle) a -= kTwoPi;
  }
  return a;
}

// The crossing with the best angle from v: first met (wantFirst) or last
// met going along the arc.
bool ArcCrossingFromStart(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2dArray& crossings,
                          bool wantFirst, FcPoint2d& out) {
  FcPoint2d centre;
  if (!SegmentCentre(v, w, centre)) return false;
  const double av = NormalAngleAbout(centre, VertexPoint(v));
  // Along a positive bulge angles grow; along a negative one they fall.
  const bool smallestWins = (v.bulge > 0.0) == wantFirst;
  bool found = false;
  double best = 0.0;
  for (int i = 0; i < crossings.count; ++i) {
    const double a = AngleFromVertex(centre, av, v.bulge, crossings[i]);
    if (found && (smallestWins ? a >= best : a <= best)) continue;
    found = true;
    best = a;
    out = crossings[i];
  }
  return found;
}

bool NearestTo(const FcPoint2d& target, const FcPoint2dArray& crossings, FcPoint2d& out) {
  bool found = false;
  double nearest = 0.0;
  for (int i = 0; i < crossings.count; ++i) {
    const double distance = DistanceBetween(crossings[i], target);
    if (found && distance >= nearest) continue;
    found = true;
    nearest = distance;
    out = crossings[i];
  }
  return found;
}

}  // namespace

CrossingSides ClassifySegmentCrossings(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2d& pick,
                                       const FcPoint2dArray& crossings) {
  const FcPoint2d pv = VertexPoint(v);
  if (v.bulge == 0.0) {
    const FcPoint2d towardsV{pv.x - w.x, pv.y - w.y};
    return NearestCrossingsBySide(crossings, pick, [&](const FcPoint2d& x) {
      return Dot(towardsV, {x.x - pick.x, x.y - pick.y}) >= 0.0;
    });
  }
  CrossingSides sides;
  FcPoint2d centre;
  if (!SegmentCentre(v, w, centre)) return sides;
  const double av = NormalAngleAbout(centre, pv);
  const bool positive = v.bulge > 0.0;
  const double ap = AngleFromVertex(centre, av, v.bulge, pick);
  double bestA = 0.0;
  double bestB = 0.0;
  for (int i = 0; i < crossings.count; ++i) {
    const double a = AngleFromVertex(centre, av, v.bulge, crossings[i]);
    const bool onVSide = positive ? a <= ap : a >= ap;
    if (onVSide) {
      // The crossing nearest the pick: the largest angle behind it going
      // counter-clockwise, the smallest going clockwise.
      if (sides.hasA && (positive ? a <= bestA : a >= bestA)) continue;
      sides.hasA = true;
      sides.a = crossings[i];
      bestA = a;
    } else {
      if (sides.hasB && (positive ? a >= bestB : a <= bestB)) continue;
      sides.hasB = true;
      sides.b = crossings[i];
      bestB = a;
    }
  }
  return sides;
}

bool CrossingNearestSegmentStart(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2dArray& crossings,
                                 FcPoint2d& out) {
  if (v.bulge == 0.0) return NearestTo(VertexPoint(v), crossings, out);
  return ArcCrossingFromStart(v, w, crossings, true, out);
}

bool CrossingNearestSegmentEnd(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2dArray& crossings,
                               FcPoint2d& out) {
  if (v.bulge == 0.0) return NearestTo(w, crossings, out);
  return ArcCrossingFromStart(v, w, crossings, false, out);
}

double SegmentFraction(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2d& x) {
  const FcPoint2d pv = VertexPoint(v);
  FcPoint2d centre;
  if (SegmentCentre(v, w, centre)) {
    const double av = NormalAngleAbout(centre, pv);
    const double whole = std::fabs(AngleFromVertex(centre, av, v.bulge, w) - av);
    const double part = std::fabs(AngleFromVertex(centre, av, v.bulge, x) - av);
    if (whole > 0.0) return part / whole;
  }
  const double whole = DistanceBetween(pv, w);
  return whole > 0.0 ? DistanceBetween(pv, x) / whole : 0.0;
}

bool IsTapered(const PolylineVertex& v) { return std::fabs(v.startWidth - v.endWidth) > kTolerance; }

double WidthAlong(double from, double to, double part) { return std::max(0.0, from + (to - from) * part); }
