#include "core/intersections.h"

#include <cmath>
#include <initializer_list>

#include "core/ellipses.h"
#include "core/geometry_basics.h"
#include "core/matrix2d.h"

namespace {

// Upper end of a segment's parameter window.
constexpr double kWindowEnd = 1.0000001;

bool InSegmentWindow(double t) { return t >= kNegTolerance && t <= kWindowEnd; }
bool InRayWindow(double t) { return t >= kNegTolerance; }

double Distance(const FcPoint2d& p, const FcPoint2d& q) { return std::hypot(p.x - q.x, p.y - q.y); }

double AngleAbout(const FcPoint2d& centre, const FcPoint2d& p) {
  return std::atan2(p.y - centre.y, p.x - centre.x);
}

FcPoint2d PointAtAngle(const FcPoint2d& centre, double radius, double angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

FcPoint2d PointAtParameter(const FcPoint2d& p, const FcPoint2d& q, double t) {
  return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
}

// The crossing of line A (a1, a2) with line B (b1, b2) in parameters: s
// along A (a1 at 0, a2 at 1) and t along B. The determinant is that of the
// two direction vectors, not normalised; s and t are set only when it is not
// zero.
struct LineCrossing {
  double det = 0.0;
  double s = 0.0;
  double t = 0.0;
};

LineCrossing CrossLines(const FcPoint2d& a1, const FcPoint2d& a2, const FcPoint2d& b1,
                        const FcPoint2d& b2) {
  LineCrossing c;
  c.det = (b2.x - b1.x) * (a1.y - a2.y) - (b2.y - b1.y) * (a1.x - a2.x);
  if (c.det == 0.0) return c;
  const double r = 1.0 / c.det;
  c.s = ((b2.x - b1.x) * (a1.y - b1.y) - (b2.y - b1.y) * (a1.x - b1.x)) * r;
  c.t = ((a1.y - a2.y) * (a1.x - b1.x) - (a1.x - a2.x) * (a1.y - b1.y)) * r;
  return c;
}

// A ray from r1 through r2 against a second line whose parameter window is
// given; out is written only on success.
bool IntersectRayWith(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& q1,
                      const FcPoint2d& q2, bool (*inSecondWindow)(double), FcPoint2d& out) {
  const LineCrossing c = CrossLines(r1, r2, q1, q2);
  if (c.det == 0.0) return false;
  if (!InRayWindow(c.s) || !inSecondWindow(c.t)) return false;
  out = PointAtParameter(r1, r2, c.s);
  return true;
}

bool AnyParameter(double) { return true; }

// Keeps, in order, the first `found` points that pass `keep`, moving them to
// the front; two kept points that coincide count once.
template <class Keep>
int KeepPoints(FcPoint2d (&out)[2], int found, Keep keep) {
  int kept = 0;
  for (int i = 0; i < found; ++i) {
    if (keep(out[i])) out[kept++] = out[i];
  }
  if (kept == 2 && IsSamePoint(out[1], out[0])) return 1;
  return kept;
}

int CountDistinct(const FcPoint2d (&out)[2]) { return IsSamePoint(out[1], out[0]) ? 1 : 2; }

// Two arcs that were found not to cross may still share an end point that
// rounding put just outside both; the arc-2 end is reported.
int SharedEndPoint(FcPoint2d (&out)[2], const FcPoint2d& centre1, double start1, double end1,
                   double radius1, const FcPoint2d& centre2, double start2, double end2,
                   double radius2) {
  const FcPoint2d e1s = PointAtAngle(centre1, radius1, start1);
  const FcPoint2d e1e = PointAtAngle(centre1, radius1, end1);
  const FcPoint2d e2s = PointAtAngle(centre2, radius2, start2);
  const FcPoint2d e2e = PointAtAngle(centre2, radius2, end2);
  const FcPoint2d* const pairs[4][2] = {{&e2s, &e1s}, {&e2e, &e1s}, {&e2s, &e1e}, {&e2e, &e1e}};
  for (const auto& pair : pairs) {
    if (IsSamePoint(*pair[0], *pair[1])) {
      out[0] = *pair[0];
      return 1;
    }
  }
  return 0;
}

}  // namespace

bool IntersectLines(short kind, const FcPoint2d& a1, const FcPoint2d& a2, const FcPoint2d& b1,
                    const FcPoint2d& b2, FcPoint2d& out) {
  const LineCrossing c = CrossLines(a1, a2, b1, b2);
  if (c.det > kNegTolerance && c.det < kTolerance) {
    if ((kind == 10 || kind == 11) && Orientation3(b1, a1, b2) == 0 && IsBetween(a2, a1, b2)) {
      out = b2;
      return true;
    }
    return false;
  }
  out = c.s > c.t ? PointAtParameter(a1, a2, c.s) : PointAtParameter(b1, b2, c.t);
  if (kind == 0) return true;
  if (kind == 1 || kind == 11) return InSegmentWindow(c.t);
  return InSegmentWindow(c.s) && InSegmentWindow(c.t);
}

bool IntersectRaySegment(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& s1,
                         const FcPoint2d& s2, FcPoint2d& out) {
  return IntersectRayWith(r1, r2, s1, s2, InSegmentWindow, out);
}

bool IntersectRays(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& q1,
                   const FcPoint2d& q2, FcPoint2d& out) {
  return IntersectRayWith(r1, r2, q1, q2, InRayWindow, out);
}

bool IntersectRayLine(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& l1,
                      const FcPoint2d& l2, FcPoint2d& out) {
  return IntersectRayWith(r1, r2, l1, l2, AnyParameter, out);
}

bool IsLineTangentToCircle(const FcPoint2d& l1, const FcPoint2d& l2, const FcPoint2d& centre,
                           double radius, FcPoint2d& foot) {
  // A point on the perpendicular through the centre: what the foot stays
  // when the line has no direction at all.
  foot = {centre.x - (l2.y - l1.y), centre.y + (l2.x - l1.x)};
  FootOfPerpendicular(l1, l2, centre, foot);
  return std::fabs(radius - Distance(centre, foot)) <= kTolerance;
}

int IntersectLineArc(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& centre, short kind,
                     double start, double end, double radius, FcPoint2d (&out)[2]) {
  const auto onArc = [&](const FcPoint2d& p) {
    return IsAngleOnArc(start, end, AngleAbout(centre, p));
  };
  if (IsSamePoint(p2, p1)) {
    if (Distance(p1, centre) != radius || !onArc(p1)) return 0;
    out[0] = p1;
    return 1;
  }
  FcPoint2d foot;
  if (IsLineTangentToCircle(p1, p2, centre, radius, foot)) {
    out[0] = out[1] = foot;
  } else {
    const FcPoint2d d{p2.x - p1.x, p2.y - p1.y};
    const FcPoint2d f{p1.x - centre.x, p1.y - centre.y};
    double plusRoot = 0.0;
    double minusRoot = 0.0;
    if (SolveQuadratic(d.x * d.x + d.y * d.y, 2.0 * (f.x * d.x + f.y * d.y),
                       f.x * f.x + f.y * f.y - radius * radius, plusRoot, minusRoot) == 0) {
      return 0;
    }
    out[0] = PointAtParameter(p1, p2, minusRoot);
    out[1] = PointAtParameter(p1, p2, plusRoot);
  }
  const auto onSegment = [&](const FcPoint2d& p) { return IsBetween(p2, p1, p); };
  const auto onRay = [&](const FcPoint2d& p) { return IsOnRaySide(p1, p2, p); };
  switch (kind) {
    case 1:
      return KeepPoints(out, 2, [&](const FcPoint2d& p) { return onArc(p) && onSegment(p); });
    case 2:
      return KeepPoints(out, 2, onArc);
    case 3:
      return KeepPoints(out, 2, [&](const FcPoint2d& p) { return onArc(p) && onRay(p); });
    case 4:
      return KeepPoints(out, 2, onRay);
    case 5:
      return KeepPoints(out, 2, onSegment);
    default:
      return CountDistinct(out);
  }
}

int IntersectArcs(const FcPoint2d& centre1, FcPoint2d (&out)[2], const FcPoint2d& centre2,
                  short kind, double start1, double end1, double radius1, double start2,
                  double end2, double radius2) {
  if (IsSamePoint(centre2, centre1)) {
    if ((kind != 3 && kind != 4) || std::fabs(radius1 - radius2) >= kTolerance) return 0;
    const double angle = kind == 3 ? end1 : start1;
    if (!IsEqual(angle, start2) && !IsEqual(angle, end2) && !IsAngleOnArc(start2, end2, angle)) {
      return 0;
    }
    out[0] = PointAtAngle(centre1, radius1, angle);
    return 1;
  }
  const double dist = Distance(centre1, centre2);
  const double sum = radius1 + radius2;
  if (dist > sum + kTolerance) return 0;
  const double gap = dist - std::fabs(radius1 - radius2);
  if (gap < kNegTolerance) return 0;
  const double alpha = AngleAbout(centre1, centre2);
  if (dist > sum - kTolerance || gap <= kTolerance) {
    out[0] = PointAtAngle(centre1, radius1, alpha);
    if (!IsEqual(Distance(out[0], centre2), radius2)) {
      out[0] = PointAtAngle(centre1, radius1, kPi + alpha);
    }
    out[1] = out[0];
  } else {
    const double d = (dist * dist + radius1 * radius1 - radius2 * radius2) / (2.0 * dist);
    // Rounding with very large radii can push the square slightly negative
    // where the circles are known to cross.
    const double h = std::sqrt(std::fmax(0.0, radius1 * radius1 - d * d));
    const FcPoint2d m = PointAtAngle(centre1, d, alpha);
    const double beta = alpha + kHalfPi;
    out[0] = PointAtAngle(m, h, beta);
    out[1] = PointAtAngle(m, -h, beta);
  }
  if (kind == 0) return CountDistinct(out);
  const auto onArc1 = [&](const FcPoint2d& p) {
    return IsAngleOnArc(start1, end1, AngleAbout(centre1, p));
  };
  const auto onArc2 = [&](const FcPoint2d& p) {
    return IsAngleOnArc(start2, end2, AngleAbout(centre2, p));
  };
  int kept = 0;
  if (kind == 1 || kind == 3 || kind == 4) {
    kept = KeepPoints(out, 2, [&](const FcPoint2d& p) { return onArc1(p) && onArc2(p); });
  } else if (kind == 2) {
    kept = KeepPoints(out, 2, onArc1);
  }
  if (kept > 0) return kept;
  return SharedEndPoint(out, centre1, start1, end1, radius1, centre2, start2, end2, radius2);
}

int IntersectLineAxisEllipse(const FcPoint2d& centre, double a, double b, FcPoint2d (&out)[2],
                             const FcPoint2d& p1, const FcPoint2d& p2) {
  if (IsSamePoint(p2, p1)) return 0;
  const FcPoint2d d{p2.x - p1.x, p2.y - p1.y};
  const FcPoint2d f{p1.x - centre.x, p1.y - centre.y};
  const double a2 = a * a;
  const double b2 = b * b;
  double plusRoot = 0.0;
  double minusRoot = 0.0;
  if (SolveQuadratic(a2 * d.y * d.y + b2 * d.x * d.x, 2.0 * (a2 * d.y * f.y + b2 * d.x * f.x),
                     a2 * f.y * f.y + b2 * f.x * f.x - a2 * b2, plusRoot, minusRoot) == 0) {
    return 0;
  }
  out[0] = PointAtParameter(p1, p2, minusRoot);
  out[1] = PointAtParameter(p1, p2, plusRoot);
  return 2;
}

int IntersectLineEllipse(FcPoint2d (&out)[2], const FcPoint2d& centre, const FcPoint2d& major,
                         const FcPoint2d& p1, const FcPoint2d& p2, short kind, double ratio,
                         double start, double end) {
  if (kind > 5) return 0;
  double theta = std::atan2(major.y, major.x);
  NormalizeAngle(theta);
  FcPoint2d q1 = p1;
  FcPoint2d q2 = p2;
  RotatePointAbout(-theta, centre, q1);
  RotatePointAbout(-theta, centre, q2);
  const double a = std::hypot(major.x, major.y);
  int found = IntersectLineAxisEllipse(centre, a, a * ratio, out, q1, q2);
  const auto ellipseAngle = [&](const FcPoint2d& p) {
    double angle = AngleAbout(centre, p);
    NormalizeAngle(angle);
    return angle - theta;
  };
  if (found == 0) {
    // The line may still end on the ellipse where the quadratic, through
    // rounding, found no crossing.
    for (const FcPoint2d* q : {&p1, &p2}) {
      FcPoint2d e;
      if (!EllipsePointAtAngle(e, major, centre, ratio, ellipseAngle(*q))) continue;
      if (IsSamePoint(p1, e)) {
        out[found++] = p1;
      } else if (IsSamePoint(p2, e)) {
        out[found++] = p2;
      }
    }
    if (found == 0) return 0;
  } else {
    RotatePointAbout(theta, centre, out[0]);
    RotatePointAbout(theta, centre, out[1]);
  }
  const auto onArc = [&](const FcPoint2d& p) {
    return IsAngleOnArc(start, end, AngleAbout(centre, p) - theta);
  };
  const auto onSegment = [&](const FcPoint2d& p) { return IsBetween(p2, p1, p); };
  const auto onRay = [&](const FcPoint2d& p) { return IsOnRaySide(p1, p2, p); };
  switch (kind) {
    case 1:
      return KeepPoints(out, found, [&](const FcPoint2d& p) { return onArc(p) && onSegment(p); });
    case 2:
      return KeepPoints(out, found, onArc);
    case 3:
      return KeepPoints(out, found, [&](const FcPoint2d& p) { return onArc(p) && onRay(p); });
    case 4:
      // A ray with a full ellipse reports only the first crossing.
      return KeepPoints(out, found, onRay) > 0 ? 1 : 0;
    case 5:
      return KeepPoints(out, found, onSegment);
    default:
      return KeepPoints(out, found, [](const FcPoint2d&) { return true; });
  }
}

namespace {

int IntersectTwoLines(const GeomSegment& s, const GeomSegment& t, FcPoint2d& out) {
  const int se = s.extent;
  const int te = t.extent;
  bool hit = false;
  if (se == kLineExtentSegment && te == kLineExtentSegment) {
    hit = IntersectLines(2, t.first, t.second, s.first, s.second, out);
  } else if (se == kLineExtentInfinite && te == kLineExtentInfinite) {
    hit = IntersectLines(0, s.first, s.second, t.first, t.second, out);
  } else if (se == kLineExtentInfinite && te == kLineExtentSegment) {
    hit = IntersectLines(1, s.first, s.second, t.first, t.second, out);
  } else if (se == kLineExtentSegment && te == kLineExtentInfinite) {
    hit = IntersectLines(1, t.first, t.second, s.first, s.second, out);
  } else if (se == kLineExtentRay && te == kLineExtentRay) {
    hit = IntersectRays(s.first, s.second, t.first, t.second, out);
  } else if (se == kLineExtentRay && te == kLineExtentInfinite) {
    hit = IntersectRayLine(s.first, s.second, t.first, t.second, out);
  } else if (se == kLineExtentRay && te == kLineExtentSegment) {
    hit = IntersectRaySegment(s.first, s.second, t.first, t.second, out);
  } else if (se == kLineExtentInfinite && te == kLineExtentRay) {
    hit = IntersectRayLine(t.first, t.second, s.first, s.second, out);
  } else if (se == kLineExtentSegment && te == kLineExtentRay) {
    hit = IntersectRaySegment(t.first, t.second, s.first, s.second, out);
  }
  return hit ? 1 : 0;
}

int IntersectLineRecordArc(const GeomSegment& line, const GeomSegment& arc,
                           FcPoint2d (&out)[2]) {
  short kind = 0;
  switch (line.extent) {
    case kLineExtentSegment: kind = 1; break;
    case kLineExtentInfinite: kind = 2; break;
    case kLineExtentRay: kind = 3; break;
    default: return 0;
  }
  return IntersectLineArc(line.first, line.second, arc.centre, kind, arc.startAngle,
                          arc.endAngle, arc.radius, out);
}

}  // namespace

int IntersectGeomSegments(const GeomSegment& s, const GeomSegment& t, FcPoint2d (&out)[2]) {
  const bool sLine = s.type == kGeomSegmentLine;
  const bool tLine = t.type == kGeomSegmentLine;
  const bool sArc = s.type == kGeomSegmentArc;
  const bool tArc = t.type == kGeomSegmentArc;
  if (sLine && tLine) return IntersectTwoLines(s, t, out[0]);
  if (sArc && tArc) {
    return IntersectArcs(s.centre, out, t.centre, 1, s.startAngle, s.endAngle, s.radius,
                         t.startAngle, t.endAngle, t.radius);
  }
  if (sLine && tArc) return IntersectLineRecordArc(s, t, out);
  if (sArc && tLine) return IntersectLineRecordArc(t, s, out);
  return 0;
}
