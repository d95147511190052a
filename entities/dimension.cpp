#include "entities/dimension.h"

#include <cmath>
#include <string>

#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/dimension_block_sink.h"
#include "entities/dimension_geometry.h"
#include "entities/entity_listing.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

FcPoint2d PointOf(const FcResBuf& group) { return {group.x, group.y}; }

// Values from files may be anything; a point that is not finite reads as
// the origin, so that no rebuild works with NaN.
FcPoint2d FinitePoint(const FcResBuf& group) {
  return std::isfinite(group.x) && std::isfinite(group.y) ? PointOf(group) : FcPoint2d{};
}

double FiniteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

FcDimension::FcDimension(std::uint8_t type, DwgObjectType dwgType) : type_(type) {
  SetRecordName(kRecordName);
  SetKind(kEntityDimension);
  SetDwgType(dwgType);
}

FcDimension::FcDimension(const FcDimension& other) : FcDimension(other.type_, other.GetDwgType()) {
  FcEntity::Copy(&other);
  CopyDimensionFields(other);
  ResolveDimStyle();
}

FcDimension::~FcDimension() = default;

void FcDimension::SetTextOverride(std::string_view text) {
  textOverride_ = std::string(text.substr(0, kMaxTextOverride));
}

void FcDimension::SetDimStyle(FcDimStyle* style) {
  style_ = style;
  styleHandle_ = style != nullptr ? style->GetHandle() : 0;
}

FcBlock* FcDimension::GetDimBlock() const {
  if (block_ != nullptr || blockHandle_ == 0) return block_;
  const FcGraph* graph = OwnerGraphOf(*this);
  if (graph != nullptr) block_ = graph->GetBlockList().FindByHandle(blockHandle_);
  return block_;
}

FcBlock* FcDimension::GetReferencedBlock() const { return GetDimBlock(); }

void FcDimension::BindBlock(FcBlock* block) {
  block_ = block;
  blockHandle_ = block != nullptr ? block->GetHandle() : 0;
}

FcDimStyle* FcDimension::ResolveDimStyle() {
  if (style_ != nullptr) return style_;
  FcGraph* graph = OwnerGraphOf(*this);
  if (graph == nullptr) return nullptr;
  FcDimStyle* style = styleHandle_ != 0 ? graph->GetDimStyleList().FindByHandle(styleHandle_) : nullptr;
  SetDimStyle(style != nullptr ? style : graph->GetCurrentDimStyle());
  return style_;
}

void FcDimension::CopyDimensionFields(const FcDimension& other) {
  cloneInsertion_ = other.cloneInsertion_;
  type_ = other.type_;
  p16_ = other.p16_;
  p13_ = other.p13_;
  p14_ = other.p14_;
  p15_ = other.p15_;
  leaderLength_ = other.leaderLength_;
  rotation_ = other.rotation_;
  textRotation_ = other.textRotation_;
  oblique_ = other.oblique_;
  textMidpoint_ = other.textMidpoint_;
  p10_ = other.p10_;
  horizontalDirection_ = other.horizontalDirection_;
  attachment_ = other.attachment_;
  lineSpacingStyle_ = other.lineSpacingStyle_;
  lineSpacingFactor_ = other.lineSpacingFactor_;
  measurement_ = other.measurement_;
  textOverride_ = other.textOverride_;
  styleHandle_ = other.styleHandle_;
  style_ = nullptr;
  blockHandle_ = 0;
  block_ = nullptr;
}

void FcDimension::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* dimension = dynamic_cast<const FcDimension*>(other);
  if (dimension == nullptr) return;
  CopyDimensionFields(*dimension);
  ResolveDimStyle();
}

void FcDimension::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* dimension = dynamic_cast<const FcDimension*>(other);
  if (dimension == nullptr) return;
  CopyDimensionFields(*dimension);
  const FcDimStyle* theirs = dimension->style_;
  if (theirs == nullptr && dimension->styleHandle_ != 0) {
    if (const FcGraph* source = OwnerGraphOf(*dimension)) {
      theirs = source->GetDimStyleList().FindByHandle(dimension->styleHandle_);
    }
  }
  FcDimStyle* ours = theirs != nullptr ? target.GetDimStyleList().Find(theirs->GetName()) : nullptr;
  SetDimStyle(ours != nullptr ? ours : target.GetCurrentDimStyle());
}

void FcDimension::AdoptCopiedBlock(const FcEntity& source, FcGraph& target) {
  const FcBlock* theirs = source.GetReferencedBlock();
  FcBlock* ours = theirs != nullptr ? target.GetBlockList().FindByName(theirs->GetName()) : nullptr;
  if (ours != nullptr) {
    BindBlock(ours);
    return;
  }
  RebuildBlock();
}

