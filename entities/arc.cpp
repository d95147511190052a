#include "entities/arc.h"

#include <cmath>
#include <new>
#include <span>

#include "core/arcs.h"
#include "core/areas.h"
#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "entities/entity_listing.h"
#include "entities/entity_math.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

// The direction at the angle as the user reads it, measured with a radius
// vector long enough that the UCS conversion keeps its direction.
double UcsAngleOf(const FcPoint2d& centre, double angle, const FcGraph* graph) {
  const FcPoint2d ahead{centre.x + 100.0 * std::cos(angle), centre.y + 100.0 * std::sin(angle)};
  return UcsDirectionAngle(centre, ahead, graph);
}

}  // namespace

FcArc::FcArc() : FcCircle(kRecordName, kEntityArc, kDwgType) {}

FcArc::FcArc(const FcArc& other) : FcArc() { Copy(&other); }

FcObject* FcArc::Create() { return new (std::nothrow) FcArc; }

void FcArc::SetStartAngle(double angle) {
  startAngle_ = angle;
  NormalizeAngles();
}

void FcArc::SetEndAngle(double angle) {
  endAngle_ = angle;
  NormalizeAngles();
}

void FcArc::NormalizeAngles() {
  NormalizeAngle(startAngle_);
  NormalizeAngle(endAngle_);
  while (endAngle_ <= startAngle_) endAngle_ += kTwoPi;
}

FcPoint2d FcArc::PointAt(double angle) const {
  return {GetCenter().x + GetRadius() * std::cos(angle), GetCenter().y + GetRadius() * std::sin(angle)};
}

FcPoint2d FcArc::GetStartPoint() const { return PointAt(startAngle_); }

FcPoint2d FcArc::GetEndPoint() const { return PointAt(endAngle_); }

int FcArc::WriteDxf(FcFiler& filer) {
  FcCircle::WriteDxf(filer);
  filer.WriteString(100, kArcSubclassMarker);
  filer.WriteReal(50, startAngle_ * kDegreesPerRadian);
  filer.WriteReal(51, endAngle_ * kDegreesPerRadian);
  return kFcStatusOk;
}

int FcArc::ReadDxf(FcFiler& filer) {
  SetExtrusionReversed(false);
  // A record without subclass markers gives every group to the first
  // reader, so the angles are taken there too.
  const auto readGroup = [this](const FcResBuf& group) {
    if (group.type == 50) startAngle_ = group.realValue;
    if (group.type == 51) endAngle_ = group.realValue;
    return ReadCircleGroup(group);
  };
  int result = ReadEntityDxf(*this, filer, kSubclassMarker, readGroup);
  if (result == kFcStatusOk) result = ReadEntitySubclassDxf(*this, filer, kArcSubclassMarker, readGroup);
  if (result != kFcStatusOk) return result;
  if (!HasValidCircle() || !HasValidAngles()) return kFcStatusReadError;
  if (IsExtrusionReversed()) {
    FlipCentreX();
    MirrorAnglesOfReversedExtrusion();
  }
  SetExtrusionReversed(false);
  NormalizeAngles();
  return kFcStatusOk;
}

bool FcArc::HasValidAngles() const { return std::isfinite(startAngle_) && std::isfinite(endAngle_); }

void FcArc::MirrorAnglesOfReversedExtrusion() {
  // Seen from below, the arc's x axis is world -x: the angle a lies at
  // pi - a in world terms, and the counter-clockwise run becomes clockwise.
  const double start = startAngle_;
  startAngle_ = kPi - endAngle_;
  endAngle_ = kPi - start;
}

bool FcArc::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  sink->AddArc(GetCenter(), GetRadius(), startAngle_, endAngle_, GetHandle(), 1);
  return true;
}

FcEntity* FcArc::Clone() const { return new (std::nothrow) FcArc(*this); }

