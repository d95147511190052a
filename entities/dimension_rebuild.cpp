#include <cmath>
#include <cstdio>
#include <new>
#include <string>
#include <utility>

#include "core/geometry_basics.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/extended_data.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "entities/dimension.h"
#include "entities/dimension_arrowheads.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_text.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/point_entity.h"

namespace {

constexpr const char* kDefPointsLayer = "Defpoints";
bool IsColor(std::int16_t color) { return color >= 0 && color <= 256; }

bool IsAngular(std::uint8_t type) {
  const int kind = type & 7;
  return kind == kDimTypeAngular2Line || kind == kDimTypeAngular3Point;
}

bool IsFinitePoint(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Deletes an entity that is in no block, taking it off its layer's member
// list first.
void DiscardEntity(FcEntity* entity) {
  if (entity == nullptr) return;
  if (entity->GetLayer() != nullptr) entity->GetLayer()->RemoveEntityHandle(entity);
  delete entity;
}

// Deletes the block's entities.
void EmptyBlock(FcBlock& block) {
  FcEntitySets& entities = block.GetEntities();
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    FcEntity* entity = entities.GetAt(i);
    block.RemoveEntity(entity);
    DiscardEntity(entity);
  }
}

}  // namespace

FcGraph* FcDimension::GetRebuildGraph() const {
  return placementGraph_ != nullptr ? placementGraph_ : OwnerGraphOf(*this);
}

bool FcDimension::BeginRebuild() {
  FcGraph* graph = GetRebuildGraph();
  if (graph == nullptr) return false;
  // A point that is not finite would spread into every line of the block:
  // the old block stays.
  for (const FcPoint2d& p : {p10_, p13_, p14_, p15_, p16_, textMidpoint_}) {
    if (!IsFinitePoint(p)) return false;
  }
  if (!std::isfinite(rotation_) || !std::isfinite(oblique_) || !std::isfinite(textRotation_) ||
      !std::isfinite(horizontalDirection_)) {
    return false;
  }
  FcLayer* defPoints = graph->FindOrCreateLayer(kDefPointsLayer);
  if (defPoints == nullptr) return false;
  defPoints->SetPlottable(false);
  FcDimStyle* style = ResolveDimStyle();
  if (style == nullptr) return false;
  style->SetOverrides(nullptr);
  if (const FcExtendData* overrides = std::as_const(*this).GetXdata().FindByAppName("ACAD")) style->SetOverrides(overrides->head);
  FcBlock* block = GetDimBlock();
  if (block != nullptr) {
    EmptyBlock(*block);
    return true;
  }
  block = graph->GetBlockList().AddAnonymousBlock();
  BindBlock(block);
  if (block == nullptr) style->SetOverrides(nullptr);
  return block != nullptr;
}

void FcDimension::EndRebuild() {
  if (style_ != nullptr) style_->SetOverrides(nullptr);
}

double FcDimension::ArrowSize() const { return ArrowheadSize(*style_); }

double FcDimension::TextGap() const { return std::fabs(SaneDimSize(style_->GetDimgap() * style_->GetDimScale())); }

void FcDimension::AddToBlock(FcEntity* entity) {
  FcBlock* block = GetDimBlock();
  FcGraph* graph = GetRebuildGraph();
  if (entity == nullptr || block == nullptr || graph == nullptr) {
    DiscardEntity(entity);
    return;
  }
  if (entity->GetHandle() == 0) graph->TakeHandle(*entity);
  if (entity->GetLayer() == nullptr) {
    FcLayer* layer = GetLayer() != nullptr ? GetLayer() : graph->GetCurrentLayer();
    if (layer != nullptr) entity->SetLayer(layer);
  }
  // Refused when it would make the block contain itself (an arrow block
  // that reaches this dimension).
  if (!block->AddEntity(entity)) DiscardEntity(entity);
}

void FcDimension::AddDefPoint(std::int16_t color, const FcPoint2d& point) {
  if (!IsFinitePoint(point)) return;
  auto* defPoint = new (std::nothrow) FcPointEnt;
  if (defPoint == nullptr) return;
  defPoint->SetLocation(point);
  if (IsColor(color)) defPoint->SetColor(color);
  if (FcGraph* graph = GetRebuildGraph()) {
    // The layer lists its members by handle: the handle comes first.
    graph->TakeHandle(*defPoint);
    if (FcLayer* layer = graph->GetLayerList().FindByName(kDefPointsLayer)) defPoint->SetLayer(layer);
  }
  AddToBlock(defPoint);
}

