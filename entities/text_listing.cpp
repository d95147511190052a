#include <cmath>
#include <string>

#include "core/value_format.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/entity_listing.h"
#include "entities/text.h"
#include "platform/frame_link.h"

namespace {

std::string GenerationText(std::int16_t flags) {
  if (flags == 0) return "Normal";
  std::string text;
  if ((flags & FcText::kBackward) != 0) text += "Backward\t";
  if ((flags & FcText::kUpsideDown) != 0) text += "Upsidedown";
  return text;
}

}  // namespace

void FcText::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  FcTextStyle* style = FindStyleForOutput(graph);
  if (style == nullptr) return;
  style_ = style;
  PrintMessage("  Style = " + style->GetName());
  PrintMessage("  Font file = " + style->GetFontFile());
  if (!style->GetBigFontFile().empty()) PrintMessage("  Big font file = " + style->GetBigFontFile());
  if (IsLeftBaseline() || IsAlignedOrFit()) {
    const FormattedPoint start = FormatPoint(insertion_, graph);
    PrintMessage("  Start point  X= " + start.x + "    Y= " + start.y);
  }
  if (!IsLeftBaseline()) {
    const FormattedPoint align = FormatPoint(alignment_, graph);
    PrintMessage("  align point  X= " + align.x + "    Y= " + align.y);
  }
  PrintMessage("  Height\t" + FormatDrawingDistance(height_, graph));
  ListContents();
  const FcPoint2d ahead{insertion_.x + std::cos(rotation_), insertion_.y + std::sin(rotation_)};
  PrintMessage("  Rotate angle\t" + FormatDrawingAngle(UcsDirectionAngle(insertion_, ahead, graph), graph));
  const int precision = graph != nullptr ? graph->GetSysVars().luprec : FcSystemVar().luprec;
  PrintMessage("  Width factor\t" + FormatDecimal(precision, widthFactor_));
  PrintMessage("  Oblique angle\t" + FormatDrawingAngle(obliqueAngle_, graph));
  ListBeforeGeneration();
  PrintMessage("  Generate\t" + GenerationText(generationFlags_));
}

void FcText::ListContents() { PrintMessage("  Text\t" + text_); }
