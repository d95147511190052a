#include "entities/circle.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
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

FcPoint2d QuadrantPoint(const FcPoint2d& centre, double radius, int quadrant) {
  switch (quadrant) {
    case 0:
      return {centre.x + radius, centre.y};
    case 1:
      return {centre.x, centre.y + radius};
    case 2:
      return {centre.x - radius, centre.y};
    default:
      return {centre.x, centre.y - radius};
  }
}

}  // namespace

bool IsReversedExtrusion(double x, double y, double z) {
  return IsEqual(x, 0.0) && IsEqual(y, 0.0) && IsEqual(z, -1.0);
}

FcCircle::FcCircle() : FcCircle(kRecordName, kEntityCircle, kDwgType) {}

FcCircle::FcCircle(const char* recordName, EntityKind kind, DwgObjectType dwgType) {
  SetRecordName(recordName);
  SetKind(kind);
  SetDwgType(dwgType);
}

FcCircle::FcCircle(const FcCircle& other) : FcCircle() { Copy(&other); }

FcObject* FcCircle::Create() { return new (std::nothrow) FcCircle; }

int FcCircle::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  WriteDxfPoint(filer, 10, centre_);
  filer.WriteReal(40, radius_);
  return kFcStatusOk;
}

int FcCircle::ReadCircleGroup(const FcResBuf& group) {
  if (group.type == 10) centre_ = {group.x, group.y};
  if (group.type == 40) radius_ = group.realValue;
  if (group.type == 210) reversedExtrusion_ = IsReversedExtrusion(group.x, group.y, group.z);
  return kFcStatusOk;
}

int FcCircle::ReadDxf(FcFiler& filer) {
  reversedExtrusion_ = false;
  const int result =
      ReadEntityDxf(*this, filer, kSubclassMarker, [this](const FcResBuf& group) { return ReadCircleGroup(group); });
  if (result != kFcStatusOk) return result;
  if (!HasValidCircle()) return kFcStatusReadError;
  if (reversedExtrusion_) FlipCentreX();
  reversedExtrusion_ = false;
  return kFcStatusOk;
}

bool FcCircle::HasValidCircle() const {
  return std::isfinite(centre_.x) && std::isfinite(centre_.y) && std::isfinite(radius_) && radius_ >= 0.0;
}

bool FcCircle::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  sink->AddCircle(centre_, radius_, GetHandle(), 1);
  return true;
}

FcEntity* FcCircle::Clone() const { return new (std::nothrow) FcCircle(*this); }

void FcCircle::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcCircle::CloneFromOtherGraph(FcGraph& target) const {
  FcCircle* clone = new (std::nothrow) FcCircle;
  if (clone != nullptr) clone->CopyFromOtherGraph(this, target);
  return clone;
}

void FcCircle::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcCircle::CopyOwnFields(const FcEntity* other) {
  const auto* circle = dynamic_cast<const FcCircle*>(other);
  if (circle == nullptr) return;
  centre_ = circle->centre_;
  radius_ = circle->radius_;
}

void FcCircle::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, centre_);
  radius_ *= std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
}

void FcCircle::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FormattedPoint centre = FormatPoint(centre_, graph);
  PrintMessage("  Center point: X= " + centre.x + "    Y= " + centre.y);
  PrintMessage("  Radius  " + FormatDrawingDistance(radius_, graph));
  if (GetKind() != kEntityCircle) return;
  PrintMessage("  Circumference  " + FormatDrawingDistance(kTwoPi * radius_, graph));
  PrintMessage("  Area " + FormatDrawingDistance(kPi * radius_ * radius_, graph));
}

double FcCircle::GetLength() const { return kTwoPi * radius_; }

double FcCircle::GetArea() const { return kPi * radius_ * radius_; }

void FcCircle::GetGripPoints(FcPoint2dArray& points) {
  points.Add(centre_);
  for (int quadrant = 0; quadrant < 4; ++quadrant) points.Add(QuadrantPoint(centre_, radius_, quadrant));
}

int FcCircle::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  for (int i = 0; i < indices.count; ++i) {
    const int index = indices[i];
    if (index == 0) {
      centre_.x += offset.x;
      centre_.y += offset.y;
      continue;
    }
    if (index < 1 || index > 4) continue;
    FcPoint2d moved = QuadrantPoint(centre_, radius_, index - 1);
    moved.x += offset.x;
    moved.y += offset.y;
    if (IsDifferentPoint(moved, centre_)) radius_ = std::hypot(moved.x - centre_.x, moved.y - centre_.y);
  }
  return indices.count;
}

void FcCircle::GetStretchPoints(FcPoint2dArray& points) { points.Add(centre_); }

int FcCircle::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count > 0) {
    centre_.x += offset.x;
    centre_.y += offset.y;
  }
  return indices.count;
}

void FcCircle::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitDouble(centre_.x);
  filer.WriteBitDouble(centre_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(radius_);
  // Thickness 0 and extrusion (0, 0, 1), each as its one-bit default.
  filer.WriteBit(1);
  filer.WriteBit(1);
}

bool FcCircle::ReadDwgCircle(FcFilerDwg& filer, bool& reversedExtrusion) {
  FcPoint2d centre;
  double z = 0.0;
  double radius = 0.0;
  double thickness = 0.0;
  double extrusion[3] = {};
  if (!filer.ReadBitDouble(centre.x) || !filer.ReadBitDouble(centre.y) || !filer.ReadBitDouble(z) ||
      !filer.ReadBitDouble(radius) || !filer.ReadThickness(thickness) || !filer.ReadExtrusion(extrusion)) {
    return false;
  }
  centre_ = centre;
  radius_ = radius;
  reversedExtrusion = IsReversedExtrusion(extrusion[0], extrusion[1], extrusion[2]);
  return true;
}

int FcCircle::ReadDwgData(FcFilerDwg& filer) {
  bool reversed = false;
  if (!ReadDwgCircle(filer, reversed) || !HasValidCircle()) return kFcStatusReadError;
  if (reversed) FlipCentreX();
  return kFcStatusOk;
}

GeomSegment FcCircle::ArcSegment(const FcMatrix2d& matrix, int snapModes, double startAngle, double endAngle) const {
  GeomSegment arc;
  arc.type = kGeomSegmentArc;
  arc.snapModes = snapModes;
  arc.centre = centre_;
  TransformPoint(matrix, arc.centre);
  arc.radius = radius_ * std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
  arc.startAngle = startAngle;
  arc.endAngle = endAngle;
  return arc;
}

void FcCircle::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  // A mirrored circle is the same circle: only a stretch makes it no arc
  // record.
  if (!KeepsCircles(matrix)) return;
  if (!AppendSegment(segments, ArcSegment(matrix, kSnapTagBoundary, 0.0, kPi))) return;
  AppendSegment(segments, ArcSegment(matrix, kSnapTagBoundary, kPi, kTwoPi));
}

void FcCircle::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  if (matrix.a == matrix.e) {
    AppendSegment(segments, ArcSegment(matrix, kSnapTagCircle, 0.0, kTwoPi));
    return;
  }
  if (!AppendPointSegment(segments, centre_, kOsnapCenter, matrix)) return;
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    if (!AppendPointSegment(segments, QuadrantPoint(centre_, radius_, quadrant), kOsnapQuadrant, matrix)) return;
  }
}