int FcDimension::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  ResolveDimStyle();
  const FcBlock* block = GetDimBlock();
  filer.WriteString(100, kSubclassMarker);
  filer.WriteString(2, block != nullptr ? std::string_view(block->GetName()) : std::string_view());
  WriteDxfPoint(filer, 10, p10_);
  WriteDxfPoint(filer, 11, textMidpoint_);
  WriteDxfPoint(filer, 12, cloneInsertion_);
  filer.WriteInt(70, type_);
  filer.WriteInt(71, attachment_);
  if (lineSpacingStyle_ != 1) filer.WriteInt(72, lineSpacingStyle_);
  if (lineSpacingFactor_ != 1.0) filer.WriteReal(41, lineSpacingFactor_);
  filer.WriteReal(42, measurement_);
  filer.WriteString(1, textOverride_);
  if (horizontalDirection_ != 0.0) filer.WriteReal(51, horizontalDirection_ * kDimDegreesPerRadian);
  if (textRotation_ != 0.0) filer.WriteReal(53, textRotation_ * kDimDegreesPerRadian);
  filer.WriteString(3, style_ != nullptr ? std::string_view(style_->GetName()) : std::string_view());
  return kFcStatusOk;
}

// Every group of every dimension kind: files that write no subclass
// markers hand them all to the first reader.
int FcDimension::ReadDimensionGroup(FcFiler& filer, const FcResBuf& group) {
  FcGraph* graph = filer.GetGraph();
  switch (group.type) {
    case 1:
      SetTextOverride(TextOf(group));
      break;
    case 2:
      if (graph != nullptr) BindBlock(graph->GetBlockList().FindByName(TextOf(group)));
      break;
    case 3:
      if (graph != nullptr) {
        FcDimStyle* style = graph->GetDimStyleList().Find(TextOf(group));
        SetDimStyle(style != nullptr ? style : graph->GetCurrentDimStyle());
      }
      break;
    case 10: p10_ = FinitePoint(group); break;
    case 11: textMidpoint_ = FinitePoint(group); break;
    case 12: cloneInsertion_ = FinitePoint(group); break;
    case 13: p13_ = FinitePoint(group); break;
    case 14: p14_ = FinitePoint(group); break;
    case 15: p15_ = FinitePoint(group); break;
    case 16: p16_ = FinitePoint(group); break;
    case 41: lineSpacingFactor_ = FiniteOr(group.realValue, 1.0); break;
    // Kept until a rebuild measures again: a block read with the dimension
    // is drawn as it stands, and the file written back carries the value.
    case 42: measurement_ = FiniteOr(group.realValue, 0.0); break;
    case 50: rotation_ = FiniteOr(group.realValue, 0.0); break;
    case 51: horizontalDirection_ = FiniteOr(group.realValue, 0.0); break;
    case 53: textRotation_ = FiniteOr(group.realValue, 0.0); break;
    case 70: type_ = static_cast<std::uint8_t>(group.intValue & 0xff); break;
    case 71: attachment_ = static_cast<std::int16_t>(group.intValue); break;
    case 72: lineSpacingStyle_ = static_cast<std::int16_t>(group.intValue); break;
    default: break;
  }
  return kFcStatusOk;
}

int FcDimension::ReadDxf(FcFiler& filer) {
  int result = ReadEntityDxf(*this, filer, kSubclassMarker,
                             [this, &filer](const FcResBuf& group) { return ReadDimensionGroup(filer, group); });
  if (result == kFcStatusOk) result = ReadSubclassesDxf(filer);
  if (result != kFcStatusOk) return result;
  if (style_ == nullptr && filer.GetGraph() != nullptr) SetDimStyle(filer.GetGraph()->GetCurrentDimStyle());
  return kFcStatusOk;
}

int FcDimension::ReadSubclassesDxf(FcFiler& filer) {
  // The kind's markers follow in the order the kind writes them; files of
  // other programs put them in other orders or leave one out, and every
  // group is known to the one reader, so each marker that follows is read.
  FcResBuf group;
  for (;;) {
    if (!filer.ReadGroup(group)) return kFcStatusEnd;
    filer.UnreadGroup();
    if (group.type != 100) break;
    const std::string next = TextOf(group);
    const int result = ReadEntitySubclassDxf(*this, filer, next, [this, &filer](const FcResBuf& own) {
      return ReadDimensionGroup(filer, own);
    });
    if (result != kFcStatusOk) return result;
  }
  return kFcStatusOk;
}

