#include "entities/hatch_edges.h"

#include <algorithm>
#include <cmath>

#include "core/arcs.h"
#include "core/ellipses.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "entities/entity_math.h"
#include "entities/hatch_crossings.h"

namespace {

constexpr int kMinChords = 6;
constexpr int kMaxChords = 6400;

// The direction of the point's image seen from the new centre.
double MappedDirection(const FcMatrix2d& matrix, const FcPoint2d& oldCentre, const FcPoint2d& newCentre,
                       double angle) {
  FcPoint2d far = PointAtPolar(oldCentre, 100.0, angle);
  TransformPoint(matrix, far);
  return NormalAngleAbout(newCentre, far);
}

void IncludePoint(FcPoint2d& min, FcPoint2d& max, const FcPoint2d& p) {
  min.x = std::min(min.x, p.x);
  min.y = std::min(min.y, p.y);
  max.x = std::max(max.x, p.x);
  max.y = std::max(max.y, p.y);
}

}  // namespace

int HatchChordCount(double tolerance, double radius, double span) {
  if (!(tolerance > 0.0) || tolerance >= radius) return kMinChords;
  const double angle = 4.0 * std::atan(tolerance / std::sqrt(2.0 * tolerance * radius - tolerance * tolerance));
  if (!(angle > 0.0)) return kMinChords;
  const double n = std::trunc(std::fabs(span) / angle);
  if (!(n >= kMinChords)) return kMinChords;
  return n > kMaxChords ? kMaxChords : static_cast<int>(n);
}

void AppendArcPoints(int n, double radius, double start, double end, bool counterClockwise,
                     std::vector<FcPoint2d>& points, const FcPoint2d& centre) {
  if (n < 0 || !std::isfinite(start) || !std::isfinite(end)) return;
  NormalizeAngle(start);
  NormalizeAngle(end);
  if (counterClockwise) {
    while (end <= start) end += kTwoPi;
  } else {
    while (end >= start) end -= kTwoPi;
  }
  const double step = n > 0 ? (end - start) / n : 0.0;
  for (int i = 0; i <= n; ++i) points.push_back(PointAtPolar(centre, radius, start + step * i));
}

void UniteBoxes(FcPoint2d& min, FcPoint2d& max, const FcPoint2d& otherMin, const FcPoint2d& otherMax) {
  IncludePoint(min, max, otherMin);
  IncludePoint(min, max, otherMax);
}

// Line edge.

void FcLineEdge::IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const {
  CrossingLine(p1, p2).AppendSegmentCrossings(start_, end_, hits);
}

std::unique_ptr<FcHatchEdge> FcLineEdge::Clone() const { return std::make_unique<FcLineEdge>(*this); }

bool FcLineEdge::AppendPoints(double, std::vector<FcPoint2d>& points) const {
  points.push_back(start_);
  points.push_back(end_);
  return true;
}

bool FcLineEdge::StartPoint(FcPoint2d& out) const {
  out = start_;
  return true;
}

bool FcLineEdge::EndPoint(FcPoint2d& out) const {
  out = end_;
  return true;
}

bool FcLineEdge::GetExtents(FcPoint2d& min, FcPoint2d& max) const {
  min = start_;
  max = start_;
  IncludePoint(min, max, end_);
  return true;
}

void FcLineEdge::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, start_);
  TransformPoint(matrix, end_);
}

void FcLineEdge::Reverse() { std::swap(start_, end_); }

// Arcs of both kinds.

void FcCurvedEdge::TrueRange(double& low, double& high) const {
  low = counterClockwise_ != 0 ? start_ : kTwoPi - end_;
  high = counterClockwise_ != 0 ? end_ : kTwoPi - start_;
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0.0;
    high = kTwoPi;
    return;
  }
  const double span = std::min(high - low, kTwoPi);
  NormalizeAngle(low);
  high = low + span;
  while (high <= low) high += kTwoPi;
}

double FcCurvedEdge::TrueStart() const { return counterClockwise_ != 0 ? start_ : kTwoPi - start_; }

double FcCurvedEdge::TrueEnd() const { return counterClockwise_ != 0 ? end_ : kTwoPi - end_; }

void FcCurvedEdge::Reverse() {
  const double oldStart = start_;
  start_ = kTwoPi - end_;
  end_ = kTwoPi - oldStart;
  counterClockwise_ = counterClockwise_ != 0 ? 0 : 1;
  NormalizeAngles();
}

FcArcEdge::FcArcEdge(const FcPoint2d& centre, double radius, double start, double end, bool counterClockwise)
    : FcCurvedEdge(kHatchArcEdge), centre_(centre), radius_(radius) {
  start_ = start;
  end_ = end;
  counterClockwise_ = counterClockwise ? 1 : 0;
  NormalizeAngles();
}