void FcArc::Copy(const FcEntity* other) {
  FcCircle::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcArc::CloneFromOtherGraph(FcGraph& target) const {
  FcArc* clone = new (std::nothrow) FcArc;
  if (clone != nullptr) clone->CopyFromOtherGraph(this, target);
  return clone;
}

void FcArc::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcCircle::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcArc::CopyOwnFields(const FcEntity* other) {
  const auto* arc = dynamic_cast<const FcArc*>(other);
  if (arc == nullptr) return;
  startAngle_ = arc->startAngle_;
  endAngle_ = arc->endAngle_;
}

GeomSegment FcArc::ArcRecord(int snapModes, const FcMatrix2d& matrix) const {
  GeomSegment record;
  record.type = kGeomSegmentArc;
  record.snapModes = snapModes;
  record.centre = GetCenter();
  record.radius = GetRadius();
  record.startAngle = startAngle_;
  record.endAngle = endAngle_;
  TransformArcSegment(record, matrix);
  return record;
}

void FcArc::Transform(const FcMatrix2d& matrix) {
  const GeomSegment mapped = ArcRecord(0, matrix);
  SetCenter(mapped.centre);
  SetRadius(mapped.radius);
  startAngle_ = mapped.startAngle;
  endAngle_ = mapped.endAngle;
  NormalizeAngles();
}

void FcArc::List() {
  FcCircle::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  PrintMessage("  Start Angle\t" + FormatDrawingAngle(UcsAngleOf(GetCenter(), startAngle_, graph), graph));
  PrintMessage("  End Angle\t" + FormatDrawingAngle(UcsAngleOf(GetCenter(), endAngle_, graph), graph));
  PrintMessage("  Length\t" + FormatDrawingDistance(GetLength(), graph));
}

double FcArc::GetLength() const { return (endAngle_ - startAngle_) * GetRadius(); }

double FcArc::GetArea() const {
  const double sweep = endAngle_ - startAngle_;
  const double radius = GetRadius();
  const double sector = sweep * radius * radius / 2.0;
  const FcPoint2d corners[3] = {GetCenter(), GetStartPoint(), GetEndPoint()};
  const double triangle = std::fabs(PolygonArea(std::span<const FcPoint2d>(corners)));
  return sweep > kPi ? sector + triangle : sector - triangle;
}

void FcArc::GetGripPoints(FcPoint2dArray& points) {
  points.Add(GetStartPoint());
  points.Add(PointAt((startAngle_ + endAngle_) / 2.0));
  points.Add(GetEndPoint());
}

void FcArc::RebuildThrough(const FcPoint2d& start, const FcPoint2d& middle, const FcPoint2d& end) {
  FcPoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
  if (!ArcThrough3Points(start, middle, end, centre, radius, startAngle, endAngle)) return;
  SetCenter(centre);
  SetRadius(radius);
  startAngle_ = startAngle;
  endAngle_ = endAngle;
  NormalizeAngles();
}

int FcArc::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count != 1) return indices.count;
  FcPoint2dArray grips;
  GetGripPoints(grips);
  const int index = indices[0];
  if (index < 0 || index > 2) return indices.count;
  grips[index].x += offset.x;
  grips[index].y += offset.y;
  RebuildThrough(grips[0], grips[1], grips[2]);
  return indices.count;
}

void FcArc::GetStretchPoints(FcPoint2dArray& points) {
  points.Add(GetStartPoint());
  points.Add(GetEndPoint());
}

int FcArc::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count >= 2) {
    FcMatrix2d translation;
    TranslationMatrix(offset.x, offset.y, translation);
    Transform(translation);
    return indices.count;
  }
  if (indices.count == 0) return 0;
  FcPoint2d start = GetStartPoint();
  FcPoint2d end = GetEndPoint();
  FcPoint2d& moved = indices[0] == 0 ? start : end;
  moved.x += offset.x;
  moved.y += offset.y;
  RebuildThrough(start, PointAt((startAngle_ + endAngle_) / 2.0), end);
  return indices.count;
}

void FcArc::WriteDwgData(FcFilerDwg& filer) {
  FcCircle::WriteDwgData(filer);
  filer.WriteBitDouble(startAngle_);
  filer.WriteBitDouble(endAngle_);
}

int FcArc::ReadDwgData(FcFilerDwg& filer) {
  bool reversed = false;
  double start = 0.0;
  double end = 0.0;
  if (!ReadDwgCircle(filer, reversed) || !filer.ReadBitDouble(start) || !filer.ReadBitDouble(end)) {
    return kFcStatusReadError;
  }
  startAngle_ = start;
  endAngle_ = end;
  if (!HasValidCircle() || !HasValidAngles()) return kFcStatusReadError;
  if (reversed) {
    FlipCentreX();
    MirrorAnglesOfReversedExtrusion();
  }
  NormalizeAngles();
  return kFcStatusOk;
}

void FcArc::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  if (!KeepsCircles(matrix)) return;
  AppendSegment(segments, ArcRecord(kSnapTagBoundary, matrix));
}

void FcArc::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  if (std::fabs(std::fabs(matrix.a) - std::fabs(matrix.e)) < kTolerance) {
    AppendSegment(segments, ArcRecord(kSnapTagArc, matrix));
    return;
  }
  if (!AppendPointSegment(segments, GetCenter(), kOsnapCenter, matrix)) return;
  for (int k = 0; k < 4; ++k) {
    double angle = k * kPi / 2.0;
    RaiseAngleTo(angle, startAngle_);
    if (angle > endAngle_) continue;
    if (!AppendPointSegment(segments, PointAt(angle), kOsnapQuadrant, matrix)) return;
  }
}
