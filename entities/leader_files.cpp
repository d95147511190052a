#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/record_points.h"
#include "entities/annotation_style.h"
#include "entities/leader.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

std::string_view TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

// Values from files may be anything; what is not finite reads as the
// fallback, so that no drawing works with NaN.
FcPoint2d FinitePoint(double x, double y, const FcPoint2d& fallback) {
  return std::isfinite(x) && std::isfinite(y) ? FcPoint2d{x, y} : fallback;
}

double FiniteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

std::int16_t Flag(const FcResBuf& group) { return group.intValue != 0 ? 1 : 0; }

bool ReadFiniteDwgPoint3(FcFilerDwg& filer, FcPoint2d& point) {
  FcPoint2d read;
  if (!ReadDwgPoint3(filer, read)) return false;
  point = FinitePoint(read.x, read.y, {});
  return true;
}

bool SkipBitDoubles(FcFilerDwg& filer, int count) {
  double ignored = 0.0;
  for (int i = 0; i < count; ++i) {
    if (!filer.ReadBitDouble(ignored)) return false;
  }
  return true;
}

}  // namespace

int FcLeader::WriteDxf(FcFiler& filer) {
  const FcDimStyle* style = ResolveDimStyle();
  if (style == nullptr) return kFcStatusOk;
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  filer.WriteString(3, style->GetName());
  filer.WriteInt(71, arrowhead_);
  filer.WriteInt(72, pathType_);
  filer.WriteInt(73, creationFlag_);
  filer.WriteInt(74, hookDirection_);
  filer.WriteInt(75, hookLine_);
  filer.WriteReal(41, annotationWidth_);
  filer.WriteReal(40, annotationHeight_);
  filer.WriteInt(77, colorField_);
  filer.WriteInt(76, GetVertexCount());
  for (const FcPoint2d& vertex : vertices_) WriteDxfPoint3(filer, 10, vertex);
  WriteDxfPoint3(filer, 211, horizontalDirection_);
  WriteDxfPoint3(filer, 212, blockOffset_);
  WriteDxfPoint3(filer, 213, annotationOffset_);
  return kFcStatusOk;
}

int FcLeader::ReadLeaderGroup(FcFiler& filer, const FcResBuf& group) {
  switch (group.type) {
    case 3:
      style_.BindByName(filer.GetGraph(), TextOf(group));
      break;
    case 10: AppendVertex(FinitePoint(group.x, group.y, {})); break;
    case 40: annotationHeight_ = FiniteOr(group.realValue, 0.0); break;
    case 41: annotationWidth_ = FiniteOr(group.realValue, 0.0); break;
    case 71: arrowhead_ = Flag(group); break;
    case 72: pathType_ = Flag(group); break;
    case 73: creationFlag_ = static_cast<std::int16_t>(group.intValue); break;
    case 74: hookDirection_ = Flag(group); break;
    case 75: hookLine_ = Flag(group); break;
    // Only room: the vertices themselves count. A file cannot make the
    // reader reserve more than it will plausibly fill.
    case 76:
      if (group.intValue > 0) GrowVertices(std::min<std::size_t>(static_cast<std::size_t>(group.intValue), kMaxAnnouncedVertices));
      break;
    case 77: colorField_ = static_cast<std::int16_t>(group.intValue); break;
    case 211: horizontalDirection_ = FinitePoint(group.x, group.y, {1.0, 0.0}); break;
    case 212: blockOffset_ = FinitePoint(group.x, group.y, {}); break;
    case 213: annotationOffset_ = FinitePoint(group.x, group.y, {}); break;
    default: break;
  }
  return kFcStatusOk;
}

int FcLeader::ReadDxf(FcFiler& filer) {
  ClearVertices();
  const int result = ReadEntityDxf(*this, filer, kSubclassMarker,
                                   [this, &filer](const FcResBuf& group) { return ReadLeaderGroup(filer, group); });
  if (result != kFcStatusOk) return result;
  if (style_.style == nullptr && filer.GetGraph() != nullptr) SetDimStyle(filer.GetGraph()->GetCurrentDimStyle());
  return kFcStatusOk;
}

void FcLeader::WriteDwgData(FcFilerDwg& filer) {
  const bool hook = HasHookVertex();
  filer.WriteBit(0);
  filer.WriteBitShort(AnnotationType());
  filer.WriteBitShort(pathType_);
  filer.WriteBitLong(GetVertexCount() - (hook ? 1 : 0));
  const int hookIndex = hook ? GetVertexCount() - 2 : -1;
  for (int i = 0; i < GetVertexCount(); ++i) {
    if (i != hookIndex) WriteDwgPoint3(filer, vertices_[static_cast<std::size_t>(i)], 0.0);
  }
  WriteDwgPoint3(filer, annotationOffset_, 0.0);
  WriteDwgPoint3(filer, {0.0, 0.0}, 1.0);
  WriteDwgPoint3(filer, horizontalDirection_, 0.0);
  WriteDwgPoint3(filer, blockOffset_, 0.0);
  WriteDwgPoint3(filer, {0.0, 0.0}, 1.0);
  filer.WriteBitDouble(annotationHeight_);
  filer.WriteBitDouble(annotationWidth_);
  filer.WriteBit(static_cast<std::uint8_t>(hookDirection_ & 1));
  filer.WriteBit(static_cast<std::uint8_t>(arrowhead_ & 1));
  filer.WriteBitShort(0);
  filer.WriteBit(0);
  filer.WriteBit(0);
}

