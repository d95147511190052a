#pragma once

#include <cstdint>

#include "database/draw_sink.h"

class FcDimStyle;
class FcEntity;

// What leaders and tolerances share: they draw straight from their
// dimension style, with their own "ACAD" overrides on top of it.

// Attaches the entity's "ACAD" extended data to the style as its override
// list for the scope, and detaches it at the end. Nothing for a null style.
class FcStyleOverrideScope {
 public:
  FcStyleOverrideScope(FcDimStyle* style, const FcEntity& entity);
  ~FcStyleOverrideScope();
  FcStyleOverrideScope(const FcStyleOverrideScope&) = delete;
  FcStyleOverrideScope& operator=(const FcStyleOverrideScope&) = delete;

 private:
  FcDimStyle* style_;
};

// The entity's pen with the colour a style variable gives: 1 to 255 as it
// is, 256 the colour of the entity's layer, 0 (and anything out of range)
// the entity's own colour.
FcPen PenWithStyleColor(const FcPen& pen, std::int16_t styleColor, const FcEntity& entity,
                        const FcPenContext& context);
