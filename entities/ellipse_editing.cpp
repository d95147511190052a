#include <cmath>

#include "core/areas.h"
#include "core/ellipses.h"
#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/system_var.h"
#include "entities/ellipse.h"
#include "entities/entity_listing.h"
#include "entities/entity_math.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "platform/frame_link.h"

// Transforming, listing, grips and snapping of ellipses.

namespace {

constexpr int kAxisRole = 10;

FcPoint2d Sum(const FcPoint2d& p, const FcPoint2d& offset) { return {p.x + offset.x, p.y + offset.y}; }

// The direction of the point seen from the centre, less the rotation.
double AngleFromAxis(const FcPoint2d& centre, const FcPoint2d& point, double rotation) {
  return AngleFromTo(centre, point) - rotation;
}

}  // namespace

bool FcEllipse::HasAngleOnCurve(double angle) const {
  if (IsFull()) return true;
  RaiseAngleTo(angle, startAngle_);
  return angle <= endAngle_;
}

int FcEllipse::AxisPointsOnCurve(FcPoint2d (&points)[4], int (&quadrants)[4]) const {
  int count = 0;
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    const double angle = quadrant * kHalfPi;
    if (!HasAngleOnCurve(angle)) continue;
    points[count] = GetPointAtAngle(angle);
    quadrants[count] = quadrant;
    ++count;
  }
  return count;
}

FcEllipse FcEllipse::Mapped(const FcMatrix2d& matrix) const {
  FcEllipse mapped;
  mapped.ratio_ = ratio_;
  FcPoint2d centre = centre_;
  TransformPoint(matrix, centre);
  FcPoint2d axisEnd = Sum(centre_, majorAxis_);
  TransformPoint(matrix, axisEnd);
  mapped.centre_ = centre;
  mapped.SetMajorAxis({axisEnd.x - centre.x, axisEnd.y - centre.y});
  mapped.minorRadius_ = mapped.majorRadius_ * ratio_;
  if (IsFull()) return mapped;
  FcPoint2d start = GetPointAtAngle(startAngle_);
  FcPoint2d end = GetPointAtAngle(endAngle_);
  TransformPoint(matrix, start);
  TransformPoint(matrix, end);
  mapped.startAngle_ = AngleFromAxis(centre, start, mapped.rotation_);
  mapped.endAngle_ = AngleFromAxis(centre, end, mapped.rotation_);
  if (IsMirroringMatrix(matrix)) std::swap(mapped.startAngle_, mapped.endAngle_);
  mapped.NormalizeAngles();
  return mapped;
}

void FcEllipse::Transform(const FcMatrix2d& matrix) {
  const FcEllipse mapped = Mapped(matrix);
  centre_ = mapped.centre_;
  SetMajorAxis(mapped.majorAxis_);
  startAngle_ = mapped.startAngle_;
  endAngle_ = mapped.endAngle_;
}

void FcEllipse::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FormattedPoint centre = FormatPoint(centre_, graph);
  PrintMessage("  Center point: X= " + centre.x + "    Y= " + centre.y);
  const FcPoint2d ucsCentre = WorldToUcsPoint(centre_, graph);
  const auto vectorLine = [&](const char* label, const FcPoint2d& end) {
    const FcPoint2d ucsEnd = WorldToUcsPoint(end, graph);
    PrintMessage(std::string(label) + FormatDrawingDistance(ucsEnd.x - ucsCentre.x, graph) +
                 "    Y= " + FormatDrawingDistance(ucsEnd.y - ucsCentre.y, graph));
  };
  vectorLine("  Major axis vector: X= ", Sum(centre_, majorAxis_));
  vectorLine("  Minor axis vector: X= ", PointAtPolar(centre_, minorRadius_, rotation_ + kHalfPi));
  PrintMessage("  Major axis length: " + FormatDrawingDistance(majorRadius_, graph));
  PrintMessage("  Minor axis length: " + FormatDrawingDistance(minorRadius_, graph));
  const int precision = graph != nullptr ? graph->GetSysVars().luprec : 4;
  PrintMessage("  Minor/Major axis ratio: " + FormatDecimal(precision, ratio_));
  if (IsFull()) {
    const int units = graph != nullptr ? graph->GetSysVars().lunits : 2;
    PrintMessage("  area " + FormatArea(GetArea(), units, precision));
    return;
  }
  const FormattedPoint start = FormatPoint(GetPointAtAngle(startAngle_), graph);
  const FormattedPoint end = FormatPoint(GetPointAtAngle(endAngle_), graph);
  PrintMessage("  Start point: X= " + start.x + "    Y= " + start.y);
  PrintMessage("  End point: X= " + end.x + "    Y= " + end.y);
  PrintMessage("  Start angle: " + FormatDrawingAngle(startAngle_, graph));
  PrintMessage("  End angle: " + FormatDrawingAngle(endAngle_, graph));
}

