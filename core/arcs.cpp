#include "core/arcs.h"

#include <cmath>
#include <utility>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"

namespace {

// Crossing of the perpendicular bisectors of first-middle and middle-last.
// False when two of the points coincide or the bisectors do not cross.
bool BisectorCentre(const FcPoint2d& first, const FcPoint2d& middle, const FcPoint2d& last,
                    FcPoint2d& centre) {
  if (IsSamePoint(first, middle) || IsSamePoint(middle, last) || IsSamePoint(first, last)) {
    return false;
  }
  FcPoint2d m1 = MidPoint(first, middle);
  FcPoint2d m1b{m1.x - (middle.y - first.y), m1.y + (middle.x - first.x)};
  FcPoint2d m2 = MidPoint(middle, last);
  FcPoint2d m2b{m2.x - (last.y - middle.y), m2.y + (last.x - middle.x)};
  return IntersectLines(kInfiniteLines, m2, m2b, m1, m1b, centre);
}

void Widen(FcPoint2d& minCorner, FcPoint2d& maxCorner, const FcPoint2d& p) {
  minCorner.x = std::fmin(minCorner.x, p.x);
  minCorner.y = std::fmin(minCorner.y, p.y);
  maxCorner.x = std::fmax(maxCorner.x, p.x);
  maxCorner.y = std::fmax(maxCorner.y, p.y);
}

}  // namespace

int ArcFromChordBulge(const FcPoint2d& start, double bulge, const FcPoint2d& end, FcPoint2d& centre,
                      FcPoint2d* mid, double* radius) {
  if (bulge == 0.0) return 0;
  double c = DistanceBetween(start, end) / 2.0;
  if (c <= 0.0) return 0;
  double h = std::fabs(bulge) * c;
  // The side of the chord on which the centre of an arc of less than half a
  // circle lies; for more than half a circle R - h turns negative.
  double alpha = AngleFromTo(start, end) + (bulge > 0.0 ? kHalfPi : -kHalfPi);
  double R = (h * h + c * c) / (2.0 * h);
  centre = PointAtPolar(MidPoint(start, end), R - h, alpha);
  SetIfWanted(radius, R);
  if (mid != nullptr) {
    double as = NormalAngleAbout(centre, start);
    double ae = NormalAngleAbout(centre, end);
    if (bulge > 0.0) {
      while (as > ae) as -= kTwoPi;
    } else {
      while (as < ae) as += kTwoPi;
    }
    *mid = PointAtPolar(centre, R, (as + ae) / 2.0);
  }
  return 1;
}

double BulgeSegmentLength(const FcPoint2d& start, const FcPoint2d& end, double bulge) {
  FcPoint2d centre;
  double R = 0.0;
  if (ArcFromChordBulge(start, bulge, end, centre, nullptr, &R) == 0) {
    return DistanceBetween(start, end);
  }
  double as = NormalAngleAbout(centre, start);
  double ae = NormalAngleAbout(centre, end);
  if (bulge > 0.0) {
    RaiseAngleTo(ae, as);
    return R * (ae - as);
  }
  RaiseAngleTo(as, ae);
  return R * (as - ae);
}

bool CircleThrough3Points(const FcPoint2d& first, const FcPoint2d& middle, const FcPoint2d& last,
                          FcPoint2d& centre, double* radius, double* bulge) {
  if (Orientation3(middle, first, last) == 0) return false;
  FcPoint2d c;
  if (!BisectorCentre(first, middle, last, c)) return false;
  centre = c;
  double R = DistanceBetween(c, first);
  SetIfWanted(radius, R);
  if (bulge == nullptr) return true;
  double chord = DistanceBetween(first, last);
  if (chord == 0.0) {
    *bulge = 0.0;
    return true;
  }
  double a1 = NormalAngleAbout(c, first);
  double am = NormalAngleAbout(c, middle);
  double a3 = NormalAngleAbout(c, last);
  RaiseAngleTo(am, a1);
  RaiseAngleTo(a3, a1);
  bool clockwise = a3 < am;
  if (clockwise) {
    NormalizeAngle(a3);
    RaiseAngleTo(a1, a3);
  }
  FcPoint2d arcMid = PointAtPolar(c, R, (a1 + a3) / 2.0);
  double sagitta = DistanceBetween(arcMid, MidPoint(first, last));
  double b = 2.0 * sagitta / chord;
  *bulge = clockwise ? -b : b;
  return true;
}

