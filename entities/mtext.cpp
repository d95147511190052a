#include "entities/mtext.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "entities/text_style_lookup.h"
#include "platform/frame_link.h"

namespace {

const char* const kAttachmentNames[] = {"top left",      "Top center",  "Top right",
                                        "Middle left",   "Middle center", "Middle right",
                                        "Bottom left",   "Bottom center", "Bottom right"};

bool IsValidAttachment(int attachment) { return attachment >= 1 && attachment <= 9; }

FcPoint2d TextToWorld(const FcPoint2d& local, const FcPoint2d& origin, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {origin.x + local.x * c - local.y * s, origin.y + local.x * s + local.y * c};
}

}  // namespace

FcMText::FcMText() {
  SetRecordName(kRecordName);
  SetKind(kEntityMText);
  SetDwgType(kDwgType);
}

FcMText::FcMText(const FcMText& other) : FcMText() { Copy(&other); }

FcObject* FcMText::Create() { return new (std::nothrow) FcMText; }

void FcMText::SetStyle(FcTextStyle* style) {
  if (style == nullptr) return;
  style_ = style;
  styleHandle_ = style->GetHandle();
}

void FcMText::SetContents(const char* contents) { contents_ = contents != nullptr ? contents : ""; }

void FcMText::SetReferenceWidth(double width) {
  if (width > 0.0) referenceWidth_ = width;
}

void FcMText::SetHeight(double height) {
  if (height >= 0.0) height_ = height;
}

void FcMText::SetLineSpacingFactor(double factor) {
  if (factor >= 0.25 && factor <= 4.0) lineSpacingFactor_ = factor;
}

void FcMText::SetXDirection(const FcPoint2d& direction) {
  const double length = std::hypot(direction.x, direction.y);
  xDirection_ = length > 0.0 && std::isfinite(length) ? FcPoint2d{direction.x / length, direction.y / length}
                                                      : FcPoint2d{1.0, 0.0};
}

double FcMText::GetDirectionAngle() const {
  double angle = std::atan2(xDirection_.y, xDirection_.x);
  NormalizeAngle(angle);
  return angle;
}

double FcMText::GetRotationAngle() const {
  const FcGraph* graph = OwnerGraphOf(*this);
  const FcSystemVar defaults;
  const FcSystemVar& vars = graph != nullptr ? graph->GetSysVars() : defaults;
  double angle = GetDirectionAngle() - vars.angbase;
  if (angle < 0.0) angle += kTwoPi;
  if (vars.angdir == 1) angle = kTwoPi - angle;
  return angle;
}

FcTextStyle* FcMText::GetStyle() {
  FcGraph* graph = OwnerGraphOf(*this);
  if (graph == nullptr) return style_;
  const FcTextStyleList& styles = graph->GetTextStyleList();
  if (style_ != nullptr && styles.FindByHandle(style_->GetHandle()) == style_) return style_;
  style_ = styles.FindByHandle(styleHandle_);
  if (style_ == nullptr) SetStyle(graph->GetCurrentTextStyle());
  return style_;
}

void FcMText::MarkReferences() {
  FcEntity::MarkReferences();
  if (FcTextStyle* style = GetStyle()) style->SetUnreferenced(false);
}

FcEntity* FcMText::Clone() const { return new (std::nothrow) FcMText(*this); }

void FcMText::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* text = dynamic_cast<const FcMText*>(other);
  if (text == nullptr) return;
  CopyOwnFields(*text);
  const FcGraph* graph = OwnerGraphOf(*text);
  FcTextStyle* style = graph != nullptr ? graph->GetTextStyleList().FindByHandle(text->styleHandle_) : text->style_;
  SetStyle(style);
}

FcEntity* FcMText::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcMText::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* text = dynamic_cast<const FcMText*>(other);
  if (text == nullptr) return;
  CopyOwnFields(*text);
  const FcGraph* sourceGraph = OwnerGraphOf(*text);
  const FcTextStyle* source =
      sourceGraph != nullptr ? sourceGraph->GetTextStyleList().FindByHandle(text->styleHandle_) : text->style_;
  SetStyle(StyleInOtherGraph(source, target));
}

void FcMText::CopyOwnFields(const FcMText& other) {
  insertion_ = other.insertion_;
  xDirection_ = other.xDirection_;
  height_ = other.height_;
  referenceWidth_ = other.referenceWidth_;
  attachment_ = other.attachment_;
  drawingDirection_ = other.drawingDirection_;
  lineSpacingStyle_ = other.lineSpacingStyle_;
  lineSpacingFactor_ = other.lineSpacingFactor_;
  contents_ = other.contents_;
}

