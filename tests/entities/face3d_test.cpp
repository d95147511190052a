#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/entity_sets.h"
#include "database/linetype.h"
#include "entities/face3d.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "tests/support/entity_record_support.h"

namespace {

using Corners = FcCornerEntity::Corners;

const Corners kCorners = {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{4, 3}, FcPoint2d{0, 3}};

void SetCorners(Fc3DFace& face, const Corners& corners) {
  for (int k = 0; k < FcCornerEntity::kCornerCount; ++k) face.SetCorner(k, corners[k]);
}

void ExpectCorners(const Fc3DFace& face, const Corners& corners) {
  for (int k = 0; k < FcCornerEntity::kCornerCount; ++k) {
    SCOPED_TRACE(k);
    ExpectPointNear(face.GetCorner(k), corners[k], 1e-12);
  }
}

TEST(Face3dTest, ConstantsGripsAndSnapEdges) {
  std::unique_ptr<FcObject> created(Fc3DFace::Create());
  auto* face = dynamic_cast<Fc3DFace*>(created.get());
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->GetRecordName(), "3DFACE");
  EXPECT_EQ(face->GetKind(), kEntity3DFace);
  EXPECT_EQ(face->GetDwgType(), 28);
  EXPECT_EQ(face->GetLength(), -1.0);

  SetCorners(*face, kCorners);
  FcMatrix2d shift;
  TranslationMatrix(1, 1, shift);
  GeomSegmentList snaps;
  face->GetSnapSegments(0, {}, 4, shift, snaps);
  ASSERT_EQ(snaps.size(), 1u);
  EXPECT_EQ(snaps[0]->snapModes, 675);
  ExpectPointNear(snaps[0]->first, {1, 4}, 1e-12);
  ExpectPointNear(snaps[0]->second, {1, 1}, 1e-12);
  face->GetSnapSegments(0, {}, 0, shift, snaps);
  EXPECT_EQ(snaps.size(), 1u);

  EXPECT_EQ(GripsOf(*face).size(), 4u);
  face->MoveGripPoints(Indices({2}), {1, 1});
  face->Transform(shift);
  ExpectCorners(*face, {FcPoint2d{1, 1}, FcPoint2d{5, 1}, FcPoint2d{6, 5}, FcPoint2d{1, 4}});
}

using Face3dListTest = EntityListTest;

TEST_F(Face3dListTest, ListsEachCorner) {
  Fc3DFace face;
  SetCorners(face, kCorners);
  EXPECT_EQ(OwnLines(face, 4),
            (std::vector<std::string>{"  At Point: X= 0.0000    Y= 0.0000", "  At Point: X= 4.0000    Y= 0.0000",
                                      "  At Point: X= 4.0000    Y= 3.0000", "  At Point: X= 0.0000    Y= 3.0000"}));
}

TEST(Face3dTest, ExplodesIntoFourLinesEvenWhenCornersCoincide) {
  FcGraph graph;
  Fc3DFace face;
  SetCorners(face, {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{4, 3}, FcPoint2d{4, 3}});
  face.SetLayer(graph.FindOrCreateLayer("Walls"));
  face.SetLinetype(graph.GetOrCreateLinetype("DASHED"));
  face.SetColor(2);
  face.SetLinetypeScale(3.0);
  FcEntitySets exploded(kFcPreviousSelectionGrowth);
  ASSERT_TRUE(face.Explode(exploded));
  ASSERT_EQ(exploded.GetCount(), 4);
  const Corners& corners = face.GetCorners();
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const auto* line = dynamic_cast<const FcLine*>(exploded.GetAt(k));
    ASSERT_NE(line, nullptr);
    ExpectPointNear(line->GetStartPoint(), corners[k], 1e-12);
    ExpectPointNear(line->GetEndPoint(), corners[(k + 1) % 4], 1e-12);
    EXPECT_EQ(line->GetLayer(), face.GetLayer());
    EXPECT_EQ(line->GetLinetype(), face.GetLinetype());
    EXPECT_EQ(line->GetColor(), 2);
    EXPECT_EQ(line->GetLinetypeScale(), 3.0);
  }
  exploded.RemoveAll(true);
}