void FcDimension::RebuildIfPlaced() {
  if (IsPlaced()) RebuildBlock();
}

void FcDimension::TransformDefinitionPoints(const FcMatrix2d& matrix) {
  for (FcPoint2d* p : {&p10_, &p13_, &p14_, &p15_, &p16_, &textMidpoint_}) TransformPoint(matrix, *p);
}

void FcDimension::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(1.0);
  filer.WriteRawDouble(textMidpoint_.x);
  filer.WriteRawDouble(textMidpoint_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteRawChar(static_cast<std::int8_t>(IsUserText() ? 0 : 1));
  filer.WriteText(textOverride_);
  filer.WriteBitDouble(textRotation_);
  filer.WriteBitDouble(horizontalDirection_);
  filer.WriteBitDouble(1.0);
  filer.WriteBitDouble(1.0);
  filer.WriteBitDouble(1.0);
  filer.WriteBitDouble(0.0);
  if (filer.GetVersion() >= FcFilerDwg::kVersion2000) {
    filer.WriteBitShort(attachment_);
    filer.WriteBitShort(lineSpacingStyle_);
    filer.WriteBitDouble(lineSpacingFactor_);
    filer.WriteBitDouble(measurement_);
  }
  filer.WriteRawDouble(cloneInsertion_.x);
  filer.WriteRawDouble(cloneInsertion_.y);
}

int FcDimension::ReadDwgData(FcFilerDwg& filer) {
  double ignored = 0.0;
  double midpoint[2] = {};
  std::uint8_t flags = 0;
  std::string text;
  double textRotation = 0.0;
  double horizontal = 0.0;
  for (int i = 0; i < 3; ++i) {
    if (!filer.ReadBitDouble(ignored)) return kFcStatusReadError;
  }
  if (!filer.Read2RawDouble(midpoint) || !filer.ReadBitDouble(ignored) || !filer.ReadRawChar(flags) ||
      !filer.ReadText(text) || !filer.ReadBitDouble(textRotation) || !filer.ReadBitDouble(horizontal)) {
    return kFcStatusReadError;
  }
  for (int i = 0; i < 4; ++i) {
    if (!filer.ReadBitDouble(ignored)) return kFcStatusReadError;
  }
  if (filer.GetVersion() >= FcFilerDwg::kVersion2000) {
    std::int16_t attachment = 0;
    std::int16_t spacingStyle = 0;
    double spacingFactor = 0.0;
    double measurement = 0.0;
    if (!filer.ReadBitShort(attachment) || !filer.ReadBitShort(spacingStyle) ||
        !filer.ReadBitDouble(spacingFactor) || !filer.ReadBitDouble(measurement)) {
      return kFcStatusReadError;
    }
    attachment_ = attachment;
    lineSpacingStyle_ = spacingStyle;
    lineSpacingFactor_ = FiniteOr(spacingFactor, 1.0);
    measurement_ = FiniteOr(measurement, 0.0);
  }
  double insertion[2] = {};
  if (!filer.Read2RawDouble(insertion)) return kFcStatusReadError;
  textMidpoint_ = std::isfinite(midpoint[0]) && std::isfinite(midpoint[1]) ? FcPoint2d{midpoint[0], midpoint[1]} : FcPoint2d{};
  type_ = static_cast<std::uint8_t>((flags & 1) != 0 ? type_ & ~kDimUserText : type_ | kDimUserText);
  SetTextOverride(text);
  textRotation_ = FiniteOr(textRotation, 0.0);
  horizontalDirection_ = FiniteOr(horizontal, 0.0);
  cloneInsertion_ = std::isfinite(insertion[0]) && std::isfinite(insertion[1]) ? FcPoint2d{insertion[0], insertion[1]} : FcPoint2d{};
  return kFcStatusOk;
}

void FcDimension::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  if (styleHandle_ == 0) ResolveDimStyle();
  GetDimBlock();
  filer.WriteHandleRef(5, 0, styleHandle_);
  filer.WriteHandleRef(5, 0, blockHandle_);
}

int FcDimension::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  FcHandle style = 0;
  FcHandle block = 0;
  if (!filer.ReadHandleRef(style, GetHandle()) || !filer.ReadHandleRef(block, GetHandle())) return kFcStatusReadError;
  FcGraph* graph = filer.GetGraph();
  if (graph == nullptr) return kFcStatusReadError;
  FcDimStyle* found = graph->GetDimStyleList().FindByHandle(style);
  if (found == nullptr) found = graph->GetCurrentDimStyle();
  if (found == nullptr) return kFcStatusReadError;
  SetDimStyle(found);
  // The block may come later in the file than the dimension: it is looked
  // up by its handle when first needed, and built anew when none has it.
  block_ = nullptr;
  blockHandle_ = block;
  return kFcStatusOk;
}