bool FcCurvedEdge::NormalizeBoth() {
  if (!std::isfinite(start_) || !std::isfinite(end_)) {
    start_ = 0.0;
    end_ = kTwoPi;
    return false;
  }
  NormalizeAngle(start_);
  NormalizeAngle(end_);
  return true;
}

void FcArcEdge::NormalizeAngles() {
  if (!NormalizeBoth()) return;
  while (end_ <= start_) end_ += kTwoPi;
}

FcPoint2d FcArcEdge::PointAt(double angle) const { return PointAtPolar(centre_, radius_, angle); }

void FcArcEdge::IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const {
  double low = 0.0;
  double high = 0.0;
  TrueRange(low, high);
  CrossingLine(p1, p2).AppendConicCrossings(centre_, {radius_, 0.0}, {0.0, radius_}, low, high, hits);
}

std::unique_ptr<FcHatchEdge> FcArcEdge::Clone() const { return std::make_unique<FcArcEdge>(*this); }

bool FcArcEdge::AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const {
  const int n = HatchChordCount(tolerance, radius_, end_ - start_);
  if (counterClockwise_ != 0) {
    AppendArcPoints(n, radius_, start_, end_, true, points, centre_);
  } else {
    AppendArcPoints(n, radius_, kTwoPi - start_, kTwoPi - end_, false, points, centre_);
  }
  return true;
}

bool FcArcEdge::StartPoint(FcPoint2d& out) const {
  out = PointAt(TrueStart());
  return true;
}

bool FcArcEdge::EndPoint(FcPoint2d& out) const {
  out = PointAt(TrueEnd());
  return true;
}

bool FcArcEdge::GetExtents(FcPoint2d& min, FcPoint2d& max) const {
  double low = 0.0;
  double high = 0.0;
  TrueRange(low, high);
  ArcBoundingBox(centre_, radius_, low, high, min, max);
  return true;
}

void FcArcEdge::Transform(const FcMatrix2d& matrix) {
  const FcPoint2d oldCentre = centre_;
  TransformPoint(matrix, centre_);
  radius_ *= std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
  double start = MappedDirection(matrix, oldCentre, centre_, TrueStart());
  double end = MappedDirection(matrix, oldCentre, centre_, TrueEnd());
  // A mirror turns the way the edge runs, not its ends: swapping them would
  // break the chain of the loop it belongs to.
  if (IsMirroringMatrix(matrix)) counterClockwise_ = counterClockwise_ != 0 ? 0 : 1;
  if (counterClockwise_ == 0) {
    start = kTwoPi - start;
    end = kTwoPi - end;
  }
  start_ = start;
  end_ = end;
  NormalizeAngles();
}

// Elliptic arc.

FcEllipseEdge::FcEllipseEdge(const FcPoint2d& centre, const FcPoint2d& majorAxis, double ratio, double start,
                             double end, bool counterClockwise)
    : FcCurvedEdge(kHatchEllipseEdge), centre_(centre), majorAxis_(majorAxis), ratio_(ratio) {
  start_ = start;
  end_ = end;
  counterClockwise_ = counterClockwise ? 1 : 0;
  NormalizeAngles();
}

void FcEllipseEdge::NormalizeAngles() {
  if (!NormalizeBoth()) return;
  if (counterClockwise_ != 0) {
    while (end_ <= start_) end_ += kTwoPi;
  } else {
    while (end_ >= start_) end_ -= kTwoPi;
  }
}

bool FcEllipseEdge::HasShape() const {
  const double length = std::hypot(majorAxis_.x, majorAxis_.y);
  return length > 0.0 && std::isfinite(length) && ratio_ > 0.0 && std::isfinite(ratio_);
}

FcPoint2d FcEllipseEdge::PointAt(double angle) const {
  FcPoint2d point = centre_;
  EllipsePointAtAngle(point, majorAxis_, centre_, ratio_, angle);
  return point;
}

void FcEllipseEdge::IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const {
  if (!HasShape()) return;
  double first = 0.0;
  double last = 0.0;
  ParameterRange(first, last);
  const FcPoint2d minorAxis{-ratio_ * majorAxis_.y, ratio_ * majorAxis_.x};
  CrossingLine(p1, p2).AppendConicCrossings(centre_, majorAxis_, minorAxis, first, last, hits);
}

std::unique_ptr<FcHatchEdge> FcEllipseEdge::Clone() const { return std::make_unique<FcEllipseEdge>(*this); }

