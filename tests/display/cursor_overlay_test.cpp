#include <gtest/gtest.h>

#include <cmath>

#include "display/color_table.h"
#include "display/cursor_overlay.h"

namespace {

constexpr FcColorRef kBlack = 0x000000;
constexpr FcColorRef kWhite = 0xFFFFFF;

TEST(SnapMarkerShape, OneShapePerKindBit) {
  EXPECT_TRUE(SnapMarkerShape(3, 10, 10, 6).polylines.empty()) << "two bits draw nothing";
  EXPECT_EQ(SnapMarkerShape(3, 10, 10, 6).circleRadius, 0);
  const FcOverlayShape end = SnapMarkerShape(kSnapEndpoint, 10, 20, 6);
  ASSERT_EQ(end.polylines.size(), 1u);
  EXPECT_EQ(end.polylines[0], (FcDevicePolyline{{4, 14}, {4, 26}, {16, 26}, {16, 14}, {4, 14}}));
  const FcOverlayShape node = SnapMarkerShape(kSnapNode, 10, 20, 6);
  EXPECT_EQ(node.circleRadius, 6);
  ASSERT_EQ(node.polylines.size(), 2u);
  EXPECT_EQ(node.polylines[1], (FcDevicePolyline{{16, 14}, {3, 27}}));
}

TEST(OverlayColors, ContrastWithTheBackground) {
  EXPECT_EQ(SnapMarkerColor(7, kBlack), kWhite);
  EXPECT_EQ(RubberBandColor(kBlack), kWhite);
  EXPECT_EQ(SnapMarkerColor(7, kWhite), kBlack);
  EXPECT_EQ(RubberBandColor(kWhite), kBlack);
  EXPECT_EQ(SnapMarkerColor(1, kWhite), 0x0000FFu) << "other indices from the colour table";

  EXPECT_EQ(ContrastCursorColor(0x101010, kBlack), kWhite);
  EXPECT_EQ(ContrastCursorColor(0xF0F0F0, kWhite), kBlack);
  const FcColorRef middle = 0x00DB00;
  ASSERT_EQ(ColorLuminance(middle), 128);
  EXPECT_EQ(ContrastCursorColor(middle, kBlack), middle) << "luminance 128 is never replaced";
  EXPECT_EQ(ContrastCursorColor(middle, kWhite), middle);
}

TEST(CrossHairEnds, ArmsTurnWithTheAngle) {
  const auto flat = CrossHairEnds({100, 50}, 20, 0.0);
  EXPECT_EQ(flat[0], (FcDevicePoint{120, 50}));
  EXPECT_EQ(flat[1], (FcDevicePoint{80, 50}));
  EXPECT_EQ(flat[2], (FcDevicePoint{100, 70}));
  EXPECT_EQ(flat[3], (FcDevicePoint{100, 30}));
  const auto turned = CrossHairEnds({100, 50}, 20, std::atan(1.0));
  EXPECT_EQ(turned[0], (FcDevicePoint{114, 64}));
}

TEST(RubberBand, StylesAndOrtho) {
  EXPECT_EQ(BandLineEnd({0, 0}, {10, 10}, 0.0, true), (FcDevicePoint{0, 10}));
  EXPECT_EQ(BandLineEnd({0, 0}, {10, 3}, 0.0, true), (FcDevicePoint{10, 0}));
  EXPECT_EQ(BandLineEnd({0, 0}, {10, 3}, 0.0, false), (FcDevicePoint{10, 3}));
  const FcDevicePoint turned = BandLineEnd({0, 0}, {0, 10}, std::atan(1.0), true);
  EXPECT_NEAR(turned.x, -5, 1);
  EXPECT_NEAR(turned.y, 5, 1);

  const FcRubberBand leftward = RubberBand(4, {30, 5}, {20, 15}, 3, 0.0, false);
  EXPECT_TRUE(leftward.dotted);
  EXPECT_EQ(leftward.points, (FcDevicePolyline{{30, 5}, {20, 5}, {20, 15}, {30, 15}, {30, 5}}));
  const FcRubberBand rightward = RubberBand(4, {10, 5}, {20, 15}, 1, 0.0, false);
  EXPECT_FALSE(rightward.dotted);
  EXPECT_EQ(rightward.points, (FcDevicePolyline{{10, 15}, {10, 5}, {20, 5}})) << "the cross-hair gives the rest";
  EXPECT_EQ(RubberBand(4, {10, 5}, {20, 15}, 2, 0.0, false).points.size(), 5u);
  EXPECT_TRUE(RubberBand(0, {10, 5}, {20, 15}, 1, 0.0, false).points.empty());
}

}  // namespace
