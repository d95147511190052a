#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/data_array.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/recording_frame_link.h"
#include "platform/thread_slot.h"
#include "tests/support/object_test_support.h"
#include "tests/support/point_expect.h"

namespace {

FcLine MakeLine(FcPoint2d start, FcPoint2d end) {
  FcLine line;
  line.SetStartPoint(start);
  line.SetEndPoint(end);
  return line;
}

CIntArray Indices(std::initializer_list<int> values) {
  CIntArray indices;
  for (int value : values) indices.Add(value);
  return indices;
}

TEST(LineTest, ConstructionSetsTheClassConstants) {
  std::unique_ptr<FcObject> created(FcLine::Create());
  const auto* line = dynamic_cast<FcLine*>(created.get());
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->GetRecordName(), "LINE");
  EXPECT_EQ(line->GetKind(), kEntityLine);
  EXPECT_EQ(line->GetDwgType(), 19);
  EXPECT_EQ(line->GetColor(), kColorByLayer);
}

class LineListTest : public testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&link); }
  void TearDown() override { SetFrameLink(nullptr); }

  // The four lines the line adds after the common ones.
  std::vector<std::string> OwnLines(FcLine& line) {
    line.SetLayer(graph.GetCurrentLayer());
    link.Clear();
    line.List();
    const std::vector<std::string> lines = link.HistoryLines();
    if (lines.size() < 4) return lines;
    return {lines.end() - 4, lines.end()};
  }

  RecordingFrameLink link;
  FcGraph graph;
};

