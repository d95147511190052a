#include "entities/annotation_style.h"

#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/entity.h"
#include "database/extended_data.h"
#include "database/layer.h"

FcStyleOverrideScope::FcStyleOverrideScope(FcDimStyle* style, const FcEntity& entity) : style_(style) {
  if (style_ == nullptr) return;
  const FcExtendData* overrides = entity.GetXdata().FindByAppName("ACAD");
  style_->SetOverrides(overrides != nullptr ? overrides->head : nullptr);
}

FcStyleOverrideScope::~FcStyleOverrideScope() {
  if (style_ != nullptr) style_->SetOverrides(nullptr);
}

FcPen PenWithStyleColor(const FcPen& pen, std::int16_t styleColor, const FcEntity& entity,
                        const FcPenContext& context) {
  FcPen result = pen;
  if (styleColor > 0 && styleColor < kColorByLayer) {
    result.color = styleColor;
  } else if (styleColor == kColorByLayer) {
    const FcLayer* layer = entity.GetLayer() != nullptr ? entity.GetLayer() : context.currentLayer;
    if (layer != nullptr) result.color = layer->GetColor();
  }
  return result;
}