bool FcEllipseEdge::AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const {
  if (!HasShape()) return false;
  const double a = std::hypot(majorAxis_.x, majorAxis_.y);
  const double b = a * ratio_;
  const double r = std::sqrt(a * b);
  const double rotation = std::atan2(majorAxis_.y, majorAxis_.x);
  double low = 0.0;
  double high = 0.0;
  TrueRange(low, high);
  const int n = HatchChordCount(tolerance, r, high - low);
  const double startParameter = EllipseAngleToParameter(a, b, TrueStart());
  const double endParameter = EllipseAngleToParameter(a, b, TrueEnd());
  std::vector<FcPoint2d> circle;
  const bool full = high - low >= kTwoPi - kTolerance;
  if (full) {
    AppendArcPoints(n, r, startParameter, startParameter, counterClockwise_ != 0, circle, {});
  } else {
    AppendArcPoints(n, r, startParameter, endParameter, counterClockwise_ != 0, circle, {});
  }
  const double stretch = std::sqrt(a / b);
  const double squeeze = std::sqrt(b / a);
  const double c = std::cos(rotation);
  const double s = std::sin(rotation);
  for (const FcPoint2d& p : circle) {
    const double x = p.x * stretch;
    const double y = p.y * squeeze;
    points.push_back({centre_.x + c * x - s * y, centre_.y + s * x + c * y});
  }
  return true;
}

void FcEllipseEdge::ParameterRange(double& first, double& last) const {
  const double a = std::hypot(majorAxis_.x, majorAxis_.y);
  const double b = a * ratio_;
  double low = 0.0;
  double high = 0.0;
  TrueRange(low, high);
  const bool full = high - low >= kTwoPi - kTolerance;
  first = EllipseAngleToParameter(a, b, low);
  last = EllipseAngleToParameter(a, b, high);
  NormalizeAngle(first);
  NormalizeAngle(last);
  while (last <= first) last += kTwoPi;
  if (full) last = first + kTwoPi;
}

bool FcEllipseEdge::StartPoint(FcPoint2d& out) const {
  if (!HasShape()) return false;
  out = PointAt(TrueStart());
  return true;
}

bool FcEllipseEdge::EndPoint(FcPoint2d& out) const {
  if (!HasShape()) return false;
  out = PointAt(TrueEnd());
  return true;
}

bool FcEllipseEdge::GetExtents(FcPoint2d& min, FcPoint2d& max) const {
  if (!HasShape()) return false;
  // x(t) and y(t) of the rotated ellipse are extreme where their
  // derivatives vanish, at two parameters each, half a turn apart.
  const double a = std::hypot(majorAxis_.x, majorAxis_.y);
  const double b = a * ratio_;
  const double rotation = std::atan2(majorAxis_.y, majorAxis_.x);
  const double c = std::cos(rotation);
  const double s = std::sin(rotation);
  double first = 0.0;
  double last = 0.0;
  ParameterRange(first, last);
  auto pointAt = [&](double t) {
    const double x = a * std::cos(t);
    const double y = b * std::sin(t);
    return FcPoint2d{centre_.x + c * x - s * y, centre_.y + s * x + c * y};
  };
  min = pointAt(first);
  max = min;
  IncludePoint(min, max, pointAt(last));
  const double extremes[2] = {std::atan2(-b * s, a * c), std::atan2(b * c, a * s)};
  for (double extreme : extremes) {
    for (double t = extreme; t < extreme + kTwoPi; t += kPi) {
      double candidate = t;
      while (candidate < first) candidate += kTwoPi;
      while (candidate >= first + kTwoPi) candidate -= kTwoPi;
      if (candidate <= last) IncludePoint(min, max, pointAt(candidate));
    }
  }
  return true;
}

void FcEllipseEdge::Transform(const FcMatrix2d& matrix) {
  const bool partial = std::fabs(end_ - start_) < kTwoPi - kTolerance;
  FcPoint2d startPoint;
  FcPoint2d endPoint;
  if (partial) {
    startPoint = PointAt(TrueStart());
    endPoint = PointAt(TrueEnd());
  }
  FcPoint2d axisEnd = centre_ + majorAxis_;
  TransformPoint(matrix, centre_);
  TransformPoint(matrix, axisEnd);
  majorAxis_ = axisEnd - centre_;
  if (!partial) return;
  double phi = std::atan2(majorAxis_.y, majorAxis_.x);
  NormalizeAngle(phi);
  TransformPoint(matrix, startPoint);
  TransformPoint(matrix, endPoint);
  const double startDirection = AngleFromTo(centre_, startPoint);
  const double endDirection = AngleFromTo(centre_, endPoint);
  // As for a circular edge, a mirror turns the direction and keeps the ends.
  if (IsMirroringMatrix(matrix)) counterClockwise_ = counterClockwise_ != 0 ? 0 : 1;
  double start = counterClockwise_ != 0 ? startDirection - phi : phi - startDirection;
  double end = counterClockwise_ != 0 ? endDirection - phi : phi - endDirection;
  start_ = start;
  end_ = end;
  NormalizeAngles();
}

std::unique_ptr<FcHatchEdge> FcSPLineEdge::Clone() const { return std::make_unique<FcSPLineEdge>(*this); }
