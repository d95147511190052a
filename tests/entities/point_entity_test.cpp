#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/matrix2d.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/point_marker.h"
#include "tests/support/entity_record_support.h"

namespace {

using Lines = std::vector<std::pair<FcPoint2d, FcPoint2d>>;

FcPointEnt MakePoint(FcPoint2d location, double angle) {
  FcPointEnt point;
  point.SetLocation(location);
  point.SetAngle(angle);
  return point;
}

TEST(PointEntityTest, ConstructionSetsTheClassConstants) {
  std::unique_ptr<FcObject> created(FcPointEnt::Create());
  const auto* point = dynamic_cast<FcPointEnt*>(created.get());
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->GetRecordName(), "POINT");
  EXPECT_EQ(point->GetKind(), kEntityPoint);
  EXPECT_EQ(point->GetDwgType(), 27);
  EXPECT_EQ(point->GetLength(), -1.0);
  EXPECT_EQ(point->GetArea(), -1.0);
}

TEST(PointMarkerTest, SizeFollowsPdsize) {
  EXPECT_DOUBLE_EQ(PointMarkerSize(2.0, 100, 40), 2.0);
  // Half-widths of 2.5 and 5 percent of the smaller window side.
  EXPECT_DOUBLE_EQ(PointMarkerSize(0.0, 100, 40), 1.0);
  EXPECT_DOUBLE_EQ(PointMarkerSize(-10.0, 100, 40), 2.0);
}