TEST_F(LineListTest, ListsInTheCurrentUcsAndAngleSettings) {
  struct Case {
    const char* name;
    FcPoint2d start;
    FcPoint2d end;
    double angbase;
    std::uint8_t angdir;
    bool rotatedUcs;
    std::vector<std::string> expected;
  };
  const double up = std::atan2(1.0, 0.0);
  const Case cases[] = {
      {"world",
       {1, 2},
       {4, 6},
       0.0,
       0,
       false,
       {"  From point: X= 1.0000    Y= 2.0000", "  To point: X= 4.0000    Y= 6.0000",
        "  Length = 5.0000  ,  Angle = 53.1301", "  Delta X = 3.0000  ,  Delta Y = 4.0000"}},
      {"angle base past the direction wraps",
       {1, 2},
       {4, 6},
       up,
       0,
       false,
       {"  From point: X= 1.0000    Y= 2.0000", "  To point: X= 4.0000    Y= 6.0000",
        "  Length = 5.0000  ,  Angle = 323.1301", "  Delta X = 3.0000  ,  Delta Y = 4.0000"}},
      {"clockwise along the angle base is a full turn",
       {0, 0},
       {0, 2},
       up,
       1,
       false,
       {"  From point: X= 0.0000    Y= 0.0000", "  To point: X= 0.0000    Y= 2.0000",
        "  Length = 2.0000  ,  Angle = 0.0000", "  Delta X = 0.0000  ,  Delta Y = 2.0000"}},
      {"zero length",
       {3, 3},
       {3, 3},
       0.0,
       0,
       false,
       {"  From point: X= 3.0000    Y= 3.0000", "  To point: X= 3.0000    Y= 3.0000",
        "  Length = 0.0000  ,  Angle = 0.0000", "  Delta X = 0.0000  ,  Delta Y = 0.0000"}},
      // Origin (10, 0), x axis along world +y: world (1, 2) is (2, 9).
      {"rotated ucs",
       {1, 2},
       {4, 6},
       0.0,
       0,
       true,
       {"  From point: X= 2.0000    Y= 9.0000", "  To point: X= 6.0000    Y= 6.0000",
        "  Length = 5.0000  ,  Angle = 323.1301", "  Delta X = 4.0000  ,  Delta Y = -3.0000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcSystemVar& vars = graph.GetSysVars();
    vars.angbase = c.angbase;
    vars.angdir = c.angdir;
    if (c.rotatedUcs) {
      ASSERT_TRUE(vars.SetUcs({10, 0}, {10, 1}, {9, 0}));
    } else {
      ASSERT_TRUE(vars.SetUcs({0, 0}, {1, 0}, {0, 1}));
    }
    FcLine line = MakeLine(c.start, c.end);
    EXPECT_EQ(OwnLines(line), c.expected);
  }
}

TEST(LineTest, TransformMapsBothEnds) {
  struct Case {
    const char* name;
    FcMatrix2d matrix;
    FcPoint2d start;
    FcPoint2d end;
  };
  FcMatrix2d translate;
  TranslationMatrix(2, -3, translate);
  FcMatrix2d rotate;
  RotationMatrix(1, 1, std::atan2(1.0, 0.0), rotate);
  FcMatrix2d scale;
  ScaleMatrix(2, 3, scale);
  FcMatrix2d mirror;
  FlipXMatrix(mirror);
  const Case cases[] = {
      {"translate", translate, {3, -1}, {5, 1}},
      {"rotate a quarter about (1, 1)", rotate, {0, 1}, {-2, 3}},
      {"scale", scale, {2, 6}, {6, 12}},
      {"mirror", mirror, {-1, 2}, {-3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcLine line = MakeLine({1, 2}, {3, 4});
    line.Transform(c.matrix);
    ExpectPointNear(line.GetStartPoint(), c.start, 1e-12);
    ExpectPointNear(line.GetEndPoint(), c.end, 1e-12);
  }
}

TEST(LineTest, GripsAndStretchPoints) {
  FcLine line = MakeLine({0, 0}, {4, 2});
  FcPoint2dArray grips;
  line.GetGripPoints(grips);
  ASSERT_EQ(grips.count, 3);
  ExpectPointNear(grips[0], {0, 0}, 1e-12);
  ExpectPointNear(grips[1], {2, 1}, 1e-12);
  ExpectPointNear(grips[2], {4, 2}, 1e-12);
  FcPoint2dArray stretch;
  line.GetStretchPoints(stretch);
  ASSERT_EQ(stretch.count, 2);
  ExpectPointNear(stretch[0], {0, 0}, 1e-12);
  ExpectPointNear(stretch[1], {4, 2}, 1e-12);

  struct Case {
    const char* name;
    bool stretch;
    std::initializer_list<int> indices;
    FcPoint2d start;
    FcPoint2d end;
  };
  const Case cases[] = {
      {"middle grip moves the line", false, {1}, {1, 1}, {5, 3}},
      {"middle with an end moves the line only", false, {2, 1}, {1, 1}, {5, 3}},
      {"start grip", false, {0}, {1, 1}, {4, 2}},
      {"end grip", false, {2}, {0, 0}, {5, 3}},
      {"both end grips", false, {2, 0}, {1, 1}, {5, 3}},
      {"stretch start", true, {0}, {1, 1}, {4, 2}},
      {"stretch end", true, {1}, {0, 0}, {5, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcLine moved = MakeLine({0, 0}, {4, 2});
    const CIntArray indices = Indices(c.indices);
    const int handled = c.stretch ? moved.MoveStretchPoints(indices, {1, 1})
                                  : moved.MoveGripPoints(indices, {1, 1});
    EXPECT_EQ(handled, indices.count);
    ExpectPointNear(moved.GetStartPoint(), c.start, 1e-12);
    ExpectPointNear(moved.GetEndPoint(), c.end, 1e-12);
  }
}

TEST(LineTest, SegmentRecordsLengthAndExplode) {
  FcMatrix2d matrix;
  TranslationMatrix(10, 20, matrix);
  for (const FcPoint2d end : {FcPoint2d{3, 4}, FcPoint2d{0, 0}}) {
    FcLine line = MakeLine({0, 0}, end);
    GeomSegmentList snaps;
    line.GetSnapSegments(0, {100, 100}, 7, matrix, snaps);
    GeomSegmentList bounds;
    line.GetBoundarySegments(matrix, bounds);
    ASSERT_EQ(snaps.size(), 1u);
    ASSERT_EQ(bounds.size(), 1u);
    for (const auto& [record, tag] : {std::pair{snaps[0].get(), 675}, std::pair{bounds[0].get(), 0}}) {
      EXPECT_EQ(record->type, kGeomSegmentLine);
      EXPECT_EQ(record->extent, kLineExtentSegment);
      EXPECT_EQ(record->snapModes, tag);
      ExpectPointNear(record->first, {10, 20}, 1e-12);
      ExpectPointNear(record->second, {10 + end.x, 20 + end.y}, 1e-12);
    }
    EXPECT_DOUBLE_EQ(line.GetLength(), std::hypot(end.x, end.y));
    FcEntitySets exploded(kFcPreviousSelectionGrowth);
    EXPECT_FALSE(line.Explode(exploded));
  }
}

// A line with every field away from its default, in a drawing that has its
// layer and linetype.
class LineRecordTest : public testing::Test {
 protected:
  LineRecordTest() {
    graph.TakeHandle(line);
    line.SetLayer(graph.FindOrCreateLayer("Walls"));
    line.SetLinetype(graph.GetOrCreateLinetype("DASHED"));
    line.SetColor(3);
    line.SetLinetypeScale(2.5);
    line.SetInvisible(1);
    line.SetStartPoint({1.5, -2.25});
    line.SetEndPoint({1000.125, 7});
  }

  void ExpectSameLine(const FcLine& read) {
    EXPECT_EQ(read.GetHandle(), line.GetHandle());
    EXPECT_EQ(read.GetColor(), 3);
    EXPECT_EQ(read.GetLinetypeScale(), 2.5);
    EXPECT_EQ(read.GetInvisible(), 1);
    EXPECT_EQ(read.GetLinetype(), line.GetLinetype());
    EXPECT_EQ(read.GetStartPoint().x, 1.5);
    EXPECT_EQ(read.GetStartPoint().y, -2.25);
    EXPECT_EQ(read.GetEndPoint().x, 1000.125);
    EXPECT_EQ(read.GetEndPoint().y, 7.0);
  }

  FcGraph graph;
  FcLine line;
};

TEST_F(LineRecordTest, DxfRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    FcFiler filer;
    StartMemory(filer, kind, &graph);
    ASSERT_EQ(line.WriteDxf(filer), kFcStatusOk);
    filer.WriteString(0, "EOF");
    if (kind == FcFileKind::kAsciiDxf) {
      EXPECT_NE(Contents(filer).find(Groups({{100, "AcDbLine"},
                                             {10, "1.5"},
                                             {20, "-2.25"},
                                             {11, "1000.125"},
                                             {21, "7.0"},
                                             {0, "EOF"}})),
                std::string::npos);
    }
    filer.Seek(0, FcSeekOrigin::kBegin);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    FcLine read;
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    ExpectSameLine(read);
    EXPECT_EQ(read.GetLayerName(), "Walls");
    ASSERT_TRUE(filer.ReadGroup(group));
    EXPECT_EQ(group.type, 0);
  }
}

TEST_F(LineRecordTest, DxfGroupLoopResults) {
  using GroupList = std::vector<std::pair<int, std::string>>;
  const GroupList head = {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}};
  struct Case {
    const char* name;
    GroupList groups;
    int result;
    bool overridden = false;
  };
  const Case cases[] = {
      {"marker in any case", {{100, "acdbline"}, {10, "1"}, {20, "2"}, {0, "EOF"}}, 0},
      {"older record without the marker", {{10, "1"}, {20, "2"}, {0, "EOF"}}, 1},
      {"unknown linetype after the marker", {{100, "AcDbLine"}, {6, "NOSUCH"}, {0, "EOF"}}, 3},
      {"end of data", {{100, "AcDbLine"}, {62, "1"}}, 1},
      {"overrides after the marker",
       {{100, "AcDbLine"}, {8, "Walls"}, {62, "5"}, {6, "DASHED"}, {1001, "ACAD"}, {1000, "x"}, {0, "EOF"}},
       0,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GroupList groups = head;
    groups.insert(groups.end(), c.groups.begin(), c.groups.end());
    FcFiler filer;
    StartReading(filer, Groups(groups), FcFileKind::kAsciiDxf, &graph);
    FcLine read;
    EXPECT_EQ(read.ReadDxf(filer), c.result);
    if (c.overridden) {
      EXPECT_EQ(read.GetLayerName(), "Walls");
      EXPECT_EQ(read.GetColor(), 5);
      EXPECT_EQ(read.GetLinetype(), line.GetLinetype());
      EXPECT_EQ(read.GetXdata().GetCount(), 1);
    }
  }
}

TEST_F(LineRecordTest, DwgRecordRoundTrip) {
  FcLine zeroLength;
  graph.TakeHandle(zeroLength);
  zeroLength.SetLayer(graph.GetCurrentLayer());
  zeroLength.SetStartPoint({5, 5});
  zeroLength.SetEndPoint({5, 5});

  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  for (FcLine* written : {&line, &zeroLength}) {
    const FcHandle handle = written->GetHandle();
    ASSERT_EQ(written->WriteDwg(filer, handle - 1, handle + 1, 0, 0, 0), kFcStatusOk);
  }
  for (FcLine* written : {&line, &zeroLength}) {
    std::int64_t size = 0;
    std::int16_t type = 0;
    const std::int64_t offset = filer.SeekObject(written->GetHandle(), size, type);
    ASSERT_GT(offset, 0);
    EXPECT_EQ(type, 19);
    FcLine read;
    read.SetHandle(written->GetHandle());
    FcHandle previous = 0, next = 0, extra1 = 0, extra2 = 0, extra3 = 0;
    ASSERT_EQ(read.ReadDwg(filer, size, offset, previous, next, extra1, extra2, extra3), kFcStatusOk);
    EXPECT_EQ(read.GetLayerHandle(), written->GetLayerHandle());
    if (written == &line) {
      ExpectSameLine(read);
    } else {
      ExpectPointNear(read.GetStartPoint(), {5, 5}, 1e-12);
      EXPECT_DOUBLE_EQ(read.GetLength(), 0.0);
    }
  }
}

// The line's own data, written bit by bit as each layout stores it.
std::vector<char> DataBits(std::int32_t version) {
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  if (version < FcFilerDwg::kVersion2000) {
    for (double value : {1.0, 2.0, 9.0, 3.0, 4.0, 9.0, 0.5, 0.0, 0.0, 1.0}) writer.WriteBitDouble(value);
  } else {
    writer.WriteBit(0);
    writer.WriteRawDouble(1.0);
    writer.WriteDefaultDouble(1.0, 3.0);
    writer.WriteRawDouble(2.0);
    writer.WriteDefaultDouble(2.0, 4.0);
    writer.WriteRawDouble(9.0);
    writer.WriteDefaultDouble(9.0, 9.0);
    writer.WriteBit(0);
    writer.WriteBitDouble(0.5);
    writer.WriteBit(0);
    for (double value : {0.0, 0.0, 1.0}) writer.WriteBitDouble(value);
  }
  while (writer.GetBitsWritten() % 8 != 0) writer.WriteBit(0);
  return writer.DetachFile()->TakeBytes();
}

TEST(LineDwgDataTest, ReadsEveryLayoutAndRefusesShortData) {
  for (const std::int32_t version : {FcFilerDwg::kVersionR13, FcFilerDwg::kVersionR14, FcFilerDwg::kVersion2000}) {
    SCOPED_TRACE(version);
    const std::vector<char> bytes = DataBits(version);
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
      FcFilerDwg reader;
      reader.SetVersion(version);
      reader.AttachFile(std::make_unique<FcFile>(std::vector<char>(bytes.begin(), bytes.begin() + length)),
                        FcFileKind::kDwg);
      FcLine line = MakeLine({7, 7}, {7, 7});
      const bool complete = length == bytes.size();
      ASSERT_EQ(line.ReadDwgData(reader), complete ? kFcStatusOk : kFcStatusReadError) << length;
      ExpectPointNear(line.GetStartPoint(), complete ? FcPoint2d{1, 2} : FcPoint2d{7, 7}, 1e-12);
      ExpectPointNear(line.GetEndPoint(), complete ? FcPoint2d{3, 4} : FcPoint2d{7, 7}, 1e-12);
    }
  }
}

// Equal coordinates cost only their two-bit code.
TEST(LineDwgDataTest, ZeroLengthLineWritesDefaultsOnly) {
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  FcLine line = MakeLine({5, 6}, {5, 6});
  line.WriteDwgData(writer);
  EXPECT_EQ(writer.GetBitsWritten(), 1u + 64 + 2 + 64 + 2 + 1 + 1);
}

TEST(LineTest, ClonesKeepThePointsAndRebindProperties) {
  FcGraph source;
  FcLine line = MakeLine({1, 2}, {3, 4});
  line.SetLayer(source.FindOrCreateLayer("Walls"));
  line.SetColor(4);
  // A clone finds its layer by handle in the drawing being worked on.
  CurrentThreadSlot().graph = &source;
  std::unique_ptr<FcEntity> clone(line.Clone());
  CurrentThreadSlot() = {};
  auto* sameGraph = dynamic_cast<FcLine*>(clone.get());
  ASSERT_NE(sameGraph, nullptr);
  EXPECT_EQ(sameGraph->GetLayer(), line.GetLayer());
  EXPECT_EQ(sameGraph->GetColor(), 4);
  ExpectPointNear(sameGraph->GetEndPoint(), {3, 4}, 1e-12);

  FcGraph target;
  std::unique_ptr<FcEntity> copied(line.CloneFromOtherGraph(target));
  auto* otherGraph = dynamic_cast<FcLine*>(copied.get());
  ASSERT_NE(otherGraph, nullptr);
  EXPECT_EQ(otherGraph->GetLayer(), target.GetCurrentLayer());
  EXPECT_EQ(otherGraph->GetColor(), 4);
  ExpectPointNear(otherGraph->GetStartPoint(), {1, 2}, 1e-12);
  ExpectPointNear(otherGraph->GetEndPoint(), {3, 4}, 1e-12);
}

}  // namespace