int FcLeader::ReadDwgData(FcFilerDwg& filer) {
  std::uint8_t bit = 0;
  std::int16_t shortValue = 0;
  std::int16_t annotationType = 0;
  std::int16_t pathType = 0;
  std::int32_t count = 0;
  if (!filer.ReadBit(bit) || !filer.ReadBitShort(annotationType) || !filer.ReadBitShort(pathType) ||
      !filer.ReadBitLong(count) || count < 0) {
    return kFcStatusReadError;
  }
  ClearVertices();
  // Each point takes at least six bits: a count the record cannot hold
  // ends in a failed read, never in a large allocation.
  for (std::int32_t i = 0; i < count; ++i) {
    FcPoint2d vertex;
    if (!ReadFiniteDwgPoint3(filer, vertex)) return kFcStatusReadError;
    AppendVertex(vertex);
  }
  FcPoint2d annotationOffset, horizontal, blockOffset, ignored;
  if (!ReadFiniteDwgPoint3(filer, annotationOffset) || !ReadFiniteDwgPoint3(filer, ignored) ||
      !ReadFiniteDwgPoint3(filer, horizontal) || !ReadFiniteDwgPoint3(filer, blockOffset)) {
    return kFcStatusReadError;
  }
  const std::int32_t version = filer.GetVersion();
  const bool r13 = version < FcFilerDwg::kVersionR14;
  const int skipped = r13 ? 1 : (version == FcFilerDwg::kVersionR14 ? 4 : 3);
  double height = 0.0;
  double width = 0.0;
  std::uint8_t hookDirection = 0;
  std::uint8_t arrowhead = 0;
  if (!SkipBitDoubles(filer, skipped) || !filer.ReadBitDouble(height) || !filer.ReadBitDouble(width) ||
      !filer.ReadBit(hookDirection) || !filer.ReadBit(arrowhead)) {
    return kFcStatusReadError;
  }
  if (version < FcFilerDwg::kVersion2000) {
    if (!filer.ReadBitShort(shortValue) || !SkipBitDoubles(filer, 1) || !filer.ReadBit(bit) || !filer.ReadBit(bit) ||
        !filer.ReadBitShort(shortValue)) {
      return kFcStatusReadError;
    }
  }
  if (!filer.ReadBitShort(shortValue) || !filer.ReadBit(bit) || !filer.ReadBit(bit)) return kFcStatusReadError;
  pathType_ = pathType != 0 ? 1 : 0;
  hookLine_ = annotationType != kNoAnnotation ? 1 : 0;
  annotationOffset_ = annotationOffset;
  horizontalDirection_ = horizontal;
  blockOffset_ = blockOffset;
  annotationHeight_ = FiniteOr(height, 0.0);
  annotationWidth_ = FiniteOr(width, 0.0);
  hookDirection_ = hookDirection & 1;
  arrowhead_ = arrowhead & 1;
  return kFcStatusOk;
}

// The record has no hook line flag: a leader without annotation has no
// hook, one with annotation has it, so the annotation type carries the flag
// and a reader knows whether to put a hook vertex back.
std::int16_t FcLeader::AnnotationType() const {
  if (hookLine_ == 0) return kNoAnnotation;
  const FcBlock* block = GetBlock();
  const FcEntity* annotation = annotationHandle_ != 0 && block != nullptr ? block->GetEntities().FindByHandle(annotationHandle_) : nullptr;
  if (annotation == nullptr) return kTextAnnotation;
  if (annotation->GetKind() == kEntityTolerance) return kToleranceAnnotation;
  if (annotation->GetKind() == kEntityInsert) return kBlockAnnotation;
  return kTextAnnotation;
}

void FcLeader::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  const FcBlock* block = GetBlock();
  const bool annotated =
      annotationHandle_ != 0 && block != nullptr && block->GetEntities().FindByHandle(annotationHandle_) != nullptr;
  filer.WriteHandleRef(5, 0, annotated ? annotationHandle_ : 0);
  if (style_.handle == 0) ResolveDimStyle();
  filer.WriteHandleRef(5, 0, style_.handle);
}

int FcLeader::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  FcHandle annotation = 0;
  FcHandle style = 0;
  if (!filer.ReadHandleRef(annotation, GetHandle()) || !filer.ReadHandleRef(style, GetHandle())) {
    return kFcStatusReadError;
  }
  if (!style_.BindByHandle(filer.GetGraph(), style)) return kFcStatusReadError;
  annotationHandle_ = annotation;
  RecreateHookVertex();
  return kFcStatusOk;
}

void FcLeader::RecreateHookVertex() {
  if (hookLine_ != 1 || pathType_ != 0 || vertices_.empty()) return;
  double size = 0.0;
  {
    FcStyleOverrideScope overrides(style_.style, *this);
    size = style_.style->GetDimAsz() * style_.style->GetDimScale();
  }
  if (!std::isfinite(size)) return;
  const double angle = std::atan2(horizontalDirection_.y, horizontalDirection_.x) + (hookDirection_ == 0 ? kPi : 0.0);
  const FcPoint2d& last = vertices_.back();
  const FcPoint2d hook{last.x + size * std::cos(angle), last.y + size * std::sin(angle)};
  if (vertices_.size() > 1 && !IsDifferentPoint(hook, last)) return;
  GrowVertices(1);
  vertices_.insert(vertices_.end() - 1, hook);
}