TEST(PointMarkerTest, FigureFollowsPdmode) {
  const double r = std::sqrt(8.0);
  const Lines cross = {{{8, 20}, {12, 20}}, {{10, 18}, {10, 22}}};
  struct Case {
    const char* name;
    int mode;
    double angle;
    bool square;
    bool circle;
    bool dot;
    Lines lines;
  };
  const Case cases[] = {
      {"dot", 0, 0.0, false, false, true, {}},
      {"nothing", 1, 0.0, false, false, false, {}},
      {"cross", 2, 0.0, false, false, false, cross},
      {"upward tick of 0.7 size", 4, 0.0, false, false, false, {{{10, 20}, {10, 21.4}}}},
      {"5 draws nothing", 5, 0.0, false, false, false, {}},
      {"31 draws nothing", 31, 0.0, false, false, false, {}},
      {"negative draws nothing", -1, 0.0, false, false, false, {}},
      {"circle and cross", 34, 0.0, false, true, false, cross},
      {"square, circle and cross", 98, 0.0, true, true, false, cross},
      {"square and dot", 64, 0.0, true, false, true, {}},
      {"X turned clockwise stands upright", 3, kPi / 4, false, false, false,
       {{{10 - r, 20}, {10 + r, 20}}, {{10, 20 + r}, {10, 20 - r}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FcPointMarker marker = BuildPointMarker({10, 20}, c.angle, c.mode, 2.0);
    EXPECT_EQ(marker.square, c.square);
    EXPECT_EQ(marker.circle, c.circle);
    EXPECT_EQ(marker.dot, c.dot);
    if (c.circle) {
      EXPECT_DOUBLE_EQ(marker.circleRadius, 1.4);
    }
    if (c.square) {
      ExpectPointNear(marker.squareCorners[0], {8.6, 18.6}, 1e-12);
      ExpectPointNear(marker.squareCorners[2], {11.4, 21.4}, 1e-12);
    }
    ASSERT_EQ(marker.lines.size(), c.lines.size());
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      ExpectPointNear(marker.lines[i].first, c.lines[i].first, 1e-12);
      ExpectPointNear(marker.lines[i].second, c.lines[i].second, 1e-12);
    }
  }
}

TEST(PointMarkerTest, SquareTurnsWithTheAngle) {
  const FcPointMarker marker = BuildPointMarker({0, 0}, kPi / 2, 65, 1.0);
  // (-0.7, -0.7) turned clockwise by a quarter.
  ExpectPointNear(marker.squareCorners[0], {-0.7, 0.7}, 1e-12);
}

using PointListTest = EntityListTest;

TEST_F(PointListTest, ListsTheLocationOnly) {
  FcPointEnt point = MakePoint({1.5, -2}, 1.0);
  EXPECT_EQ(OwnLines(point, 2).back(), "  At Point: X= 1.5000    Y= -2.0000");
}

TEST(PointEntityTest, TransformGripsAndSnap) {
  FcMatrix2d rotate;
  RotationMatrix(0, 0, kHalfPi, rotate);
  FcPointEnt point = MakePoint({2, 1}, 0.5);
  point.Transform(rotate);
  ExpectPointNear(point.GetLocation(), {-1, 2}, 1e-12);
  EXPECT_EQ(point.GetAngle(), 0.5);

  ASSERT_EQ(GripsOf(point).size(), 1u);
  ExpectPointNear(GripsOf(point)[0], {-1, 2}, 1e-12);
  EXPECT_EQ(point.MoveGripPoints(Indices({}), {5, 5}), 0);
  ExpectPointNear(point.GetLocation(), {-1, 2}, 1e-12);
  EXPECT_EQ(point.MoveGripPoints(Indices({0}), {1, 1}), 1);
  ExpectPointNear(point.GetLocation(), {0, 3}, 1e-12);

  FcMatrix2d shift;
  TranslationMatrix(10, 0, shift);
  GeomSegmentList snaps;
  point.GetSnapSegments(0, {}, 3, shift, snaps);
  GeomSegmentList bounds;
  point.GetBoundarySegments(shift, bounds);
  EXPECT_TRUE(bounds.empty());
  ASSERT_EQ(snaps.size(), 1u);
  EXPECT_EQ(snaps[0]->type, kGeomSegmentPoint);
  EXPECT_EQ(snaps[0]->snapModes, kOsnapNode);
  ExpectPointNear(snaps[0]->point, {10, 3}, 1e-12);
}

TEST(PointEntityTest, ClonesTakeLocationAndAngleFromPointsOnly) {
  FcGraph source;
  FcPointEnt point = MakePoint({1, 2}, 0.25);
  point.SetLayer(source.FindOrCreateLayer("Walls"));
  std::unique_ptr<FcEntity> clone(point.Clone());
  FcGraph target;
  std::unique_ptr<FcEntity> moved(point.CloneFromOtherGraph(target));
  for (FcEntity* copy : {clone.get(), moved.get()}) {
    const auto* copied = dynamic_cast<FcPointEnt*>(copy);
    ASSERT_NE(copied, nullptr);
    ExpectPointNear(copied->GetLocation(), {1, 2}, 1e-12);
    EXPECT_EQ(copied->GetAngle(), 0.25);
  }
  EXPECT_EQ(moved->GetLayer(), target.GetCurrentLayer());

  FcLine line;
  line.SetColor(5);
  point.Copy(&line);
  EXPECT_EQ(point.GetColor(), 5);
  ExpectPointNear(point.GetLocation(), {1, 2}, 1e-12);
}

class PointRecordTest : public testing::Test {
 protected:
  PointRecordTest() {
    GiveCommonProperties(point, graph);
    point.SetLocation({1.5, -2.25});
    point.SetAngle(kPi / 4);
  }

  void ExpectSamePoint(const FcPointEnt& read) {
    ExpectSameCommonProperties(read, point);
    EXPECT_EQ(read.GetLocation().x, 1.5);
    EXPECT_EQ(read.GetLocation().y, -2.25);
    EXPECT_NEAR(read.GetAngle(), kPi / 4, 1e-15);
  }

  FcGraph graph;
  FcPointEnt point;
};

TEST_F(PointRecordTest, DxfRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string written;
    const std::unique_ptr<FcPointEnt> read = DxfRoundTrip(point, kind, graph, &written);
    ASSERT_NE(read, nullptr);
    ExpectSamePoint(*read);
    EXPECT_EQ(read->GetLayerName(), "Walls");
    if (kind == FcFileKind::kAsciiDxf) {
      EXPECT_NE(written.find(Groups({{100, "AcDbPoint"}, {10, "1.5"}, {20, "-2.25"}, {50, "45.0"}, {0, "EOF"}})),
                std::string::npos);
    }
  }
}

TEST_F(PointRecordTest, DxfRecordWithoutMarkerIsRefused) {
  FcPointEnt read;
  EXPECT_EQ(ReadFromGroups(read, {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {10, "1"}, {20, "2"}, {0, "EOF"}}, graph),
            kFcStatusEnd);
}

TEST_F(PointRecordTest, DwgRecordRoundTrip) {
  const std::unique_ptr<FcPointEnt> read = DwgRoundTrip(point, graph);
  ASSERT_NE(read, nullptr);
  ExpectSamePoint(*read);
  EXPECT_EQ(read->GetLayerHandle(), point.GetLayerHandle());
}

TEST(PointDwgDataTest, ReadsEveryLayoutAndRefusesShortData) {
  for (const std::int32_t version : {FcFilerDwg::kVersionR14, FcFilerDwg::kVersion2000}) {
    SCOPED_TRACE(version);
    const std::vector<char> bytes = DwgBits([version](FcFilerDwg& writer) {
      for (double value : {1.0, 2.0, 9.0}) writer.WriteBitDouble(value);
      if (version == FcFilerDwg::kVersion2000) writer.WriteBit(0);
      writer.WriteBitDouble(0.5);
      if (version == FcFilerDwg::kVersion2000) writer.WriteBit(0);
      for (double value : {0.0, 0.0, 1.0}) writer.WriteBitDouble(value);
      writer.WriteBitDouble(0.75);
    });
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
      FcPointEnt point = MakePoint({7, 7}, 3.0);
      const bool complete = length == bytes.size();
      ASSERT_EQ(ReadDwgDataPrefix(point, bytes, length, version),
                complete ? kFcStatusOk : kFcStatusReadError)
          << length;
      ExpectPointNear(point.GetLocation(), complete ? FcPoint2d{1, 2} : FcPoint2d{7, 7}, 1e-12);
      EXPECT_EQ(point.GetAngle(), complete ? 0.75 : 3.0);
    }
  }
}

}  // namespace
