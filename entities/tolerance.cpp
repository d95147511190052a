#include "entities/tolerance.h"

#include <cmath>
#include <cstring>
#include <new>

#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "database/extended_data.h"
#include "database/graph.h"
#include "entities/annotation_style.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

constexpr int kDimTxtCode = 140;

bool IsText(const FcResBuf* item, int code, const char* text) {
  return item != nullptr && item->type == code && item->text != nullptr && std::strcmp(item->text, text) == 0;
}

// Every occurrence of `from` in the text replaced by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Sets the value of the (1070 code, value) pair inside the "DSTYLE" braces
// of an override chain, adding the pair before the closing brace when it
// is missing. False when the chain has no such braces or a node cannot be
// made.
bool SetOverridePair(FcResBuf* head, int code, double value) {
  FcResBuf* open = head;
  while (open != nullptr && !IsText(open, 1000, "DSTYLE")) open = open->next;
  if (open == nullptr || !IsText(open->next, 1002, "{")) return false;
  FcResBuf* before = open->next;
  for (FcResBuf* item = before->next; item != nullptr; before = item, item = item->next) {
    if (IsText(item, 1002, "}")) {
      FcResBuf* pair = BuildResBufList(1070, code, 1040, value, 0);
      if (pair == nullptr) return false;
      pair->next->next = item;
      before->next = pair;
      return true;
    }
    if (item->type == 1070 && item->intValue == code && item->next != nullptr && item->next->type != 1002) {
      item->next->type = 1040;
      item->next->realValue = value;
      return true;
    }
    if (item->type == 1070 && item->next != nullptr && item->next->type != 1002) item = item->next;
  }
  return false;
}

}  // namespace

FcTolerance::FcTolerance() {
  SetRecordName(kRecordName);
  SetKind(kEntityTolerance);
  SetDwgType(kDwgType);
}

FcTolerance::FcTolerance(const FcTolerance& other) : FcTolerance() { Copy(&other); }

FcObject* FcTolerance::Create() { return new (std::nothrow) FcTolerance; }

void FcTolerance::SetDirection(const FcPoint2d& direction) {
  const double length = std::hypot(direction.x, direction.y);
  direction_ = length > 0.0 && std::isfinite(length) ? FcPoint2d{direction.x / length, direction.y / length}
                                                     : FcPoint2d{1.0, 0.0};
}

bool FcTolerance::SetText(std::string_view text) {
  text_ = std::string(text.substr(0, kMaxText));
  return text.size() <= kMaxText;
}

void FcTolerance::SetDimStyleOverride(double height) {
  FcGraph* graph = OwnerGraphOf(*this);
  if (graph == nullptr) return;
  FcAppID* application = graph->GetAppIdList().FindByName("ACAD");
  if (application == nullptr) application = graph->AddAppId("ACAD");
  if (application == nullptr) return;
  FcExtendData* block = GetXdata().FindByAppName("ACAD");
  if (block == nullptr) {
    block = GetXdata().AddNew();
    if (block == nullptr) return;
    block->application = application;
  }
  if (SetOverridePair(block->head, kDimTxtCode, height)) return;
  FcResBuf* chain = BuildResBufList(1000, "DSTYLE", 1002, "{", 1070, kDimTxtCode, 1040, height, 1002, "}", 0);
  if (chain != nullptr) block->SetChain(chain);
}

void FcTolerance::MarkReferences() {
  FcEntity::MarkReferences();
  if (FcDimStyle* style = ResolveDimStyle()) style->SetUnreferenced(false);
}

FcEntity* FcTolerance::Clone() const { return new (std::nothrow) FcTolerance(*this); }

void FcTolerance::CopyOwnFields(const FcTolerance& other) {
  insertion_ = other.insertion_;
  direction_ = other.direction_;
  text_ = other.text_;
}

void FcTolerance::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* tolerance = dynamic_cast<const FcTolerance*>(other);
  if (tolerance == nullptr) return;
  CopyOwnFields(*tolerance);
  style_ = {nullptr, tolerance->style_.handle};
  ResolveDimStyle();
}

FcEntity* FcTolerance::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcTolerance::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* tolerance = dynamic_cast<const FcTolerance*>(other);
  if (tolerance == nullptr) return;
  CopyOwnFields(*tolerance);
  style_.BindLike(tolerance->style_.style, target);
}

void FcTolerance::Transform(const FcMatrix2d& matrix) {
  FcPoint2d ahead{insertion_.x + direction_.x, insertion_.y + direction_.y};
  TransformPoint(matrix, insertion_);
  TransformPoint(matrix, ahead);
  SetDirection({ahead.x - insertion_.x, ahead.y - insertion_.y});
  FcDimStyle* style = ResolveDimStyle();
  if (style == nullptr) return;
  double height = 0.0;
  {
    FcStyleOverrideScope overrides(style, *this);
    height = style->GetDimTxt();
  }
  const double scaled = std::hypot(matrix.b * height, matrix.e * height);
  if (std::isfinite(scaled)) SetDimStyleOverride(scaled);
}

