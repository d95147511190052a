#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_linear.h"
#include "entities/mtext.h"
#include "entities/mtext_layout.h"
#include "files/object_registrations.h"

namespace {

class DimensionTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  void SetUp() override {
    FcDimStyle& s = *graph_.GetCurrentDimStyle();
    s.dimscale = 1.0, s.dimasz = 0.18, s.dimgap = 0.09, s.dimtxt = 1.0, s.dimtad = 0, s.dimtix = 0, s.dimtih = 1;
    s.dimjust = 0, s.dimatfit = 3, s.dimtmove = 0;
  }

  // A horizontal dimension from (0,0) to (length,0), its line at y = 5.
  FcDimRotate* Dimension(double length, const std::string& text) {
    auto* dimension = new FcDimRotate;
    dimension->SetDefPoint13({0, 0});
    dimension->SetDefPoint14({length, 0});
    dimension->SetDefPoint10({length, 5});
    dimension->SetTextOverride(text);
    graph_.AddEntity(dimension, false);
    dimension->RebuildBlock();
    return dimension;
  }
  static FcMText* BlockText(const FcDimension& dimension) {
    for (FcEntity* entity : dimension.GetDimBlock()->GetEntities()) {
      if (auto* text = dynamic_cast<FcMText*>(entity)) return text;
    }
    return nullptr;
  }

  FcGraph graph_;
};

// The width a dimension's text is given is the width its font lays it out
// at, so texts of as many characters differ as their glyphs do.
TEST_F(DimensionTextTest, TextIsAsWideAsItsFontLaysItOut) {
  std::vector<double> widths;
  for (const std::string& contents : {"iiii", "MMMM", "\\S1/2;"}) {
    SCOPED_TRACE(contents);
    FcMText* text = BlockText(*Dimension(40.0, contents));
    ASSERT_NE(text, nullptr);
    const double measured = text->GetLaidOutWidth();
    ASSERT_GT(measured, 0.0);
    std::array<FcPoint2d, 4> box;
    MTextRenderRequest request;
    request.box = &box;
    RenderMText(*text, request);
    EXPECT_NEAR(text->GetLaidOutWidth(), measured, 1e-9);
    widths.push_back(measured);
  }
  EXPECT_GT(widths[1], 1.5 * widths[0]);
}

// Between the extension lines there is room for the narrow text and its
// gaps but not for the wide one of as many characters: only the narrow
// one stays inside.
TEST_F(DimensionTextTest, FitFollowsTheTrueWidth) {
  const double narrow = BlockText(*Dimension(40.0, "iiii"))->GetLaidOutWidth();
  const double wide = BlockText(*Dimension(40.0, "MMMM"))->GetLaidOutWidth();
  const double length = (narrow + wide) / 2.0 + 2.0 * 0.09;
  for (const auto& [contents, inside] : {std::pair{"iiii", true}, std::pair{"MMMM", false}}) {
    SCOPED_TRACE(contents);
    const FcPoint2d at = BlockText(*Dimension(length, contents))->GetInsertionPoint();
    EXPECT_EQ(at.x > 0.0 && at.x < length && at.y == 5.0, inside) << at.x << "," << at.y;
  }
}

}  // namespace