void FcEllipse::GetGripPoints(FcPoint2dArray& points) {
  points.Add(centre_);
  if (!IsFull()) {
    points.Add(GetPointAtAngle(startAngle_));
    points.Add(GetPointAtAngle(endAngle_));
  }
  FcPoint2d axisPoints[4];
  int quadrants[4];
  const int count = AxisPointsOnCurve(axisPoints, quadrants);
  for (int i = 0; i < count; ++i) points.Add(axisPoints[i]);
}

int FcEllipse::GripRole(int index) const {
  if (index == 0) return 0;
  int first = 1;
  if (!IsFull()) {
    if (index == 1 || index == 2) return index;
    first = 3;
  }
  FcPoint2d axisPoints[4];
  int quadrants[4];
  const int count = AxisPointsOnCurve(axisPoints, quadrants);
  const int k = index - first;
  return k >= 0 && k < count ? kAxisRole + quadrants[k] : -1;
}

void FcEllipse::MoveArcEnd(int which, const FcPoint2d& point) {
  (which == 0 ? startAngle_ : endAngle_) = AngleFromAxis(centre_, point, rotation_);
  NormalizeAngles();
}

void FcEllipse::MoveMajorAxisEnd(int quadrant, const FcPoint2d& point) {
  FcPoint2d axis{point.x - centre_.x, point.y - centre_.y};
  if (quadrant == 2) axis = {-axis.x, -axis.y};
  SetMajorAxis(axis);
}

void FcEllipse::MoveMinorAxisEnd(int quadrant, const FcPoint2d& point) {
  const FcPoint2d axisEnd = Sum(centre_, majorAxis_);
  const FcPoint2d oppositeEnd{centre_.x - majorAxis_.x, centre_.y - majorAxis_.y};
  if (IsSamePoint(point, centre_) || IsSamePoint(point, axisEnd) || IsSamePoint(point, oppositeEnd)) return;
  const double d = PointLineDistance(point, oppositeEnd, axisEnd);
  if (!(d > 0.0)) return;
  if (d <= majorRadius_) {
    SetRadiusRatio(d / majorRadius_);
    return;
  }
  // Dragged beyond the major radius: the minor axis becomes the major one,
  // and the arc's angles, now counted from it, keep the arc where it was.
  const double direction = rotation_ + (quadrant == 1 ? kHalfPi : -kHalfPi);
  const double oldMajor = majorRadius_;
  SetMajorAxis({d * std::cos(direction), d * std::sin(direction)});
  SetRadiusRatio(oldMajor / d);
  if (IsFull()) return;
  const double shift = quadrant == 1 ? -kHalfPi : kHalfPi;
  startAngle_ += shift;
  endAngle_ += shift;
  NormalizeAngles();
}

void FcEllipse::MoveByRole(int role, const FcPoint2d& offset) {
  if (role == 1 || role == 2) {
    MoveArcEnd(role - 1, Sum(GetPointAtAngle(role == 1 ? startAngle_ : endAngle_), offset));
    return;
  }
  if (role < kAxisRole) return;
  const int quadrant = role - kAxisRole;
  const FcPoint2d moved = Sum(GetPointAtAngle(quadrant * kHalfPi), offset);
  if (quadrant % 2 == 0) {
    MoveMajorAxisEnd(quadrant, moved);
  } else {
    MoveMinorAxisEnd(quadrant, moved);
  }
}

