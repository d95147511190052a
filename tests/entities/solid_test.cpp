#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "entities/geom_segment_ops.h"
#include "entities/solid.h"
#include "entities/trace.h"
#include "tests/support/entity_record_support.h"

namespace {

const FcCornerEntity::Corners kCorners = {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{0, 3},
                                          FcPoint2d{4, 3}};

template <typename Entity>
Entity MakeCorners(const FcCornerEntity::Corners& corners = kCorners) {
  Entity entity;
  for (int k = 0; k < FcCornerEntity::kCornerCount; ++k) entity.SetCorner(k, corners[k]);
  return entity;
}

void ExpectCorners(const FcCornerEntity& entity, const FcCornerEntity::Corners& corners) {
  for (int k = 0; k < FcCornerEntity::kCornerCount; ++k) {
    SCOPED_TRACE(k);
    ExpectPointNear(entity.GetCorner(k), corners[k], 1e-12);
  }
}

TEST(SolidTest, ConstructionSetsTheClassConstants) {
  struct Case {
    FcObject* (*create)();
    const char* name;
    EntityKind kind;
    DwgObjectType dwgType;
  };
  for (const Case& c : {Case{FcSolid::Create, "SOLID", kEntitySolid, 31},
                        Case{FcTrace::Create, "TRACE", kEntityTrace, 32}}) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<FcObject> created(c.create());
    const auto* entity = dynamic_cast<FcCornerEntity*>(created.get());
    ASSERT_NE(entity, nullptr);
    EXPECT_EQ(entity->GetRecordName(), c.name);
    EXPECT_EQ(entity->GetKind(), c.kind);
    EXPECT_EQ(entity->GetDwgType(), c.dwgType);
    EXPECT_EQ(entity->GetLength(), -1.0);
    EXPECT_EQ(entity->GetArea(), -1.0);
  }
}

// The edge each snap sub-index gives: the solid's outline runs 1, 2, 4, 3,
// the trace's 1, 2, 3, 4.
TEST(SolidTest, SnapEdgesFollowTheOutline) {
  FcSolid solid = MakeCorners<FcSolid>();
  FcTrace trace = MakeCorners<FcTrace>();
  const std::vector<std::pair<FcPoint2d, FcPoint2d>> solidEdges = {
      {{0, 0}, {4, 0}}, {{4, 0}, {4, 3}}, {{4, 3}, {0, 3}}, {{0, 3}, {0, 0}}};
  const std::vector<std::pair<FcPoint2d, FcPoint2d>> traceEdges = {
      {{0, 0}, {4, 0}}, {{4, 0}, {0, 3}}, {{0, 3}, {4, 3}}, {{4, 3}, {0, 0}}};
  FcMatrix2d identity;
  for (auto [entity, edges] : {std::pair<FcEntity*, const std::vector<std::pair<FcPoint2d, FcPoint2d>>*>{&solid, &solidEdges},
                               {&trace, &traceEdges}}) {
    SCOPED_TRACE(entity->GetRecordName());
    for (int subIndex = 0; subIndex <= 5; ++subIndex) {
      GeomSegmentList snaps;
      entity->GetSnapSegments(0, {}, subIndex, identity, snaps);
      if (subIndex < 1 || subIndex > 4) {
        EXPECT_TRUE(snaps.empty()) << subIndex;
        continue;
      }
      ASSERT_EQ(snaps.size(), 1u);
      EXPECT_EQ(snaps[0]->type, kGeomSegmentLine);
      EXPECT_EQ(snaps[0]->extent, kLineExtentSegment);
      EXPECT_EQ(snaps[0]->snapModes, 675);
      ExpectPointNear(snaps[0]->first, (*edges)[subIndex - 1].first, 1e-12);
      ExpectPointNear(snaps[0]->second, (*edges)[subIndex - 1].second, 1e-12);
    }
    GeomSegmentList bounds;
    entity->GetBoundarySegments(identity, bounds);
    EXPECT_TRUE(bounds.empty());
  }
}