void FcMText::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, insertion_);
  SetXDirection(TransformVector(matrix, {100.0 * xDirection_.x, 100.0 * xDirection_.y}));
  height_ *= std::hypot(matrix.b, matrix.e);
  referenceWidth_ *= std::hypot(matrix.a, matrix.d);
}

void FcMText::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FcTextStyle* style = GetStyle();
  PrintMessage("  Style = " + (style != nullptr ? style->GetName() : std::string()));
  const FormattedPoint location = FormatPoint(insertion_, graph);
  PrintMessage("  Location X= " + location.x + "    Y= " + location.y);
  PrintMessage("  Width\t" + FormatDrawingDistance(referenceWidth_, graph));
  PrintMessage("  Height\t" + FormatDrawingDistance(height_, graph));
  PrintMessage("  Rotation\t" + FormatDrawingAngle(GetRotationAngle(), graph));
  if (IsValidAttachment(attachment_)) {
    PrintMessage(std::string("  Attachment point\t") + kAttachmentNames[attachment_ - 1]);
  }
  PrintMessage("  Text\t" + contents_);
}

int FcMText::GripCorners(std::array<FcPoint2d, 4>& corners) const {
  if (!IsValidAttachment(attachment_)) return 0;
  const int column = (attachment_ - 1) % 3;
  const int row = (attachment_ - 1) / 3;
  const double w = referenceWidth_;
  const double h = laidOutHeight_;
  const double left = -0.5 * w * column;
  const double top = 0.5 * h * row;
  // (right, top) of each corner in grip order.
  const bool topRow = row == 0;
  const bool order[4][2] = {{false, topRow}, {false, !topRow}, {true, true}, {true, false}};
  int count = 0;
  for (const auto& corner : order) {
    const bool right = corner[0];
    const bool upper = corner[1];
    const bool onColumn = (column == 0 && !right) || (column == 2 && right);
    const bool onRow = (row == 0 && upper) || (row == 2 && !upper);
    if (onColumn && onRow) continue;
    corners[count++] = {left + (right ? w : 0.0), upper ? top : top - h};
  }
  return count;
}

void FcMText::GetGripPoints(FcPoint2dArray& points) {
  points.Add(insertion_);
  std::array<FcPoint2d, 4> corners;
  const int count = GripCorners(corners);
  const double angle = GetDirectionAngle();
  for (int i = 0; i < count; ++i) points.Add(TextToWorld(corners[i], insertion_, angle));
}

int FcMText::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count == 0) return 0;
  if (indices.Find(0) >= 0) {
    insertion_.x += offset.x;
    insertion_.y += offset.y;
    return indices.count;
  }
  std::array<FcPoint2d, 4> corners;
  const int count = GripCorners(corners);
  int dragged = indices[0];
  if (attachment_ == kMTextTopLeft && indices.Find(2) >= 0) dragged = 2;
  if (attachment_ == kMTextTopLeft && indices.Find(2) < 0 && indices.Find(3) >= 0) dragged = 3;
  if (dragged < 1 || dragged > count) return indices.count;
  const FcPoint2d corner = corners[dragged - 1];
  const int column = (attachment_ - 1) % 3;
  const double left = -0.5 * referenceWidth_ * column;
  const bool draggedRight = corner.x > left;
  // The edge that stays: the left one for left columns, the right one for
  // right columns, the one across from the dragged corner in the centre.
  const bool keepRight = column == 2 || (column == 1 && !draggedRight);
  const double edgeX = keepRight ? left + referenceWidth_ : left;
  // A corner on the edge that stays has no width to give.
  if (corner.x == edgeX) return indices.count;
  const double angle = GetDirectionAngle();
  FcPoint2d moved = TextToWorld(corner, insertion_, angle);
  moved.x += offset.x;
  moved.y += offset.y;
  SetReferenceWidth(PointLineDistance(moved, TextToWorld({edgeX, 0.0}, insertion_, angle),
                                      TextToWorld({edgeX, 1.0}, insertion_, angle)));
  return indices.count;
}

void FcMText::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  AppendPointSegment(segments, insertion_, kOsnapInsert, matrix);
}

bool FcMText::Draw(FcDrawSink* sink) {
  if (sink != nullptr) FcEntity::Draw(sink);
  return true;
}

bool FcMText::Explode(FcEntitySets&) { return false; }

void FcMText::GetBoundarySegments(const FcMatrix2d&, GeomSegmentList&) {}