int FcEllipse::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count == 0) return 0;
  for (int i = 0; i < indices.count; ++i) {
    if (indices[i] != 0) continue;
    centre_ = Sum(centre_, offset);
    return indices.count;
  }
  MoveByRole(GripRole(indices[0]), offset);
  return indices.count;
}

void FcEllipse::GetStretchPoints(FcPoint2dArray& points) {
  points.Add(centre_);
  if (IsFull()) return;
  points.Add(GetPointAtAngle(startAngle_));
  points.Add(GetPointAtAngle(endAngle_));
}

int FcEllipse::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count == 0) return 0;
  for (int i = 0; i < indices.count; ++i) {
    if (indices[i] != 0) continue;
    centre_ = Sum(centre_, offset);
    return indices.count;
  }
  if (!IsFull()) MoveByRole(indices[0] == 1 ? 1 : 2, offset);
  return indices.count;
}

void FcEllipse::GetTangentPoints(const FcPoint2d* basePoint, const FcPoint2d& pickPoint, int, const FcMatrix2d& matrix,
                                 FcPoint2d& out, int& mode) {
  if ((mode & kOsnapTangent) == 0 || basePoint == nullptr) {
    mode = 0;
    return;
  }
  const FcEllipse mapped = Mapped(matrix);
  FcPoint2d touching[2];
  mode = 0;
  if (RotatedEllipseTangentPoints(*basePoint, mapped.centre_, mapped.majorAxis_, ratio_, &touching[0],
                                  &touching[1]) == 0) {
    return;
  }
  bool found = false;
  double nearest = 0.0;
  for (const FcPoint2d& point : touching) {
    if (!mapped.HasAngleOnCurve(NormalAngleAbout(mapped.centre_, point) - mapped.rotation_)) continue;
    const double distance = DistanceBetween(point, pickPoint);
    if (found && distance >= nearest) continue;
    found = true;
    nearest = distance;
    out = point;
  }
  if (found) mode = kOsnapTangent;
}

void FcEllipse::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  GeomSegment curve;
  curve.type = kGeomSegmentCurve;
  curve.snapModes = kSnapTagCurve;
  curve.entity = this;
  curve.parameter = 0;
  curve.matrix = matrix;
  if (!AppendSegment(segments, curve)) return;
  if (!AppendPointSegment(segments, centre_, kOsnapCenter, matrix)) return;
  if (!IsFull()) {
    if (!AppendPointSegment(segments, GetPointAtAngle(startAngle_), kOsnapEndpoint, matrix)) return;
    if (!AppendPointSegment(segments, GetPointAtAngle(endAngle_), kOsnapEndpoint, matrix)) return;
  }
  FcPoint2d axisPoints[4];
  int quadrants[4];
  const int count = AxisPointsOnCurve(axisPoints, quadrants);
  for (int i = 0; i < count; ++i) {
    if (!AppendPointSegment(segments, axisPoints[i], kOsnapQuadrant, matrix)) return;
  }
}

bool FcEllipse::IntersectWithSegment(const FcPoint2d& pickPoint, int, const FcMatrix2d& matrix,
                                     const GeomSegment& other, FcPoint2d& out) {
  if (matrix.a != matrix.e || other.type != kGeomSegmentLine) return false;
  const FcEllipse mapped = Mapped(matrix);
  const bool full = mapped.IsFull();
  short kind = 0;
  if (other.extent == kLineExtentSegment) kind = full ? 5 : 1;
  if (other.extent == kLineExtentInfinite) kind = full ? 0 : 2;
  if (other.extent == kLineExtentRay) kind = full ? 4 : 3;
  FcPoint2d crossings[2];
  const int found = IntersectLineEllipse(crossings, mapped.centre_, mapped.majorAxis_, other.first, other.second, kind,
                                         ratio_, mapped.startAngle_, mapped.endAngle_);
  if (found <= 0) return false;
  out = crossings[0];
  if (found > 1 && DistanceBetween(crossings[1], pickPoint) <= DistanceBetween(crossings[0], pickPoint)) {
    out = crossings[1];
  }
  return true;
}