FcEntity* FcDimension::FindObjectByHandle(FcHandle handle) {
  FcBlock* block = GetDimBlock();
  if (block == nullptr) return nullptr;
  const FcEntitySets& entities = block->GetEntities();
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    if (entities.GetAt(i)->GetHandle() == handle) return entities.GetAt(i);
  }
  return nullptr;
}

void FcDimension::MarkReferences() {
  FcEntity::MarkReferences();
  if (FcBlock* block = GetDimBlock()) {
    block->SetUnreferenced(false);
    block->MarkReferences();
  }
  if (FcDimStyle* style = ResolveDimStyle()) {
    style->SetUnreferenced(false);
    style->MarkBlocksReferenced();
  }
}

bool FcDimension::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  FcBlock* block = GetDimBlock();
  if (block == nullptr && IsPlaced()) {
    RebuildBlock();
    block = GetDimBlock();
  }
  if (block == nullptr) return true;
  DrawBlock(*block, *sink);
  return true;
}

void FcDimension::DrawBlock(FcBlock& block, FcDrawSink& sink) {
  // The colour that the block's ByBlock entities take.
  const FcLayer* layer = GetLayer() != nullptr ? GetLayer() : sink.GetPenContext().currentLayer;
  const std::int16_t layerColor = layer != nullptr ? layer->GetColor() : FcLayer::kDefaultColor;
  std::int16_t color = GetColor();
  if (color == kColorByLayer) color = layerColor;
  if (color == kColorByBlock) {
    const FcBlock* holder = GetBlock();
    color = holder != nullptr && holder->GetByBlockColor() != kColorByLayer ? holder->GetByBlockColor() : layerColor;
  }
  const std::int16_t savedColor = block.GetByBlockColor();
  FcLineType* savedLinetype = block.GetByBlockLinetype();
  if (color >= 0) block.SetByBlockColor(color);
  if (GetLinetype() == LinetypeByBlock()) {
    const FcBlock* holder = GetBlock();
    FcLineType* inherited = holder != nullptr ? holder->GetByBlockLinetype() : nullptr;
    block.SetByBlockLinetype(inherited != nullptr ? inherited : (layer != nullptr ? layer->GetLinetype() : nullptr));
  } else if (GetLinetype() != nullptr) {
    block.SetByBlockLinetype(GetLinetype());
  } else if (layer != nullptr) {
    block.SetByBlockLinetype(layer->GetLinetype());
  }
  FcDimensionBlockSink inner(sink, GetHandle(), cloneInsertion_, GetLayer());
  for (FcEntity* entity : block.GetEntities()) entity->Draw(&inner);
  block.SetByBlockColor(savedColor);
  block.SetByBlockLinetype(savedLinetype);
}

bool FcDimension::Explode(FcEntitySets& target) {
  FcBlock* block = GetDimBlock();
  if (block == nullptr || block->GetEntities().GetCount() == 0) return false;
  FcMatrix2d matrix;
  matrix.c = cloneInsertion_.x;
  matrix.f = cloneInsertion_.y;
  const FcEntitySets& entities = block->GetEntities();
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    const FcEntity* source = entities.GetAt(i);
    FcEntity* clone = source->TransformedClone(matrix);
    if (clone == nullptr) continue;
    if (source->GetLayer() != nullptr && clone->GetLayer() != source->GetLayer()) clone->SetLayer(source->GetLayer());
    target.Add(clone);
  }
  return true;
}

void FcDimension::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) {}

void FcDimension::GetBlockSnapSegments(int mode, const FcPoint2d& pickPoint, FcHandle subEntity, int subIndex, int,
                                       const FcMatrix2d& matrix, GeomSegmentList& segments) {
  FcEntity* entity = FindObjectByHandle(subEntity);
  if (entity == nullptr) return;
  FcMatrix2d shifted = matrix;
  shifted.c += matrix.a * cloneInsertion_.x + matrix.b * cloneInsertion_.y;
  shifted.f += matrix.d * cloneInsertion_.x + matrix.e * cloneInsertion_.y;
  entity->GetSnapSegments(mode, pickPoint, subIndex, shifted, segments);
}

void FcDimension::ListTextAndStyle() {
  ListDimPoint("default text position:", textMidpoint_, *this);
  PrintMessage("default text " + textOverride_);
  const FcDimStyle* style = ResolveDimStyle();
  PrintMessage("dimension style: " + (style != nullptr ? style->GetName() : std::string()));
}