bool ArcThrough3Points(const FcPoint2d& first, const FcPoint2d& middle, const FcPoint2d& last,
                       FcPoint2d& centre, double& radius, double& startAngle, double& endAngle) {
  if (Orientation3(first, middle, last) == 0) return false;
  FcPoint2d c;
  if (!BisectorCentre(first, middle, last, c)) return false;
  centre = c;
  radius = DistanceBetween(c, first);
  double start = NormalAngleAbout(c, first);
  double end = NormalAngleAbout(c, last);
  double through = NormalAngleAbout(c, middle);
  RaiseAngleTo(through, start);
  RaiseAngleTo(end, start);
  if (through > end) std::swap(start, end);
  startAngle = start;
  endAngle = end;
  return true;
}

int ArcFromStartDirectionEnd(const FcPoint2d& start, double tangentAngle, const FcPoint2d& end,
                             FcPoint2d* centre, double* radius, double* bulge) {
  double c = DistanceBetween(start, end) / 2.0;
  if (c == 0.0) return 0;
  FcPoint2d tangentPoint = PointAtPolar(start, 100.0, tangentAngle);
  int rc = Orientation3(start, end, tangentPoint);
  if (rc == 0) return 0;
  // Direction from the start to the centre: to the right of the tangent
  // when the end lies to its left, and the other way round.
  double phi = rc == -1 ? tangentAngle - kHalfPi : tangentAngle + kHalfPi;
  double delta = phi - AngleFromTo(start, end);
  NormalizeAngle(delta);
  if (delta >= kPi) delta = kTwoPi - delta;
  if (delta == kHalfPi) return 0;
  double R = c / std::cos(delta);
  FcPoint2d ctr = PointAtPolar(start, R, phi);
  SetIfWanted(centre, ctr);
  SetIfWanted(radius, R);
  if (bulge != nullptr) {
    double e = std::sqrt(R * R - c * c);
    double f = (R + e) / c;
    double g = (R - e) / c;
    // The arc is the larger one when the centre lies on the tangent's side
    // of the chord.
    int r2 = Orientation3(start, end, ctr);
    if (rc == -1) {
      *bulge = r2 == -1 ? -f : -g;
    } else {
      *bulge = r2 == 1 ? f : g;
    }
  }
  return 1;
}

int ArcFromChordRadius(const FcPoint2d& start, const FcPoint2d& end, double radius,
                       FcPoint2d* centre, double* bulge) {
  double c = DistanceBetween(start, end) / 2.0;
  if (c > radius || c == 0.0) return 0;
  double alpha = AngleFromTo(start, end) + kHalfPi;
  FcPoint2d chordMid = MidPoint(start, end);
  if (c < radius) {
    double t = std::sqrt(radius * radius - c * c);
    SetIfWanted(centre, PointAtPolar(chordMid, t, alpha));
    SetIfWanted(bulge, (radius - t) / c);
  } else {
    SetIfWanted(centre, chordMid);
    SetIfWanted(bulge, 1.0);
  }
  return 1;
}

int ArcFromStartRadiusAngle(const FcPoint2d& start, double radius, double includedAngle,
                            double chordAngle, FcPoint2d* end, FcPoint2d* centre, double* bulge) {
  double f = radius * std::sin(includedAngle / 2.0);
  // A zero chord has no bulge: the division below would give NaN.
  if (f == 0.0) return 0;
  bool large = includedAngle > kPi;
  double o = std::sqrt(radius * radius - f * f);
  double toCentre = large ? chordAngle - kHalfPi : chordAngle + kHalfPi;
  SetIfWanted(end, PointAtPolar(start, 2.0 * f, chordAngle));
  SetIfWanted(centre, PointAtPolar(PointAtPolar(start, f, chordAngle), o, toCentre));
  SetIfWanted(bulge, large ? (radius + o) / f : (radius - o) / f);
  return 1;
}

