#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dimension.h"
#include "entities/dimension_text.h"
#include "files/object_registrations.h"

// The measured text of the layouts' examples: 0.82 wide, as tall as set.
inline void FixedWidthText(FcDimText& text) {
  text.width = 0.82;
  text.boxHeight = text.height;
}

// The entities of a kind in a dimension's block; none when it has no block.
template <typename Kind>
std::vector<Kind*> InDimBlock(const FcDimension& dimension) {
  std::vector<Kind*> found;
  if (dimension.GetDimBlock() == nullptr) return found;
  for (FcEntity* entity : dimension.GetDimBlock()->GetEntities()) {
    if (auto* each = dynamic_cast<Kind*>(entity)) found.push_back(each);
  }
  return found;
}

// A drawing whose current style has the layouts' example sizes (arrows
// 0.18, gap 0.09, text 0.18 high and 0.82 wide), text centred on the
// dimension line, nothing forced inside or horizontal.
class DimensionBlockTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  void SetUp() override {
    SetDimTextMeasure(FixedWidthText);
    FcDimStyle& s = Style();
    s.dimscale = 1.0, s.dimasz = 0.18, s.dimgap = 0.09, s.dimtxt = 0.18, s.dimexe = 0.18, s.dimexo = 0.0625;
    s.dimtad = 0, s.dimtix = 0, s.dimtoh = 0, s.dimtih = 0, s.dimjust = 0, s.dimatfit = 3, s.dimcen = 0.0;
    s.dimtmove = 0;
  }
  void TearDown() override { SetDimTextMeasure(nullptr); }

  FcDimStyle& Style() { return *graph_.GetCurrentDimStyle(); }

  // Into the drawing, its block built.
  template <typename Dimension>
  Dimension* Add(Dimension* dimension) {
    graph_.AddEntity(dimension, false);
    dimension->RebuildBlock();
    return dimension;
  }
  template <typename Kind>
  static std::vector<Kind*> InBlock(const FcDimension& dimension) {
    return InDimBlock<Kind>(dimension);
  }

  FcGraph graph_;
};