class Face3dRecordTest : public testing::Test {
 protected:
  Face3dRecordTest() {
    GiveCommonProperties(face, graph);
    SetCorners(face, {FcPoint2d{1.5, -2.25}, FcPoint2d{1000.125, -2.25}, FcPoint2d{1000.125, 7},
                      FcPoint2d{-3, 0.5}});
  }

  void ExpectSameFace(const std::unique_ptr<Fc3DFace>& read) {
    ASSERT_NE(read, nullptr);
    ExpectSameCommonProperties(*read, face);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(read->GetCorner(k).x, face.GetCorner(k).x) << k;
      EXPECT_EQ(read->GetCorner(k).y, face.GetCorner(k).y) << k;
    }
  }

  FcGraph graph;
  Fc3DFace face;
};

TEST_F(Face3dRecordTest, DxfRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string written;
    ExpectSameFace(DxfRoundTrip(face, kind, graph, &written));
    if (kind == FcFileKind::kAsciiDxf) {
      EXPECT_NE(written.find(Groups({{100, "AcDbFace"}, {10, "1.5"}, {20, "-2.25"}, {11, "1000.125"},
                                     {21, "-2.25"}, {12, "1000.125"}, {22, "7.0"}, {13, "-3.0"},
                                     {23, "0.5"}, {0, "EOF"}})),
                std::string::npos);
    }
  }
}

TEST_F(Face3dRecordTest, ThreeCornerRecordRepeatsTheThirdCorner) {
  Fc3DFace read;
  ASSERT_EQ(ReadFromGroups(read,
                           {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbFace"}, {10, "0"}, {20, "0"},
                            {11, "4"}, {21, "0"}, {12, "2"}, {22, "3"}, {0, "EOF"}},
                           graph),
            kFcStatusOk);
  ExpectCorners(read, {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{2, 3}, FcPoint2d{2, 3}});
}

TEST_F(Face3dRecordTest, DwgRecordRoundTrip) { ExpectSameFace(DwgRoundTrip(face, graph)); }

// Each corner that repeats the one before costs only the two-bit codes.
TEST(Face3dDwgDataTest, RepeatedCornersWriteDefaultsOnly) {
  Fc3DFace face;
  SetCorners(face, {FcPoint2d{5, 6}, FcPoint2d{5, 6}, FcPoint2d{5, 6}, FcPoint2d{5, 6}});
  const std::vector<char> bytes = DwgBits([&face](FcFilerDwg& writer) {
    face.WriteDwgData(writer);
    EXPECT_EQ(writer.GetBitsWritten(), 1u + 1 + 64 + 64 + 3 * (2 + 2 + 2));
  });
  Fc3DFace read;
  ASSERT_EQ(ReadDwgDataPrefix(read, bytes, bytes.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
  ExpectCorners(read, face.GetCorners());
}

TEST(Face3dDwgDataTest, ReadsEveryLayoutAndRefusesShortData) {
  const Corners expected = {FcPoint2d{1, 2}, FcPoint2d{3, 4}, FcPoint2d{5, 6}, FcPoint2d{7, 8}};
  for (const std::int32_t version : {FcFilerDwg::kVersionR14, FcFilerDwg::kVersion2000}) {
    SCOPED_TRACE(version);
    // The 2000 layout with invisible-edge flags and z values present.
    const std::vector<char> bytes = DwgBits([version, &expected](FcFilerDwg& writer) {
      if (version < FcFilerDwg::kVersion2000) {
        for (const FcPoint2d& corner : expected) {
          for (double value : {corner.x, corner.y, 9.0}) writer.WriteBitDouble(value);
        }
      } else {
        writer.WriteBit(0);
        writer.WriteBit(0);
        for (double value : {1.0, 2.0, 9.0}) writer.WriteRawDouble(value);
        for (int k = 1; k < 4; ++k) {
          writer.WriteDefaultDouble(expected[k - 1].x, expected[k].x);
          writer.WriteDefaultDouble(expected[k - 1].y, expected[k].y);
          writer.WriteDefaultDouble(9.0, 9.0);
        }
      }
      writer.WriteBitShort(5);
    });
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
      Fc3DFace face;
      SetCorners(face, kCorners);
      const bool complete = length == bytes.size();
      ASSERT_EQ(ReadDwgDataPrefix(face, bytes, length, version),
                complete ? kFcStatusOk : kFcStatusReadError)
          << length;
      ExpectCorners(face, complete ? expected : kCorners);
    }
  }
}

}  // namespace