TEST(SolidTest, TransformGripsAndMovedGrips) {
  FcSolid solid = MakeCorners<FcSolid>();
  FcMatrix2d scale;
  ScaleMatrix(2, -1, scale);
  solid.Transform(scale);
  ExpectCorners(solid, {FcPoint2d{0, 0}, FcPoint2d{8, 0}, FcPoint2d{0, -3}, FcPoint2d{8, -3}});

  FcTrace trace = MakeCorners<FcTrace>();
  const std::vector<FcPoint2d> grips = GripsOf(trace);
  ASSERT_EQ(grips.size(), 4u);
  for (int k = 0; k < 4; ++k) ExpectPointNear(grips[k], kCorners[k], 1e-12);
  EXPECT_EQ(trace.MoveGripPoints(Indices({3, 0}), {1, 1}), 2);
  ExpectCorners(trace, {FcPoint2d{1, 1}, FcPoint2d{4, 0}, FcPoint2d{0, 3}, FcPoint2d{5, 4}});
}

using SolidListTest = EntityListTest;

TEST_F(SolidListTest, ListsTheCornersInStoredOrder) {
  const std::vector<std::string> expected = {
      "  From Point: X= 0.0000    Y= 0.0000", "  and Point: X= 4.0000    Y= 0.0000",
      "  to Point: X= 0.0000    Y= 3.0000", "  and Point: X= 4.0000    Y= 3.0000"};
  FcSolid solid = MakeCorners<FcSolid>();
  EXPECT_EQ(OwnLines(solid, 4), expected);
  FcTrace trace = MakeCorners<FcTrace>();
  EXPECT_EQ(OwnLines(trace, 4), expected);
}

TEST(SolidTest, CornersAreCopiedOnlyFromTheSameClass) {
  FcSolid solid = MakeCorners<FcSolid>();
  FcTrace trace;
  trace.Copy(&solid);
  ExpectCorners(trace, {});
  std::unique_ptr<FcEntity> clone(solid.Clone());
  ASSERT_NE(dynamic_cast<FcSolid*>(clone.get()), nullptr);
  ExpectCorners(*dynamic_cast<FcSolid*>(clone.get()), kCorners);
  FcGraph target;
  std::unique_ptr<FcEntity> moved(trace.CloneFromOtherGraph(target));
  ASSERT_NE(dynamic_cast<FcTrace*>(moved.get()), nullptr);
}

class SolidRecordTest : public testing::Test {
 protected:
  SolidRecordTest() {
    const FcCornerEntity::Corners corners = {FcPoint2d{1.5, -2.25}, FcPoint2d{1000.125, 7},
                                             FcPoint2d{-3, 0.5}, FcPoint2d{8, 9.75}};
    for (int k = 0; k < 4; ++k) {
      solid.SetCorner(k, corners[k]);
      trace.SetCorner(k, corners[k]);
    }
    GiveCommonProperties(solid, graph);
    GiveCommonProperties(trace, graph);
  }

  template <typename Entity>
  void ExpectSame(const std::unique_ptr<Entity>& read, const Entity& written) {
    ASSERT_NE(read, nullptr);
    ExpectSameCommonProperties(*read, written);
    EXPECT_EQ(read->GetCorners()[0].x, written.GetCorners()[0].x);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(read->GetCorner(k).x, written.GetCorner(k).x) << k;
      EXPECT_EQ(read->GetCorner(k).y, written.GetCorner(k).y) << k;
    }
  }

  FcGraph graph;
  FcSolid solid;
  FcTrace trace;
};

// Both classes write the file's corner order (1, 2, 4, 3 around the
// outline): the solid its stored corners as they are, the trace, which
// stores them around the outline, its third and fourth exchanged.
TEST_F(SolidRecordTest, DxfRoundTripInBothFormsWritesTheFileOrder) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string solidText;
    std::string traceText;
    ExpectSame(DxfRoundTrip(solid, kind, graph, &solidText), solid);
    ExpectSame(DxfRoundTrip(trace, kind, graph, &traceText), trace);
    if (kind == FcFileKind::kAsciiDxf) {
      EXPECT_NE(solidText.find(Groups({{100, "AcDbTrace"}, {10, "1.5"}, {20, "-2.25"}, {11, "1000.125"},
                                       {21, "7.0"}, {12, "-3.0"}, {22, "0.5"}, {13, "8.0"}, {23, "9.75"},
                                       {0, "EOF"}})),
                std::string::npos);
      EXPECT_NE(traceText.find(Groups({{100, "AcDbTrace"}, {10, "1.5"}, {20, "-2.25"}, {11, "1000.125"},
                                       {21, "7.0"}, {12, "8.0"}, {22, "9.75"}, {13, "-3.0"}, {23, "0.5"},
                                       {0, "EOF"}})),
                std::string::npos);
    }
  }
}

