#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "display/dim_style_preview.h"
#include "display/display_surface.h"
#include "entities/dim_angular.h"
#include "entities/dim_linear.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "files/object_registrations.h"
#include "tests/support/dimension_blocks.h"
#include "tests/support/recording_device.h"

namespace {

class DimStylePreviewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  // Texts as tall as their height, whatever fonts the machine has.
  void SetUp() override { SetDimTextMeasure(FixedWidthText); }
  void TearDown() override { SetDimTextMeasure(nullptr); }

  int ModelSpaceCount() { return graph_.GetBlockList().FindByName("*Model_Space")->GetEntities().GetCount(); }
  int BlockCount() { return graph_.GetBlockList().GetBlockCount(); }
  // The text height of the sample's aligned dimension.
  double AlignedTextHeight() {
    for (FcEntity* entity : *graph_.GetDimStylePreview()) {
      if (auto* aligned = dynamic_cast<FcDimAligned*>(entity); aligned != nullptr && dynamic_cast<FcDimRotate*>(entity) == nullptr) {
        const std::vector<FcMText*> texts = InDimBlock<FcMText>(*aligned);
        return texts.empty() ? 0.0 : texts[0]->GetHeight();
      }
    }
    return 0.0;
  }

  FcGraph graph_;
};

// The sample is twelve invisible entities of the drawing, five of them
// dimensions with a block each; building it again replaces it, clearing
// takes it and its blocks out again. The drawing's own view draws none of
// it.
TEST_F(DimStylePreviewTest, BuildingTwiceLeavesOneSampleAndClearingRemovesIt) {
  const int blocks = BlockCount();
  BuildDimStylePreview(1.0, graph_);
  BuildDimStylePreview(2.0, graph_);
  ASSERT_NE(graph_.GetDimStylePreview(), nullptr);
  EXPECT_EQ(graph_.GetDimStylePreview()->GetCount(), 12);
  EXPECT_EQ(ModelSpaceCount(), 12);
  EXPECT_EQ(BlockCount(), blocks + 5);
  int twoLineAngles = 0;
  for (FcEntity* entity : *graph_.GetDimStylePreview()) {
    EXPECT_EQ(entity->GetInvisible(), 1);
    EXPECT_EQ(entity->GetColor(), 45);
    EXPECT_EQ(graph_.GetDisplaySurface()->FindHandleIndex(entity->GetHandle()), -1);
    if (const auto* angle = dynamic_cast<FcDim2LAng*>(entity)) {
      ++twoLineAngles;
      // The angle at the part's lower right corner, scaled by 2.
      EXPECT_NEAR(angle->GetMeasurement(), std::atan2(24.3093, 41.0247 - 26.9897), 1e-4);
      EXPECT_NEAR(angle->GetArcCentre().x, 2.0 * 41.0247, 1e-9);
    }
  }
  EXPECT_EQ(twoLineAngles, 1);
  const auto* first = dynamic_cast<const FcLine*>(graph_.GetDimStylePreview()->GetAt(0));
  ASSERT_NE(first, nullptr);
  EXPECT_NEAR(first->GetEndPoint().y, 2.0 * 27.77, 1e-9);
  ClearDimStylePreview(graph_);
  EXPECT_EQ(graph_.GetDimStylePreview(), nullptr);
  EXPECT_EQ(ModelSpaceCount(), 0);
  EXPECT_EQ(BlockCount(), blocks);
}

// Drawing the sample with a style rebuilds its dimensions with it (twice
// the text at DIMSCALE 2), fits the view to it and draws neither grid nor
// UCS icon, leaving both settings as they were.
TEST_F(DimStylePreviewTest, DrawingUsesTheStyleAndKeepsGridAndIcon) {
  BuildDimStylePreview(1.0, graph_);
  graph_.GetSysVars().gridmode = 1;
  graph_.GetSysVars().ucsicon = 3;
  FcDimStyle* style = graph_.GetCurrentDimStyle();
  double heights[2] = {};
  for (const double scale : {1.0, 2.0}) {
    style->dimscale = scale;
    FcDisplaySurface surface(&graph_);
    auto device = std::make_unique<RecordingDevice>();
    RecordingDevice& calls = *device;
    surface.SetDevice(std::move(device));
    ASSERT_TRUE(DrawDimStylePreview(graph_, surface, style, 200, 150));
    EXPECT_TRUE(calls.CallsOf("DrawGrid").empty());
    EXPECT_TRUE(calls.CallsOf("DrawUcsIcon").empty());
    EXPECT_FALSE(calls.CallsOf("LineTo").empty() && calls.CallsOf("Polyline").empty());
    EXPECT_EQ(graph_.GetSysVars().gridmode, 1);
    EXPECT_EQ(graph_.GetSysVars().ucsicon, 3);
    heights[scale == 1.0 ? 0 : 1] = AlignedTextHeight();
    if (scale == 1.0) {
      // The sample's own text point of its angle (27.5983, 7.7518): lifted
      // off the middle of the arc by half the text and the gap (the sample's
      // font box is a little taller than the text height used here).
      const FcDim2LAng* angle = nullptr;
      for (FcEntity* entity : *graph_.GetDimStylePreview()) {
        if (auto* each = dynamic_cast<FcDim2LAng*>(entity)) angle = each;
      }
      ASSERT_NE(angle, nullptr);
      const FcPoint2d at = angle->GetTextMidpoint() - angle->GetArcCentre();
      EXPECT_NEAR(std::atan2(at.y, at.x), std::atan2(7.7518, 27.5983 - 41.0247), 1e-3);
      EXPECT_NEAR(std::hypot(at.x, at.y), std::hypot(7.7518, 27.5983 - 41.0247), 0.05);
    }
  }
  EXPECT_GT(heights[0], 0.0);
  EXPECT_DOUBLE_EQ(heights[1], 2.0 * heights[0]);
  FcDisplaySurface headless(&graph_);
  EXPECT_FALSE(DrawDimStylePreview(graph_, headless, style, 200, 150));
}

}  // namespace