int ArcFromChordAngle(const FcPoint2d& start, const FcPoint2d& end, double includedAngle,
                      FcPoint2d* centre, double* radius, double* bulge) {
  double m = DistanceBetween(start, end) / 2.0;
  if (m == 0.0) return 0;
  double gamma = AngleFromTo(start, end);
  double t = includedAngle == kPi ? 0.0 : std::fabs(m / std::tan(includedAngle / 2.0));
  // An included angle of 0 puts the centre at infinity.
  if (!std::isfinite(t)) return 0;
  bool large = includedAngle > kPi;
  FcPoint2d ctr = PointAtPolar(MidPoint(start, end), t, large ? gamma - kHalfPi : gamma + kHalfPi);
  double R = DistanceBetween(ctr, start);
  SetIfWanted(centre, ctr);
  SetIfWanted(radius, R);
  SetIfWanted(bulge, large ? (t + R) / m : (R - t) / m);
  return 1;
}

bool BulgeFromCenter(const FcPoint2d& start, const FcPoint2d& end, const FcPoint2d& centre,
                     int direction, double& bulge) {
  double chord = DistanceBetween(start, end);
  double R = DistanceBetween(centre, start);
  // Without a chord the arc would be a full circle, which no bulge describes.
  if (R <= 0.0 || chord == 0.0) return false;
  double as = NormalAngleAbout(centre, start);
  double ae = NormalAngleAbout(centre, end);
  if (direction > 0) {
    while (ae <= as) ae += kTwoPi;
  } else {
    while (ae >= as) ae -= kTwoPi;
  }
  FcPoint2d arcMid = PointAtPolar(centre, R, (as + ae) / 2.0);
  double b = 2.0 * PointLineDistance(arcMid, start, end) / chord;
  bulge = direction < 0 ? -b : b;
  return true;
}

int ArcFromStartCenterEnd(const FcPoint2d& start, const FcPoint2d& centre, FcPoint2d& end,
                          double* bulge, double* radius) {
  double R = DistanceBetween(centre, start);
  double reach = DistanceBetween(centre, end);
  if (R == 0.0 || reach == 0.0) return 0;
  FcPoint2d onCircle{centre.x + R * ((end.x - centre.x) / reach),
                     centre.y + R * ((end.y - centre.y) / reach)};
  double e = DistanceBetween(start, onCircle) / 2.0;
  if (e == 0.0) return 0;
  end = onCircle;
  double g = R <= e ? 0.0 : std::sqrt(R * R - e * e);
  SetIfWanted(radius, R);
  // +1: the end lies clockwise of the line start-centre, so the
  // counter-clockwise arc is the shorter one.
  SetIfWanted(bulge, Orientation3(start, centre, end) == 1 ? (R - g) / e : (R + g) / e);
  return 1;
}

void ArcBoundingBox(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                    FcPoint2d& minCorner, FcPoint2d& maxCorner) {
  minCorner = PointAtPolar(centre, radius, startAngle);
  maxCorner = minCorner;
  Widen(minCorner, maxCorner, PointAtPolar(centre, radius, endAngle));
  for (double axis = 0.0; axis <= 1.5 * kHalfPi + kPi; axis += kHalfPi) {
    double angle = axis;
    RaiseAngleTo(angle, startAngle);
    if (angle < endAngle) Widen(minCorner, maxCorner, PointAtPolar(centre, radius, angle));
  }
}

bool NearestArcPointOnRadialLine(const FcPoint2d& centre, double radius, double startAngle,
                                 double endAngle, const FcPoint2d& p, FcPoint2d& out) {
  double a = NormalAngleAbout(centre, p);
  RaiseAngleTo(a, startAngle);
  bool found = false;
  double nearest = 0.0;
  if (a <= endAngle) {
    out = PointAtPolar(centre, radius, a);
    nearest = DistanceBetween(p, out);
    found = true;
  }
  double b = a + kPi;
  NormalizeAngle(b);
  RaiseAngleTo(b, startAngle);
  if (b > endAngle) return found;
  FcPoint2d opposite = PointAtPolar(centre, radius, b);
  if (!found || DistanceBetween(p, opposite) < nearest) out = opposite;
  return true;
}
