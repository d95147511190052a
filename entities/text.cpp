#include "entities/text.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "database/text_style.h"
#include "entities/entity_clone.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "entities/text_style_lookup.h"

namespace {

FcPoint2d Along(const FcPoint2d& point, double angle, double distance) {
  return {point.x + distance * std::cos(angle), point.y + distance * std::sin(angle)};
}

// The style when it is still a record of the drawing's table.
bool IsStyleOf(const FcGraph* graph, const FcTextStyle* style) {
  return graph == nullptr || graph->GetTextStyleList().FindByHandle(style->GetHandle()) == style;
}

}  // namespace

FcText::FcText() : FcText(kRecordName, kEntityText, kDwgType) {}

FcText::FcText(const char* recordName, EntityKind kind, DwgObjectType dwgType) {
  SetRecordName(recordName);
  SetKind(kind);
  SetDwgType(dwgType);
}

FcText::FcText(const FcText& other) : FcText() { Copy(&other); }

FcObject* FcText::Create() { return new (std::nothrow) FcText; }

void FcText::SetText(std::string_view text) { text_ = text.substr(0, kMaxText); }

void FcText::SetHeight(double height) {
  if (height > 0.0) height_ = height;
}

void FcText::SetWidthFactor(double factor) {
  if (factor > 0.0) widthFactor_ = factor;
}

void FcText::SetStyle(FcTextStyle* style) {
  if (style == nullptr) return;
  style_ = style;
  styleName_ = style->GetName();
  styleHandle_ = style->GetHandle();
}

FcTextStyle* FcText::GetStyle() { return BindStyle(OwnerGraphOf(*this), true); }

FcTextStyle* FcText::BindStyle(FcGraph* graph, bool fallBackToCurrent) {
  if (style_ != nullptr && IsStyleOf(graph, style_)) return style_;
  style_ = nullptr;
  if (graph == nullptr) return nullptr;
  const FcTextStyleList& styles = graph->GetTextStyleList();
  if (FcTextStyle* byName = styles.Find(styleName_.str())) {
    style_ = byName;
    styleHandle_ = byName->GetHandle();
    return style_;
  }
  if (FcTextStyle* byHandle = styles.FindByHandle(styleHandle_)) {
    style_ = byHandle;
    styleName_ = byHandle->GetName();
    return style_;
  }
  if (!fallBackToCurrent) return nullptr;
  SetStyle(graph->GetCurrentTextStyle());
  return style_;
}

FcTextStyle* FcText::FindStyleForOutput(const FcGraph* graph) const {
  if (style_ != nullptr && IsStyleOf(graph, style_)) return style_;
  if (graph == nullptr) return nullptr;
  const FcTextStyleList& styles = graph->GetTextStyleList();
  if (FcTextStyle* byHandle = styles.FindByHandle(styleHandle_)) return byHandle;
  if (FcTextStyle* byName = styles.Find(styleName_.str())) return byName;
  return graph->GetCurrentTextStyle();
}

bool FcText::IsUpsideDown(const FcTextStyle* style) const {
  if (generationFlags_ != 0) return (generationFlags_ & kUpsideDown) != 0;
  return style != nullptr && (style->GetGenerationFlags() & kUpsideDown) != 0;
}

bool FcText::IsBackward(const FcTextStyle* style) const {
  if (generationFlags_ != 0) return (generationFlags_ & kBackward) != 0;
  return style != nullptr && (style->GetGenerationFlags() & kBackward) != 0;
}

void FcText::MarkReferences() {
  FcEntity::MarkReferences();
  if (FcTextStyle* style = BindStyle(OwnerGraphOf(*this), false)) style->SetUnreferenced(false);
}

FcEntity* FcText::Clone() const { return new (std::nothrow) FcText(*this); }

void FcText::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* text = dynamic_cast<const FcText*>(other);
  if (text == nullptr) return;
  CopyOwnFields(*text);
  style_ = text->style_;
  styleHandle_ = text->styleHandle_;
  styleName_ = text->styleName_;
}