void FcTolerance::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FormattedPoint at = FormatPoint(insertion_, graph);
  PrintMessage("  Position: X= " + at.x + "    Y= " + at.y);
  PrintMessage("  Text: " + text_);
  const FcDimStyle* style = ResolveDimStyle();
  PrintMessage("dimension style: " + (style != nullptr ? style->GetName() : std::string()));
}

void FcTolerance::GetGripPoints(FcPoint2dArray& points) {
  for (const FcPoint2d& point : framePoints_) points.Add(point);
}

int FcTolerance::MoveGripPoints(const CIntArray&, const FcPoint2d& offset) {
  insertion_.x += offset.x;
  insertion_.y += offset.y;
  for (FcPoint2d& point : framePoints_) {
    point.x += offset.x;
    point.y += offset.y;
  }
  return static_cast<int>(framePoints_.size());
}

void FcTolerance::GetBoundarySegments(const FcMatrix2d&, GeomSegmentList&) {}

void FcTolerance::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  const std::size_t count = framePoints_.size();
  if (count <= 2) return;
  auto edge = [&](std::size_t from, std::size_t to) {
    AppendLineSegment(segments, framePoints_[from], framePoints_[to], kLineExtentSegment, kSnapTagBoundedLine, matrix);
  };
  edge(1, 2);
  for (std::size_t row = 1; 4 * row < count; ++row) {
    edge(4 * row - 3, 4 * row - 1);
    edge(4 * row - 2, 4 * row);
    edge(4 * row - 1, 4 * row);
  }
}

int FcTolerance::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  const FcDimStyle* style = ResolveDimStyle();
  filer.WriteString(100, kSubclassMarker);
  filer.WriteString(3, style != nullptr ? std::string_view(style->GetName()) : std::string_view());
  WriteDxfPoint(filer, 10, insertion_);
  filer.WriteString(1, ReplaceAll(text_, "\n", "^J"));
  if (direction_.x != 1.0 || direction_.y != 0.0) WriteDxfPoint(filer, 11, direction_);
  return kFcStatusOk;
}

int FcTolerance::ReadToleranceGroup(FcFiler& filer, const FcResBuf& group) {
  switch (group.type) {
    case 1: SetText(group.text != nullptr ? group.text : ""); break;
    case 3:
      style_.BindByName(filer.GetGraph(), group.text != nullptr ? group.text : "");
      break;
    case 10:
      if (std::isfinite(group.x) && std::isfinite(group.y)) insertion_ = {group.x, group.y};
      break;
    case 11: SetDirection({group.x, group.y}); break;
    default: break;
  }
  return kFcStatusOk;
}

int FcTolerance::ReadDxf(FcFiler& filer) {
  const int result = ReadEntityDxf(*this, filer, kSubclassMarker,
                                   [this, &filer](const FcResBuf& group) { return ReadToleranceGroup(filer, group); });
  if (result != kFcStatusOk) return result;
  if (style_.style == nullptr && filer.GetGraph() != nullptr) SetDimStyle(filer.GetGraph()->GetCurrentDimStyle());
  return kFcStatusOk;
}

void FcTolerance::WriteDwgData(FcFilerDwg& filer) {
  for (double value : {insertion_.x, insertion_.y, 0.0, direction_.x, direction_.y, 0.0, 0.0, 0.0, 1.0}) {
    filer.WriteBitDouble(value);
  }
  filer.WriteText(ReplaceAll(text_, "^J", "\n"));
}

int FcTolerance::ReadDwgData(FcFilerDwg& filer) {
  if (filer.GetVersion() < FcFilerDwg::kVersion2000) {
    std::int16_t ignored = 0;
    double height = 0.0;
    double gap = 0.0;
    if (!filer.ReadBitShort(ignored) || !filer.ReadBitDouble(height) || !filer.ReadBitDouble(gap)) {
      return kFcStatusReadError;
    }
  }
  double insertion[3] = {};
  double direction[3] = {};
  double extrusion[3] = {};
  std::string text;
  if (!filer.Read3BitDouble(insertion) || !filer.Read3BitDouble(direction) || !filer.Read3BitDouble(extrusion) ||
      !filer.ReadText(text)) {
    return kFcStatusReadError;
  }
  if (std::isfinite(insertion[0]) && std::isfinite(insertion[1])) insertion_ = {insertion[0], insertion[1]};
  SetDirection({direction[0], direction[1]});
  text = ReplaceAll(std::move(text), "\n\r", "\n");
  text = ReplaceAll(std::move(text), "\r\n", "\n");
  SetText(ReplaceAll(std::move(text), "\n", "^J"));
  return kFcStatusOk;
}

void FcTolerance::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  if (style_.handle == 0) ResolveDimStyle();
  filer.WriteHandleRef(5, 0, style_.handle);
}

int FcTolerance::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  FcHandle handle = 0;
  if (!filer.ReadHandleRef(handle, GetHandle())) return kFcStatusReadError;
  return style_.BindByHandle(filer.GetGraph(), handle) ? kFcStatusOk : kFcStatusReadError;
}
