#include "entities/point_entity.h"

#include <new>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/entity_clone.h"
#include "database/entity_dxf.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_marker.h"
#include "entities/point_segment.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

bool IsOnDefpoints(const FcEntity& entity) {
  const FcLayer* layer = entity.GetLayer();
  return layer != nullptr && EqualsNoCase(layer->GetName(), "Defpoints");
}

}  // namespace

FcPointEnt::FcPointEnt() {
  SetRecordName(kRecordName);
  SetKind(kEntityPoint);
  SetDwgType(kDwgType);
}

FcPointEnt::FcPointEnt(const FcPointEnt& other) : FcPointEnt() { Copy(&other); }

FcObject* FcPointEnt::Create() { return new (std::nothrow) FcPointEnt; }

int FcPointEnt::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  WriteDxfPoint(filer, 10, location_);
  filer.WriteReal(50, angle_ * kRadToDeg);
  return kFcStatusOk;
}

int FcPointEnt::ReadDxf(FcFiler& filer) {
  return ReadEntityDxf(*this, filer, kSubclassMarker, [this](const FcResBuf& group) {
    if (group.type == 10) location_ = {group.x, group.y};
    if (group.type == 50) angle_ = group.realValue;
    return kFcStatusOk;
  });
}

bool FcPointEnt::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  sink->SetContinuousLinetype();
  const FcDrawContext state = sink->GetContext();
  // A surface of no drawing reads a new drawing's PDMODE and PDSIZE, both 0.
  const int pdmode = state.graph != nullptr ? state.graph->GetSysVars().pdmode : 0;
  const double pdsize = state.graph != nullptr ? state.graph->GetSysVars().pdsize : 0.0;
  const int mode = IsOnDefpoints(*this) ? 0 : pdmode;
  const double size = PointMarkerSize(pdsize, state.windowWidth, state.windowHeight);
  const FcPointMarker marker = BuildPointMarker(location_, angle_, mode, size);
  const FcHandle handle = GetHandle();
  if (marker.square) {
    sink->AddPolyline(marker.squareCorners.data(), static_cast<int>(marker.squareCorners.size()), true, handle,
                      0);
  }
  if (marker.circle) sink->AddCircle(location_, marker.circleRadius, handle, 1);
  if (marker.dot) sink->AddPoint(location_, handle, 0);
  for (const auto& [from, to] : marker.lines) sink->AddLine(from, to, 0, handle);
  return true;
}

FcEntity* FcPointEnt::Clone() const { return new (std::nothrow) FcPointEnt(*this); }

void FcPointEnt::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcPointEnt::CloneFromOtherGraph(FcGraph& target) const {
  return CloneEntityIntoGraph(*this, target);
}

void FcPointEnt::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcPointEnt::CopyOwnFields(const FcEntity* other) {
  const auto* point = dynamic_cast<const FcPointEnt*>(other);
  if (point == nullptr) return;
  location_ = point->location_;
  angle_ = point->angle_;
}

void FcPointEnt::Transform(const FcMatrix2d& matrix) { TransformPoint(matrix, location_); }

void FcPointEnt::List() {
  FcEntity::List();
  const FormattedPoint at = FormatPoint(location_, OwnerGraphOf(*this));
  PrintMessage("  At Point: X= " + at.x + "    Y= " + at.y);
}

void FcPointEnt::GetGripPoints(FcPoint2dArray& points) { points.Add(location_); }

int FcPointEnt::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count > 0) {
    location_.x += offset.x;
    location_.y += offset.y;
  }
  return indices.count;
}

void FcPointEnt::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitDouble(location_.x);
  filer.WriteBitDouble(location_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteBit(1);
  filer.WriteBit(1);
  filer.WriteBitDouble(angle_);
}

int FcPointEnt::ReadDwgData(FcFilerDwg& filer) {
  FcPoint2d location;
  double z = 0.0;
  double thickness = 0.0;
  double extrusion[3] = {};
  double angle = 0.0;
  if (!filer.ReadBitDouble(location.x) || !filer.ReadBitDouble(location.y) ||
      !filer.ReadBitDouble(z) || !filer.ReadThickness(thickness) ||
      !filer.ReadExtrusion(extrusion) || !filer.ReadBitDouble(angle)) {
    return kFcStatusReadError;
  }
  location_ = location;
  angle_ = angle;
  return kFcStatusOk;
}

void FcPointEnt::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix,
                                 GeomSegmentList& segments) {
  AppendPointSegment(segments, location_, kOsnapNode, matrix);
}