FcEntity* FcText::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcText::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* text = dynamic_cast<const FcText*>(other);
  if (text == nullptr) return;
  CopyOwnFields(*text);
  style_ = nullptr;
  SetStyle(StyleInOtherGraph(text->FindStyleForOutput(OwnerGraphOf(*text)), target));
}

void FcText::CopyOwnFields(const FcText& other) {
  insertion_ = other.insertion_;
  text_ = other.text_;
  height_ = other.height_;
  rotation_ = other.rotation_;
  widthFactor_ = other.widthFactor_;
  obliqueAngle_ = other.obliqueAngle_;
  generationFlags_ = other.generationFlags_;
  horizontal_ = other.horizontal_;
  vertical_ = other.vertical_;
  alignment_ = other.alignment_;
  box_ = other.box_;
}

void FcText::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, insertion_);
  TransformPoint(matrix, alignment_);
  const FcPoint2d up = TransformVector(matrix, {0.0, height_});
  height_ = std::hypot(up.x, up.y);
  const FcPoint2d direction = TransformVector(matrix, {100.0 * std::cos(rotation_), 100.0 * std::sin(rotation_)});
  rotation_ = std::atan2(direction.y, direction.x);
  NormalizeAngle(rotation_);
  // The determinant, so that a mirror about any line is seen, not only
  // about lines parallel to the axes.
  if (matrix.a * matrix.e - matrix.b * matrix.d >= 0.0) return;
  const FcPoint2d width = TransformVector(matrix, {box_[3].x - box_[0].x, box_[3].y - box_[0].y});
  const FcPoint2d rise = TransformVector(matrix, {box_[1].x - box_[0].x, box_[1].y - box_[0].y});
  const FcGraph* graph = OwnerGraphOf(*this);
  const bool mirrorText = graph == nullptr || graph->GetSysVars().mirrtext != 0;
  if (mirrorText) {
    generationFlags_ = static_cast<std::int16_t>(generationFlags_ ^ kUpsideDown);
    if (vertical_ == kTextTop) {
      const double h = std::hypot(rise.x, rise.y);
      insertion_ = Along(insertion_, rotation_ + kHalfPi, h);
      alignment_ = Along(alignment_, rotation_ + kHalfPi, h);
    }
    return;
  }
  if (horizontal_ == kTextCenter || horizontal_ == kTextMiddle) {
    rotation_ += kPi;
  } else if (IsAlignedOrFit()) {
    std::swap(insertion_, alignment_);
    rotation_ = std::atan2(alignment_.y - insertion_.y, alignment_.x - insertion_.x);
  } else {
    // The anchor goes to the far end of the box: beyond its end for a left
    // text, back before its start for a right one. A left text with a
    // vertical justification is anchored at its alignment point, which
    // therefore moves the way the insertion point does.
    const double w = std::hypot(width.x, width.y);
    insertion_ = Along(insertion_, rotation_, w);
    const double along = horizontal_ == kTextLeft ? rotation_ : rotation_ + kPi;
    rotation_ += kPi;
    alignment_ = Along(alignment_, along, w);
  }
  NormalizeAngle(rotation_);
}

void FcText::GetGripPoints(FcPoint2dArray& points) {
  if (IsLeftBaseline() || IsAlignedOrFit()) points.Add(insertion_);
  if (!IsLeftBaseline()) points.Add(alignment_);
}

int FcText::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (!IsAlignedOrFit()) return FcEntity::MoveGripPoints(indices, offset);
  for (int i = 0; i < indices.count; ++i) {
    FcPoint2d& point = indices[i] == 0 ? insertion_ : alignment_;
    point.x += offset.x;
    point.y += offset.y;
  }
  if (IsDifferentPoint(insertion_, alignment_)) {
    rotation_ = std::atan2(alignment_.y - insertion_.y, alignment_.x - insertion_.x);
    NormalizeAngle(rotation_);
  }
  return indices.count;
}

void FcText::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  for (int i = 0; i < 4; ++i) {
    if (!AppendLineSegment(segments, box_[i], box_[(i + 1) % 4], kLineExtentSegment, kSnapTagBoundary, matrix)) return;
  }
}

void FcText::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  AppendPointSegment(segments, GetPlacementPoint(), kOsnapInsert, matrix);
}