FcLine* FcDimension::AddBlockLine(const FcPoint2d& start, const FcPoint2d& end, std::int16_t color) {
  if (!IsFinitePoint(start) || !IsFinitePoint(end)) return nullptr;
  auto* line = new (std::nothrow) FcLine;
  if (line == nullptr) return nullptr;
  line->SetStartPoint(start);
  line->SetEndPoint(end);
  if (IsColor(color)) line->SetColor(color);
  line->SetLinetype(LinetypeByBlock());
  if (GetLinetypeScale() > 0.0) line->SetLinetypeScale(GetLinetypeScale());
  AddToBlock(line);
  return line;
}

void FcDimension::AddExtensionLine(const FcPoint2d& onDimLine, const FcPoint2d& defPoint, bool suppress) {
  AddDefPoint(kColorByBlock, defPoint);
  if (suppress || IsSamePoint(onDimLine, defPoint)) return;
  double a = std::atan2(onDimLine.y - defPoint.y, onDimLine.x - defPoint.x);
  NormalizeAngle(a);
  const double scale = style_->GetDimScale();
  double ext = SaneDimSize(style_->GetDimexe() * scale);
  double off = SaneDimSize(style_->GetDimexo() * scale);
  if ((GetDimType() & 7) == kDimTypeRotated) {
    double d = a - (kHalfPi + GetRotation());
    NormalizeAngle(d);
    if (d > kHalfPi && d < 3.0 * kHalfPi) {
      d -= kPi;
    } else if (d >= 3.0 * kHalfPi) {
      d = kTwoPi - d;
    }
    // A slant to either side of the square keeps the set lengths square
    // to the dimension line.
    d = std::fabs(d);
    if (d > 1e-7 && std::cos(d) > 0.0) {
      ext /= std::cos(d);
      off /= std::cos(d);
    }
  }
  const FcPoint2d u{std::cos(a), std::sin(a)};
  AddBlockLine({defPoint.x + off * u.x, defPoint.y + off * u.y}, {onDimLine.x + ext * u.x, onDimLine.y + ext * u.y},
               style_->GetDimclre());
}

std::unique_ptr<FcDimText> FcDimension::AddText() {
  if (HasNoText()) return nullptr;
  auto text = std::make_unique<FcDimText>();
  text->insertion = GetTextMidpoint();
  text->color = style_->GetDimClrt();
  FcGraph* graph = GetRebuildGraph();
  text->graph = graph;
  const FcTextStyle* textStyle = graph != nullptr ? graph->GetTextStyleList().FindByHandle(style_->GetDimTxSty()) : nullptr;
  if (textStyle == nullptr && graph != nullptr) textStyle = graph->GetCurrentTextStyle();
  if (textStyle != nullptr) text->style = textStyle->GetHandle();
  const double fixed = textStyle != nullptr ? textStyle->GetFixedHeight() : 0.0;
  const double height = fixed != 0.0 ? fixed : style_->GetDimTxt() * style_->GetDimScale();
  text->height = height >= 0.0 ? SaneDimSize(height) : 0.0;
  if (lineSpacingStyle_ == 1 || lineSpacingStyle_ == 2) text->lineSpacingStyle = lineSpacingStyle_;
  if (lineSpacingFactor_ >= 0.25 && lineSpacingFactor_ <= 4.0) text->lineSpacingFactor = lineSpacingFactor_;
  text->contents = "\\A" + std::to_string(style_->GetDimtolj()) + ";";
  const bool alternate = style_->GetDimalt() != 0 && !IsAngular(GetDimType());
  const std::string& override = GetTextOverride();
  if (override.empty() || (override.size() == 2 && override == "<>")) {
    text->contents += FormatMeasurement();
    if (alternate) text->contents += FormatAltMeasurement();
    return text;
  }
  bool measuredDone = false;
  bool alternateDone = false;
  for (std::size_t i = 0; i < override.size(); ++i) {
    const bool pairFollows = i + 1 < override.size();
    if (!measuredDone && pairFollows && override[i] == '<' && override[i + 1] == '>') {
      text->contents += FormatMeasurement();
      measuredDone = true;
      ++i;
      continue;
    }
    if (alternate && !alternateDone && pairFollows && override[i] == '[' && override[i + 1] == ']') {
      text->contents += FormatAltMeasurement();
      alternateDone = true;
      ++i;
      continue;
    }
    text->contents += override[i];
  }
  return text;
}

