#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "entities/geom_segment_ops.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "tests/support/entity_record_support.h"

namespace {

template <typename Entity>
Entity MakeLine(FcPoint2d base, FcPoint2d direction) {
  Entity entity;
  entity.SetBasePoint(base);
  entity.SetDirection(direction);
  return entity;
}

TEST(RayTest, ConstructionSetsTheClassConstants) {
  struct Case {
    FcObject* (*create)();
    const char* name;
    EntityKind kind;
    DwgObjectType dwgType;
  };
  for (const Case& c : {Case{FcRay::Create, "RAY", kEntityRay, 40},
                        Case{FcXLine::Create, "XLINE", kEntityXLine, 41}}) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<FcObject> created(c.create());
    const auto* entity = dynamic_cast<FcUnboundedLine*>(created.get());
    ASSERT_NE(entity, nullptr);
    EXPECT_EQ(entity->GetRecordName(), c.name);
    EXPECT_EQ(entity->GetKind(), c.kind);
    EXPECT_EQ(entity->GetDwgType(), c.dwgType);
    ExpectPointNear(entity->GetDirection(), {1, 0}, 1e-12);
    EXPECT_EQ(entity->GetLength(), -1.0);
    EXPECT_EQ(entity->GetArea(), -1.0);
  }
}

TEST(RayTest, DirectionIsKeptUnitLength) {
  FcRay ray = MakeLine<FcRay>({0, 0}, {3, 4});
  ExpectPointNear(ray.GetDirection(), {0.6, 0.8}, 1e-12);
  ray.SetDirection({0, 0});
  ExpectPointNear(ray.GetDirection(), {1, 0}, 1e-12);

  struct Case {
    const char* name;
    FcMatrix2d matrix;
    FcPoint2d start;
    FcPoint2d base;
    FcPoint2d direction;
  };
  FcMatrix2d scale;
  ScaleMatrix(2, 3, scale);
  FcMatrix2d collapse;
  ScaleMatrix(1, 0, collapse);
  FcMatrix2d rotate;
  RotationMatrix(0, 0, kHalfPi, rotate);
  const Case cases[] = {
      {"scaled", scale, {1, 1}, {2, 3}, {2 / std::sqrt(13.0), 3 / std::sqrt(13.0)}},
      {"direction collapsed", collapse, {0, 1}, {1, 0}, {1, 0}},
      {"rotated", rotate, {1, 1}, {-1, 1}, {-std::sqrt(0.5), std::sqrt(0.5)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcXLine xline = MakeLine<FcXLine>({1, 1}, c.start);
    xline.Transform(c.matrix);
    ExpectPointNear(xline.GetBasePoint(), c.base, 1e-12);
    ExpectPointNear(xline.GetDirection(), c.direction, 1e-12);
  }
}

using RayListTest = EntityListTest;

TEST_F(RayListTest, ListsDirectionInTheUcsWithoutAngleBase) {
  struct Case {
    const char* name;
    FcPoint2d direction;
    double angbase;
    bool rotatedUcs;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"world", {0, 1}, 0.0, false,
       {"  Base point: X= 1.0000    Y= 2.0000", "  Unit direction: X= 0.0000    Y= 1.0000", "  Angle : 90.0000"}},
      {"angle base not applied", {1, 0}, kHalfPi, false,
       {"  Base point: X= 1.0000    Y= 2.0000", "  Unit direction: X= 1.0000    Y= 0.0000", "  Angle : 0.0000"}},
      // Origin (10, 0), x axis along world +y: world (1, 2) is (2, 9).
      {"rotated ucs", {1, 0}, 0.0, true,
       {"  Base point: X= 2.0000    Y= 9.0000", "  Unit direction: X= 0.0000    Y= -1.0000", "  Angle : 270.0000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcSystemVar& vars = graph.GetSysVars();
    vars.angbase = c.angbase;
    if (c.rotatedUcs) {
      ASSERT_TRUE(vars.SetUcs({10, 0}, {10, 1}, {9, 0}));
    } else {
      ASSERT_TRUE(vars.SetUcs({0, 0}, {1, 0}, {0, 1}));
    }
    FcXLine xline = MakeLine<FcXLine>({1, 2}, c.direction);
    EXPECT_EQ(OwnLines(xline, 3), c.expected);
    FcRay ray = MakeLine<FcRay>({1, 2}, c.direction);
    EXPECT_EQ(OwnLines(ray, 3), c.expected);
  }
}

TEST(RayTest, GripsSitAGripLengthAlongTheLine) {
  const double length = FcUnboundedLine::GripLength();
  FcRay ray = MakeLine<FcRay>({1, 1}, {0, 1});
  const std::vector<FcPoint2d> rayGrips = GripsOf(ray);
  ASSERT_EQ(rayGrips.size(), 2u);
  ExpectPointNear(rayGrips[0], {1, 1}, 1e-12);
  ExpectPointNear(rayGrips[1], {1, 1 + length}, 1e-12);
  FcXLine xline = MakeLine<FcXLine>({1, 1}, {0, 1});
  const std::vector<FcPoint2d> xlineGrips = GripsOf(xline);
  ASSERT_EQ(xlineGrips.size(), 3u);
  ExpectPointNear(xlineGrips[1], {1, 1 + length}, 1e-12);
  ExpectPointNear(xlineGrips[2], {1, 1 - length}, 1e-12);
}

TEST(RayTest, MovedGrips) {
  const double length = FcUnboundedLine::GripLength();
  const double diagonal = std::sqrt(0.5);
  struct Case {
    const char* name;
    bool ray;
    std::initializer_list<int> indices;
    FcPoint2d offset;
    FcPoint2d base;
    FcPoint2d direction;
  };
  // Each starts at base (1, 1) with direction (0, 1).
  const Case cases[] = {
      {"ray base grip", true, {0}, {2, 0}, {3, 1}, {0, 1}},
      {"ray base with direction grip", true, {1, 0}, {2, 0}, {3, 1}, {0, 1}},
      {"ray direction grip turns it", true, {1}, {length + 1, 1}, {1, 1}, {diagonal, diagonal}},
      {"ray direction grip onto the base", true, {1}, {0, -length}, {1, 1}, {1, 0}},
      {"ray several grips move it", true, {1, 1}, {2, 0}, {3, 1}, {0, 1}},
      {"ray nothing selected", true, {}, {2, 0}, {1, 1}, {0, 1}},
      {"xline grips 1 and 2 move it", false, {1, 2}, {2, 0}, {3, 1}, {0, 1}},
      {"xline base grip", false, {0}, {2, 0}, {3, 1}, {0, 1}},
      {"xline grip 1 turns it", false, {1}, {length + 1, 1}, {1, 1}, {diagonal, diagonal}},
      {"xline grip 2 points the direction to it", false, {2}, {-3, length}, {1, 1}, {-1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcRay ray = MakeLine<FcRay>({1, 1}, {0, 1});
    FcXLine xline = MakeLine<FcXLine>({1, 1}, {0, 1});
    FcUnboundedLine& line = c.ray ? static_cast<FcUnboundedLine&>(ray) : xline;
    const CIntArray indices = Indices(c.indices);
    EXPECT_EQ(line.MoveGripPoints(indices, c.offset), indices.count);
    ExpectPointNear(line.GetBasePoint(), c.base, 1e-12);
    ExpectPointNear(line.GetDirection(), c.direction, 1e-12);
  }
}

TEST(RayTest, SegmentRecords) {
  FcMatrix2d shift;
  TranslationMatrix(10, 0, shift);
  FcRay ray = MakeLine<FcRay>({1, 1}, {0, 1});
  FcXLine xline = MakeLine<FcXLine>({1, 1}, {0, 1});
  struct Case {
    FcUnboundedLine* line;
    int extent;
    int basePointMode;
  };
  for (const Case& c : {Case{&ray, kLineExtentRay, kOsnapEndpoint}, Case{&xline, kLineExtentInfinite, kOsnapMidpoint}}) {
    SCOPED_TRACE(c.line->GetRecordName());
    GeomSegmentList bounds;
    c.line->GetBoundarySegments(shift, bounds);
    GeomSegmentList snaps;
    c.line->GetSnapSegments(0, {}, 0, shift, snaps);
    ASSERT_EQ(bounds.size(), 1u);
    ASSERT_EQ(snaps.size(), 2u);
    for (const auto& [record, tag] : {std::pair{bounds[0].get(), 0}, std::pair{snaps[0].get(), 672}}) {
      EXPECT_EQ(record->type, kGeomSegmentLine);
      EXPECT_EQ(record->extent, c.extent);
      EXPECT_EQ(record->snapModes, tag);
      ExpectPointNear(record->first, {11, 1}, 1e-12);
      ExpectPointNear(record->second, {11, 2}, 1e-12);
    }
    EXPECT_EQ(snaps[1]->type, kGeomSegmentPoint);
    EXPECT_EQ(snaps[1]->snapModes, c.basePointMode);
    ExpectPointNear(snaps[1]->point, {11, 1}, 1e-12);
  }
}

TEST(RayTest, ClonesKeepBaseAndDirection) {
  FcRay ray = MakeLine<FcRay>({1, 2}, {0, 1});
  std::unique_ptr<FcEntity> clone(ray.Clone());
  FcGraph target;
  std::unique_ptr<FcEntity> moved(ray.CloneFromOtherGraph(target));
  for (FcEntity* copy : {clone.get(), moved.get()}) {
    const auto* copied = dynamic_cast<FcRay*>(copy);
    ASSERT_NE(copied, nullptr);
    ExpectPointNear(copied->GetBasePoint(), {1, 2}, 1e-12);
    ExpectPointNear(copied->GetDirection(), {0, 1}, 1e-12);
  }
  FcXLine xline;
  xline.Copy(&ray);
  ExpectPointNear(xline.GetDirection(), {1, 0}, 1e-12);
}

class RayRecordTest : public testing::Test {
 protected:
  RayRecordTest() {
    for (FcUnboundedLine* line : {static_cast<FcUnboundedLine*>(&ray), static_cast<FcUnboundedLine*>(&xline)}) {
      GiveCommonProperties(*line, graph);
      line->SetBasePoint({1.5, -2.25});
      line->SetDirection({0.6, -0.8});
    }
  }

  template <typename Entity>
  void ExpectSame(const std::unique_ptr<Entity>& read, const Entity& written) {
    ASSERT_NE(read, nullptr);
    ExpectSameCommonProperties(*read, written);
    EXPECT_EQ(read->GetBasePoint().x, 1.5);
    EXPECT_EQ(read->GetBasePoint().y, -2.25);
    EXPECT_EQ(read->GetDirection().x, written.GetDirection().x);
    EXPECT_EQ(read->GetDirection().y, written.GetDirection().y);
  }

  FcGraph graph;
  FcRay ray;
  FcXLine xline;
};

TEST_F(RayRecordTest, DxfRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string rayText;
    std::string xlineText;
    ExpectSame(DxfRoundTrip(ray, kind, graph, &rayText), ray);
    ExpectSame(DxfRoundTrip(xline, kind, graph, &xlineText), xline);
    if (kind == FcFileKind::kAsciiDxf) {
      const std::string tail = Groups({{10, "1.5"}, {20, "-2.25"}, {11, "0.6"}, {21, "-0.8"}, {0, "EOF"}});
      EXPECT_NE(rayText.find(Groups({{100, "AcDbRay"}}) + tail), std::string::npos);
      EXPECT_NE(xlineText.find(Groups({{100, "AcDbXline"}}) + tail), std::string::npos);
    }
  }
}

TEST_F(RayRecordTest, DxfDirectionIsMadeUnitLength) {
  struct Case {
    const char* x;
    const char* y;
    FcPoint2d direction;
  };
  for (const Case& c : {Case{"0", "0", {1, 0}}, Case{"0", "-5", {0, -1}}}) {
    FcXLine read;
    ASSERT_EQ(ReadFromGroups(read,
                             {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbXline"}, {10, "1"}, {20, "2"},
                              {11, c.x}, {21, c.y}, {0, "EOF"}},
                             graph),
              kFcStatusOk);
    ExpectPointNear(read.GetDirection(), c.direction, 1e-12);
  }
}

TEST_F(RayRecordTest, DwgRecordRoundTrip) {
  ExpectSame(DwgRoundTrip(ray, graph), ray);
  ExpectSame(DwgRoundTrip(xline, graph), xline);
}

// The direction comes back unit length, as from DXF, whatever vector the
// file stores.
TEST(RayDwgDataTest, ReadsTheDirectionMadeUnitLengthAndRefusesShortData) {
  const std::vector<char> bytes = DwgBits([](FcFilerDwg& writer) {
    for (double value : {1.0, 2.0, 9.0, 3.0, 4.0, 9.0}) writer.WriteBitDouble(value);
  });
  for (const std::int32_t version : {FcFilerDwg::kVersionR13, FcFilerDwg::kVersion2000}) {
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
      FcRay ray = MakeLine<FcRay>({7, 7}, {0, 1});
      const bool complete = length == bytes.size();
      ASSERT_EQ(ReadDwgDataPrefix(ray, bytes, length, version), complete ? kFcStatusOk : kFcStatusReadError)
          << length;
      ExpectPointNear(ray.GetBasePoint(), complete ? FcPoint2d{1, 2} : FcPoint2d{7, 7}, 1e-12);
      ExpectPointNear(ray.GetDirection(), complete ? FcPoint2d{0.6, 0.8} : FcPoint2d{0, 1}, 1e-12);
    }
  }
  const std::vector<char> none = DwgBits([](FcFilerDwg& writer) {
    for (double value : {1.0, 2.0, 0.0, 0.0, 0.0, 0.0}) writer.WriteBitDouble(value);
  });
  FcXLine xline = MakeLine<FcXLine>({7, 7}, {0, 1});
  ASSERT_EQ(ReadDwgDataPrefix(xline, none, none.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
  ExpectPointNear(xline.GetDirection(), {1, 0}, 0.0);
}

}  // namespace
