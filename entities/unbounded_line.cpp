#include "entities/unbounded_line.h"

#include <cmath>
#include <typeinfo>

#include "core/data_array.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/entity_dxf.h"
#include "entities/entity_listing.h"
#include "entities/entity_math.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

FcUnboundedLine::FcUnboundedLine(const char* recordName, EntityKind kind, DwgObjectType dwgType,
                                 const char* subclassMarker, int lineExtent,
                                 int basePointSnapMode)
    : subclassMarker_(subclassMarker),
      lineExtent_(lineExtent),
      basePointSnapMode_(basePointSnapMode) {
  SetRecordName(recordName);
  SetKind(kind);
  SetDwgType(dwgType);
}

void FcUnboundedLine::SetDirection(const FcPoint2d& vector) {
  const double length = std::sqrt(vector.x * vector.x + vector.y * vector.y);
  direction_ = length > 0.0 ? FcPoint2d{vector.x / length, vector.y / length} : FcPoint2d{1.0, 0.0};
}

int FcUnboundedLine::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, subclassMarker_);
  WriteDxfPoint(filer, 10, basePoint_);
  WriteDxfPoint(filer, 11, direction_);
  return kFcStatusOk;
}

int FcUnboundedLine::ReadDxf(FcFiler& filer) {
  return ReadEntityDxf(*this, filer, subclassMarker_, [this](const FcResBuf& group) {
    if (group.type == 10) basePoint_ = {group.x, group.y};
    if (group.type == 11) SetDirection({group.x, group.y});
    return kFcStatusOk;
  });
}

void FcUnboundedLine::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

void FcUnboundedLine::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcUnboundedLine::CopyOwnFields(const FcEntity* other) {
  if (other == nullptr || typeid(*other) != typeid(*this)) return;
  const auto* line = static_cast<const FcUnboundedLine*>(other);
  basePoint_ = line->basePoint_;
  direction_ = line->direction_;
}

void FcUnboundedLine::Transform(const FcMatrix2d& matrix) {
  FcPoint2d ahead = PointAlong(1.0);
  TransformPoint(matrix, ahead);
  TransformPoint(matrix, basePoint_);
  SetDirection({ahead.x - basePoint_.x, ahead.y - basePoint_.y});
}

void FcUnboundedLine::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FormattedPoint base = FormatPoint(basePoint_, graph);
  PrintMessage("  Base point: X= " + base.x + "    Y= " + base.y);
  const FcPoint2d ucsBase = WorldToUcsPoint(basePoint_, graph);
  const FcPoint2d ucsAhead = WorldToUcsPoint(PointAlong(1.0), graph);
  FcPoint2d direction{ucsAhead.x - ucsBase.x, ucsAhead.y - ucsBase.y};
  double angle = std::atan2(direction.y, direction.x);
  NormalizeAngle(angle);
  NormalizeVector(direction);
  PrintMessage("  Unit direction: X= " + FormatDrawingDistance(direction.x, graph) +
               "    Y= " + FormatDrawingDistance(direction.y, graph));
  PrintMessage("  Angle : " + FormatDrawingAngle(angle, graph));
}

void FcUnboundedLine::WriteDwgData(FcFilerDwg& filer) {
  for (const double value : {basePoint_.x, basePoint_.y, 0.0, direction_.x, direction_.y, 0.0}) {
    filer.WriteBitDouble(value);
  }
}

int FcUnboundedLine::ReadDwgData(FcFilerDwg& filer) {
  FcPoint2d base;
  FcPoint2d direction;
  double z = 0.0;
  if (!filer.ReadBitDouble(base.x) || !filer.ReadBitDouble(base.y) || !filer.ReadBitDouble(z) ||
      !filer.ReadBitDouble(direction.x) || !filer.ReadBitDouble(direction.y) ||
      !filer.ReadBitDouble(z)) {
    return kFcStatusReadError;
  }
  basePoint_ = base;
  // A file may store any vector, even none; snapping, clipping and grips
  // divide by its length.
  SetDirection(direction);
  return kFcStatusOk;
}

void FcUnboundedLine::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  AppendLineSegment(segments, basePoint_, PointAlong(1.0), lineExtent_, kSnapTagBoundary, matrix);
}

void FcUnboundedLine::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix,
                                      GeomSegmentList& segments) {
  if (!AppendLineSegment(segments, basePoint_, PointAlong(1.0), lineExtent_,
                         kSnapTagUnboundedLine, matrix)) {
    return;
  }
  AppendPointSegment(segments, basePoint_, basePointSnapMode_, matrix);
}

double FcUnboundedLine::GripLength() {
  const FcGraph* graph = CurrentGraph();
  const FcGraphView* view = graph != nullptr ? graph->GetView() : nullptr;
  return view != nullptr ? view->PixelsToWorld(view->GetDeviceWidth() / 15) : 0.0;
}

FcPoint2d FcUnboundedLine::PointAlong(double length) const {
  return {basePoint_.x + length * direction_.x, basePoint_.y + length * direction_.y};
}

int FcUnboundedLine::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count == 0) return 0;
  if (indices.count == 1 && indices[0] != 0) {
    const double length = GripLength();
    const FcPoint2d grip = PointAlong(indices[0] == 2 ? -length : length);
    SetDirection({grip.x + offset.x - basePoint_.x, grip.y + offset.y - basePoint_.y});
  } else {
    basePoint_.x += offset.x;
    basePoint_.y += offset.y;
  }
  return indices.count;
}