std::string FcDimension::FormatMeasurement() const {
  const FcDimStyle& style = *style_;
  const bool noPost = style.GetDimpost().empty();
  const int kind = GetDimType() & 7;
  if (IsAngular(GetDimType())) {
    std::string text = style.FixAngularText(FormatDimAngle(style, GetMeasurement()));
    if (style.GetDimtol() != 0) text += style.FormatAngularTolerance();
    return style.ApplyPrefixSuffix(false, text);
  }
  std::string start;
  if (noPost && kind == kDimTypeDiameter) start = "%%c";
  if (noPost && kind == kDimTypeRadius) start = "R";
  std::string value = style.FormatDistance(GetMeasurement());
  if (style.GetDimtol() != 0) value += style.FormatTolerance();
  return start + style.ApplyPrefixSuffix(false, value);
}

std::string FcDimension::FormatAltMeasurement() const {
  const FcDimStyle& style = *style_;
  if (style.GetDimalt() == 0) return "";
  std::string text;
  const std::string& ownPost = style.dimpost.str();
  if (ownPost.size() >= 2 && ownPost.compare(ownPost.size() - 2, 2, "\\X") == 0) text = "\\P";
  const bool tall = style.GetDimfrac() != 2 && style.GetDimtol() != 0;
  char factor[64];
  std::snprintf(factor, sizeof factor, "%.6f", SaneDimSize(style.GetDimtfac() * 2.4));
  text += tall ? std::string("{\\H") + factor + "x;[}" : "[";
  const int kind = GetDimType() & 7;
  if (style.GetDimpost().empty() && kind == kDimTypeDiameter) text += "%%c";
  if (style.GetDimpost().empty() && kind == kDimTypeRadius) text += "R";
  std::string value = style.FormatAltDistance(GetMeasurement());
  if (style.GetDimtol() != 0) value += style.FormatAltTolerance();
  text += style.ApplyPrefixSuffix(true, value);
  text += tall ? std::string("{\\H") + factor + "x;]}" : "]";
  return text;
}

void FcDimension::AddArrowhead(int end, const FcPoint2d& tip, double angle) {
  if (!IsFinitePoint(tip) || !std::isfinite(angle)) return;
  FcGraph* graph = GetRebuildGraph();
  if (graph == nullptr) return;
  FcEntity* arrow = MakeArrowhead(*graph, *style_, end, ArrowheadKind::kDimension, tip, angle);
  if (arrow != nullptr && GetLayer() != nullptr) arrow->SetLayer(GetLayer());
  AddToBlock(arrow);
}

void FcDimension::AddArrowheads(const FcPoint2d& p1, const FcPoint2d& p2, double angle) {
  if (style_->GetDimsd1() == 0) AddArrowhead(1, p1, angle + kPi);
  if (style_->GetDimsd2() == 0) AddArrowhead(2, p2, angle);
}

void FcDimension::AddOutsideArrowheads(const FcPoint2d& p1, const FcPoint2d& p2, double angle) {
  if (style_->dimsoxd != 0) return;
  const double size = ArrowSize();
  const FcPoint2d u{std::cos(angle), std::sin(angle)};
  if (style_->GetDimsd1() == 0) {
    AddArrowhead(1, p1, angle);
    if (!IsTickArrow(*style_, 1)) AddBlockLine(p1 - size * u, p1 - 2.0 * size * u, style_->GetDimClrd());
  }
  if (style_->GetDimsd2() == 0) {
    AddArrowhead(2, p2, angle + kPi);
    if (!IsTickArrow(*style_, 2)) AddBlockLine(p2 + size * u, p2 + 2.0 * size * u, style_->GetDimClrd());
  }
}

void FcDimension::AddTextFrame(const FcDimText& text, double gap) {
  FcPoint2d corners[4];
  DimTextBox(text, gap, corners);
  for (int i = 0; i < 4; ++i) AddBlockLine(corners[i], corners[(i + 1) % 4], style_->GetDimClrt());
}

void FcDimension::AddPlacedText(const FcDimText& text) {
  if (!IsFinitePoint(text.insertion) || !std::isfinite(text.direction)) return;
  auto* mtext = new (std::nothrow) FcMText;
  if (mtext == nullptr) return;
  mtext->SetInsertionPoint(text.insertion);
  mtext->SetXDirection({std::cos(text.direction), std::sin(text.direction)});
  SetDimTextLines(text, *mtext);
  mtext->SetLaidOutSize(text.width, text.boxHeight);
  if (IsColor(text.color)) mtext->SetColor(text.color);
  FcGraph* graph = GetRebuildGraph();
  if (FcTextStyle* style = graph != nullptr ? graph->GetTextStyleList().FindByHandle(text.style) : nullptr) {
    mtext->SetStyle(style);
  }
  AddToBlock(mtext);
}