// A trace record as other programs write it, a rectangle in the file's
// order, reads as an outline that goes round it (no bow tie).
TEST_F(SolidRecordTest, TraceRecordReadsIntoOutlineOrder) {
  FcTrace read;
  ASSERT_EQ(ReadFromGroups(read, {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbTrace"}, {10, "0"},
                                  {20, "0"}, {11, "4"}, {21, "0"}, {12, "0"}, {22, "3"}, {13, "4"}, {23, "3"},
                                  {0, "EOF"}},
                           graph),
            kFcStatusOk);
  ExpectCorners(read, {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{4, 3}, FcPoint2d{0, 3}});
}

TEST_F(SolidRecordTest, ThreeCornerRecordRepeatsTheThirdCorner) {
  const std::vector<std::pair<int, std::string>> groups = {
      {5, "2A"}, {100, "AcDbEntity"}, {8, "0"},  {100, "AcDbTrace"}, {10, "0"}, {20, "0"},
      {11, "4"}, {21, "0"},           {12, "2"}, {22, "3"},          {0, "EOF"}};
  FcSolid readSolid;
  ASSERT_EQ(ReadFromGroups(readSolid, groups, graph), kFcStatusOk);
  ExpectCorners(readSolid, {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{2, 3}, FcPoint2d{2, 3}});
  FcTrace readTrace;
  ASSERT_EQ(ReadFromGroups(readTrace, groups, graph), kFcStatusOk);
  ExpectCorners(readTrace, {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{2, 3}, FcPoint2d{2, 3}});
}

TEST_F(SolidRecordTest, DwgRecordRoundTrip) {
  ExpectSame(DwgRoundTrip(solid, graph), solid);
  ExpectSame(DwgRoundTrip(trace, graph), trace);
}

// A trace's DWG record holds its third and fourth corners exchanged: the
// solid's data reader sees them swapped.
TEST(SolidDwgDataTest, TraceWritesCornersInTheFileOrder) {
  FcTrace trace = MakeCorners<FcTrace>();
  const std::vector<char> bytes = DwgBits([&trace](FcFilerDwg& writer) { trace.WriteDwgData(writer); });
  FcSolid solid;
  ASSERT_EQ(ReadDwgDataPrefix(solid, bytes, bytes.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
  ExpectCorners(solid, {kCorners[0], kCorners[1], kCorners[3], kCorners[2]});
}

TEST(SolidDwgDataTest, ReadsEveryLayoutAndRefusesShortData) {
  for (const std::int32_t version : {FcFilerDwg::kVersionR13, FcFilerDwg::kVersion2000}) {
    SCOPED_TRACE(version);
    const std::vector<char> bytes = DwgBits([version](FcFilerDwg& writer) {
      if (version == FcFilerDwg::kVersion2000) writer.WriteBit(0);
      writer.WriteBitDouble(0.5);
      writer.WriteBitDouble(2.0);
      for (double value : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0}) writer.WriteRawDouble(value);
      if (version == FcFilerDwg::kVersion2000) writer.WriteBit(0);
      for (double value : {0.0, 0.0, 1.0}) writer.WriteBitDouble(value);
    });
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
      FcSolid solid = MakeCorners<FcSolid>();
      const bool complete = length == bytes.size();
      ASSERT_EQ(ReadDwgDataPrefix(solid, bytes, length, version),
                complete ? kFcStatusOk : kFcStatusReadError)
          << length;
      ExpectCorners(solid, complete ? FcCornerEntity::Corners{FcPoint2d{1, 2}, FcPoint2d{3, 4},
                                                              FcPoint2d{5, 6}, FcPoint2d{7, 8}}
                                    : kCorners);
    }
  }
}

}  // namespace
