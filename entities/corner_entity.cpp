#include "entities/corner_entity.h"

#include <string>
#include <typeinfo>

#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

FcCornerEntity::FcCornerEntity(const Style& style) : style_(style) {
  SetRecordName(style.recordName);
  SetKind(style.kind);
  SetDwgType(style.dwgType);
}

int FcCornerEntity::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, style_.subclassMarker);
  for (int k = 0; k < kCornerCount; ++k) {
    WriteDxfPoint(filer, static_cast<std::int16_t>(10 + k), corners_[style_.fileOrder[k]]);
  }
  return kFcStatusOk;
}

int FcCornerEntity::ReadDxf(FcFiler& filer) {
  bool fourthRead = false;
  const int result = ReadEntityDxf(*this, filer, style_.subclassMarker,
                                   [this, &fourthRead](const FcResBuf& group) {
                                     if (group.type >= 10 && group.type <= 13) {
                                       corners_[style_.fileOrder[group.type - 10]] = {group.x, group.y};
                                     }
                                     if (group.type == 13) fourthRead = true;
                                     return kFcStatusOk;
                                   });
  // Files store a triangle with its fourth corner on its third, which
  // keeps a solid's outline (1, 2, 4, 3) a triangle rather than a sliver.
  if (result == kFcStatusOk && !fourthRead) corners_[style_.fileOrder[3]] = corners_[style_.fileOrder[2]];
  return result;
}

bool FcCornerEntity::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  sink->SetContinuousLinetype();
  Corners outline;
  for (int k = 0; k < kCornerCount; ++k) outline[k] = corners_[style_.outline[k]];
  const FcHandle handle = GetHandle();
  if (style_.filled) sink->AddPolygon(outline.data(), kCornerCount, handle, 0);
  if (!style_.outlineWhenPrinting && sink->GetContext().printing) return true;
  for (int k = 0; k < kCornerCount; ++k) {
    sink->AddLine(outline[k], outline[(k + 1) % kCornerCount], k + 1, handle);
  }
  return true;
}

void FcCornerEntity::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

void FcCornerEntity::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcCornerEntity::CopyOwnFields(const FcEntity* other) {
  if (other == nullptr || typeid(*other) != typeid(*this)) return;
  corners_ = static_cast<const FcCornerEntity*>(other)->corners_;
}

void FcCornerEntity::Transform(const FcMatrix2d& matrix) {
  for (FcPoint2d& corner : corners_) TransformPoint(matrix, corner);
}

void FcCornerEntity::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  for (int k = 0; k < kCornerCount; ++k) {
    const FormattedPoint corner = FormatPoint(corners_[k], graph);
    PrintMessage(std::string(style_.labels[k]) + "X= " + corner.x + "    Y= " + corner.y);
  }
}

void FcCornerEntity::GetGripPoints(FcPoint2dArray& points) {
  for (const FcPoint2d& corner : corners_) points.Add(corner);
}

int FcCornerEntity::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  for (int i = 0; i < indices.count; ++i) {
    // The grip code hands out 0 to 3 only; anything else is not a corner.
    if (indices[i] < 0 || indices[i] >= kCornerCount) continue;
    FcPoint2d& corner = corners_[indices[i]];
    corner.x += offset.x;
    corner.y += offset.y;
  }
  return indices.count;
}

void FcCornerEntity::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBit(1);
  filer.WriteBitDouble(0.0);
  for (const int index : style_.fileOrder) {
    filer.WriteRawDouble(corners_[index].x);
    filer.WriteRawDouble(corners_[index].y);
  }
  filer.WriteBit(1);
}

int FcCornerEntity::ReadDwgData(FcFilerDwg& filer) {
  double thickness = 0.0;
  double elevation = 0.0;
  if (!filer.ReadThickness(thickness) || !filer.ReadBitDouble(elevation)) {
    return kFcStatusReadError;
  }
  Corners corners;
  for (const int index : style_.fileOrder) {
    if (!filer.ReadRawDouble(corners[index].x) || !filer.ReadRawDouble(corners[index].y)) {
      return kFcStatusReadError;
    }
  }
  double extrusion[3] = {};
  if (!filer.ReadExtrusion(extrusion)) return kFcStatusReadError;
  corners_ = corners;
  return kFcStatusOk;
}

void FcCornerEntity::GetSnapSegments(int, const FcPoint2d&, int subIndex,
                                     const FcMatrix2d& matrix, GeomSegmentList& segments) {
  if (subIndex < 1 || subIndex > kCornerCount) return;
  const FcPoint2d& from = corners_[style_.outline[subIndex - 1]];
  const FcPoint2d& to = corners_[style_.outline[subIndex % kCornerCount]];
  AppendLineSegment(segments, from, to, kLineExtentSegment, kSnapTagBoundedLine, matrix);
}
