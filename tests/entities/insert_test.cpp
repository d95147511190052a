#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/entity_sets.h"
#include "database/layer.h"
#include "entities/geom_segment_ops.h"
#include "entities/insert.h"
#include "tests/support/entity_record_support.h"
#include "tests/support/drawn_primitives.h"

namespace {

class InsertTest : public DrawnPrimitivesTest {
 protected:
  FcBlock* MakeBlock(const char* name, FcPoint2d base = {}) {
    FcBlock* block = graph.GetBlockList().AddNew();
    block->SetName(name);
    block->SetBasePoint(base);
    return block;
  }

  // A line of the block, on layer "0" unless another is named.
  FcLine* AddBlockLine(FcBlock* block, FcPoint2d start, FcPoint2d end, const char* layer = "0") {
    auto* line = new FcLine;
    line->SetStartPoint(start);
    line->SetEndPoint(end);
    graph.TakeHandle(*line);
    line->SetLayer(graph.FindOrCreateLayer(layer));
    EXPECT_TRUE(block->AddEntity(line));
    return line;
  }

  // A reference in model space, on layer "0" unless another is named.
  FcInsert* AddInsert(const char* name, FcPoint2d at, const char* layer = "0") {
    auto* insert = new FcInsert;
    graph.SetCurrentLayer(graph.FindOrCreateLayer(layer)->GetName());
    graph.AddEntity(insert, false);
    graph.SetCurrentLayer("0");
    insert->SetBlockName(name);
    insert->SetInsertionPoint(at);
    return insert;
  }

  // A reference placed into another block.
  FcInsert* AddNestedInsert(FcBlock* owner, const char* name, FcPoint2d at, const char* layer = "0") {
    auto* insert = new FcInsert;
    graph.TakeHandle(*insert);
    insert->SetLayer(graph.FindOrCreateLayer(layer));
    insert->SetBlockName(name);
    insert->SetInsertionPoint(at);
    if (!owner->AddEntity(insert)) {
      delete insert;
      return nullptr;
    }
    return insert;
  }
};

TEST_F(InsertTest, AnArrayOfThreeRowsAndTwoColumnsDrawsSixCopiesInTheReferencesGroup) {
  FcBlock* block = MakeBlock("TICK");
  const FcLine* line = AddBlockLine(block, {0, 0}, {1, 0});
  FcInsert* insert = AddInsert("TICK", {10, 20});
  insert->SetRows(3);
  insert->SetColumns(2);
  insert->SetRowSpacing(7);
  insert->SetColumnSpacing(5);

  graph.Regen();

  const std::vector<Drawn> drawn = PrimitivesOf(*insert);
  ASSERT_EQ(drawn.size(), 6u);
  for (int cell = 0; cell < 6; ++cell) {
    SCOPED_TRACE(cell);
    const int row = cell / 2;
    const int column = cell % 2;
    EXPECT_EQ(drawn[cell].entity, line->GetHandle());
    EXPECT_EQ(drawn[cell].cell, cell);
    EXPECT_NEAR(drawn[cell].min.x, 10 + 5 * column, 1e-9);
    EXPECT_NEAR(drawn[cell].min.y, 20 + 7 * row, 1e-9);
    EXPECT_NEAR(drawn[cell].max.x, 11 + 5 * column, 1e-9);
  }
  // The block's line is drawn, never copied: the block keeps its one entity.
  EXPECT_EQ(block->GetEntities().GetCount(), 1);
}

TEST_F(InsertTest, TheCellMatrixScalesAndTurnsAboutTheBasePoint) {
  MakeBlock("B", {1, 1});
  FcInsert* insert = AddInsert("B", {10, 10});
  struct Case {
    const char* name;
    double xScale, yScale, rotation;
    int row, column;
    FcPoint2d in, out;
  };
  const Case cases[] = {
      {"base point lands on the insertion point", 1, 1, 0, 0, 0, {1, 1}, {10, 10}},
      {"scaled", 2, 3, 0, 0, 0, {2, 2}, {12, 13}},
      {"mirrored in x", -1, 1, 0, 0, 0, {2, 1}, {9, 10}},
      {"quarter turn", 1, 1, kHalfPi, 0, 0, {2, 1}, {10, 11}},
      {"array steps turn with the reference", 1, 1, kHalfPi, 1, 1, {1, 1}, {8, 11}},
  };
  insert->SetRowSpacing(2);
  insert->SetColumnSpacing(1);
  insert->SetRows(2);
  insert->SetColumns(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    insert->SetXScale(c.xScale);
    insert->SetYScale(c.yScale);
    insert->SetRotation(c.rotation);
    FcPoint2d p = c.in;
    TransformPoint(insert->CellMatrix(c.row, c.column), p);
    EXPECT_NEAR(p.x, c.out.x, 1e-9);
    EXPECT_NEAR(p.y, c.out.y, 1e-9);
  }
}

TEST_F(InsertTest, LayerZeroAndByBlockEntitiesTakeTheReferencesProperties) {
  graph.FindOrCreateLayer("A")->SetColor(3);
  graph.FindOrCreateLayer("B")->SetColor(5);
  FcBlock* inner = MakeBlock("INNER");
  AddBlockLine(inner, {0, 0}, {1, 0});
  FcLine* byBlock = AddBlockLine(inner, {0, 1}, {1, 1}, "A");
  byBlock->SetColor(kColorByBlock);
  FcBlock* outer = MakeBlock("OUTER");
  ASSERT_NE(AddNestedInsert(outer, "INNER", {0, 0}), nullptr);
  AddBlockLine(outer, {0, 2}, {1, 2});

  FcInsert* direct = AddInsert("INNER", {0, 0}, "A");
  direct->SetColor(2);
  FcInsert* nested = AddInsert("OUTER", {50, 0}, "B");
  FcInsert* byBlockReference = AddInsert("INNER", {100, 0}, "B");
  byBlockReference->SetColor(kColorByBlock);
  FcBlock* passing = MakeBlock("PASSING");
  FcInsert* passingInner = AddNestedInsert(passing, "INNER", {0, 0});
  ASSERT_NE(passingInner, nullptr);
  passingInner->SetColor(kColorByBlock);
  FcInsert* outerColored = AddInsert("PASSING", {150, 0}, "B");
  outerColored->SetColor(4);
  graph.Regen();

  struct Case {
    const char* name;
    FcInsert* insert;
    std::vector<int> colors;
  };
  const Case cases[] = {
      // The layer-0 line takes layer A's colour; the ByBlock line the reference's.
      {"reference on A with colour 2", direct, {3, 2}},
      // Layer-0 entities of both blocks draw with B, through the nested reference too.
      // The ByBlock line follows the inner reference, which is ByLayer: layer A.
      {"reference on B holding a reference on 0", nested, {5, 3, 5}},
      // A ByBlock reference leaves ByBlock entities to their layer.
      {"ByBlock reference", byBlockReference, {5, 3}},
      // Nested, a ByBlock reference passes on the colour its block is drawn with.
      {"colour 4 reference holding a ByBlock reference", outerColored, {5, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> colors;
    for (const Drawn& item : PrimitivesOf(*c.insert)) colors.push_back(item.color);
    EXPECT_EQ(colors, c.colors);
  }
}

TEST_F(InsertTest, BlockEntitiesOnALayerThatIsOffAreHidden) {
  graph.FindOrCreateLayer("HIDDEN")->SetOn(false);
  FcBlock* block = MakeBlock("B");
  AddBlockLine(block, {0, 0}, {1, 0});
  AddBlockLine(block, {0, 1}, {1, 1}, "HIDDEN");
  FcInsert* insert = AddInsert("B", {0, 0});
  graph.Regen();
  FcDsGroupEnts* group = GroupOf(*insert);
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->GetCount(), 2);
  EXPECT_TRUE(group->GetPrimitive(0)->visible);
  EXPECT_FALSE(group->GetPrimitive(1)->visible);
}

TEST_F(InsertTest, ReferencesThatCannotBeDrawnWholeEndQuietly) {
  // A chain deeper than any drawing needs: each block holds a reference
  // to the next, the last a line.
  const int depth = kMaxInsertNesting + 20;
  for (int i = 0; i < depth; ++i) MakeBlock(("LEVEL" + std::to_string(i)).c_str());
  for (int i = 0; i + 1 < depth; ++i) {
    ASSERT_NE(AddNestedInsert(graph.GetBlockList().FindByName("LEVEL" + std::to_string(i)),
                              ("LEVEL" + std::to_string(i + 1)).c_str(), {1, 0}),
              nullptr);
  }
  AddBlockLine(graph.GetBlockList().FindByName("LEVEL" + std::to_string(depth - 1)), {0, 0}, {1, 0});
  FcInsert* deep = AddInsert("LEVEL0", {0, 0});

  MakeBlock("DOT");
  AddBlockLine(graph.GetBlockList().FindByName("DOT"), {0, 0}, {0, 1});
  FcInsert* huge = AddInsert("DOT", {0, 0});
  huge->SetRows(1000000);
  huge->SetColumns(1000000);
  FcInsert* missing = AddInsert("DOT", {0, 0});
  graph.GetBlockList().RemoveByName("DOT");
  MakeBlock("DOT2");
  AddBlockLine(graph.GetBlockList().FindByName("DOT2"), {0, 0}, {0, 1});
  huge->SetBlockName("DOT2");

  graph.Regen();

  EXPECT_TRUE(PrimitivesOf(*deep).empty());
  // An array too large to draw shows its first cell only.
  EXPECT_EQ(PrimitivesOf(*huge).size(), 1u);
  EXPECT_TRUE(PrimitivesOf(*missing).empty());
  EXPECT_EQ(missing->GetBlockRecord(), nullptr);
  FcEntitySets exploded(8);
  EXPECT_FALSE(huge->Explode(exploded));
  EXPECT_EQ(exploded.GetCount(), 0);
}

TEST_F(InsertTest, ABlockCanNeverReachItself) {
  FcBlock* a = MakeBlock("A");
  FcBlock* b = MakeBlock("B");
  ASSERT_NE(AddNestedInsert(a, "B", {0, 0}), nullptr);
  EXPECT_EQ(AddNestedInsert(a, "A", {0, 0}), nullptr);
  EXPECT_EQ(AddNestedInsert(b, "A", {0, 0}), nullptr);
  EXPECT_EQ(b->GetEntities().GetCount(), 0);
}

TEST_F(InsertTest, DefaultsWriteNoScaleRotationOrArrayGroups) {
  MakeBlock("FLAG");
  FcInsert* insert = AddInsert("FLAG", {2, 3});
  for (FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    std::string written;
    ASSERT_NE(DxfRoundTrip(*insert, kind, graph, &written), nullptr);
    if (kind != FcFileKind::kAsciiDxf) continue;
    for (const char* code : {"41", "42", "50", "70", "71", "44", "45", "66"}) {
      EXPECT_EQ(written.find("\n " + std::string(code) + "\n"), std::string::npos) << code;
      EXPECT_EQ(written.find("\n" + std::string(code) + "\n"), std::string::npos) << code;
    }
  }
}

TEST_F(InsertTest, DxfRecordsKeepEveryField) {
  MakeBlock("FLAG");
  FcInsert* insert = AddInsert("FLAG", {2, 3});
  insert->SetXScale(2);
  insert->SetYScale(-3);
  insert->SetRotation(0.5);
  insert->SetRows(3);
  insert->SetColumns(2);
  insert->SetRowSpacing(7);
  insert->SetColumnSpacing(5);
  insert->SetEntitiesFollow(1);
  for (FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::unique_ptr<FcInsert> read = DxfRoundTrip(*insert, kind, graph);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetBlockName(), "FLAG");
    ExpectPointNear(read->GetInsertionPoint(), {2, 3}, 1e-9);
    EXPECT_DOUBLE_EQ(read->GetXScale(), 2);
    EXPECT_DOUBLE_EQ(read->GetYScale(), -3);
    EXPECT_NEAR(read->GetRotation(), 0.5, 1e-12);
    EXPECT_EQ(read->GetRows(), 3);
    EXPECT_EQ(read->GetColumns(), 2);
    EXPECT_DOUBLE_EQ(read->GetRowSpacing(), 7);
    EXPECT_DOUBLE_EQ(read->GetColumnSpacing(), 5);
    EXPECT_EQ(read->GetEntitiesFollow(), 1);
  }
}

TEST_F(InsertTest, DxfReadingMendsWhatFilesGetWrong) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::string>> groups;
    double x, xScale;
    int rows, columns;
  };
  const std::vector<std::pair<int, std::string>> head = {
      {5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {2, "FLAG"},
      {10, "5"},  {20, "1"},          {30, "0"}};
  auto with = [&head](std::vector<std::pair<int, std::string>> extra) {
    std::vector<std::pair<int, std::string>> groups = head;
    groups.insert(groups.end(), extra.begin(), extra.end());
    groups.push_back({0, "EOF"});
    return groups;
  };
  const Case cases[] = {
      {"seen from below: x and its scale turn over", with({{210, "0"}, {220, "0"}, {230, "-1"}}), -5, -1, 1, 1},
      {"upward extrusion changes nothing", with({{210, "0"}, {220, "0"}, {230, "1"}}), 5, 1, 1, 1},
      {"zero scale is ignored", with({{41, "0"}}), 5, 1, 1, 1},
      {"counts below one are one", with({{70, "0"}, {71, "-4"}}), 5, 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcInsert insert;
    ASSERT_EQ(ReadFromGroups(insert, c.groups, graph), kFcStatusOk);
    EXPECT_DOUBLE_EQ(insert.GetInsertionPoint().x, c.x);
    EXPECT_DOUBLE_EQ(insert.GetXScale(), c.xScale);
    EXPECT_EQ(insert.GetRows(), c.rows);
    EXPECT_EQ(insert.GetColumns(), c.columns);
  }
}

TEST_F(InsertTest, AReferenceWithoutItsBlockWritesNothing) {
  FcInsert insert;
  insert.SetBlockName("NOWHERE");
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  EXPECT_NE(insert.WriteDxf(filer), kFcStatusOk);
  EXPECT_EQ(Contents(filer), "");
}

TEST_F(InsertTest, DwgRecordsKeepScalesRotationAndBlockButNotTheArray) {
  FcBlock* block = MakeBlock("FLAG");
  struct Case {
    double xScale, yScale;
  };
  for (const Case& c : {Case{1, 1}, Case{1, 4}, Case{2.5, 2.5}, Case{-2, 3}}) {
    SCOPED_TRACE(std::to_string(c.xScale) + " " + std::to_string(c.yScale));
    FcInsert* insert = AddInsert("FLAG", {2, 3});
    insert->SetXScale(c.xScale);
    insert->SetYScale(c.yScale);
    insert->SetRotation(1.25);
    insert->SetRows(3);
    insert->SetColumns(4);
    std::unique_ptr<FcInsert> read = DwgRoundTrip(*insert, graph);
    ASSERT_NE(read, nullptr);
    ExpectPointNear(read->GetInsertionPoint(), {2, 3}, 1e-9);
    EXPECT_DOUBLE_EQ(read->GetXScale(), c.xScale);
    EXPECT_DOUBLE_EQ(read->GetYScale(), c.yScale);
    EXPECT_DOUBLE_EQ(read->GetRotation(), 1.25);
    EXPECT_EQ(read->GetBlockRecordHandle(), block->GetHandle());
    EXPECT_EQ(read->GetRows(), 1);
    EXPECT_EQ(read->GetColumns(), 1);
  }
}

TEST_F(InsertTest, TransformMovesTheDrawnBlockAsTheMatrixMovesItsPoints) {
  MakeBlock("B", {1, 1});
  struct Case {
    const char* name;
    FcMatrix2d matrix;
    double xScale, yScale;
  };
  const Case cases[] = {
      // The mirror turns the x scale over; turning by pi as well would
      // mirror about the other axis.
      {"mirror about the y axis", {-1, 0, 0, 0, 1, 0}, -2, 1},
      {"mirror about the x axis", {1, 0, 0, 0, -1, 0}, -2, 1},
      {"uniform scale by 3 and a shift", {3, 0, 4, 0, 3, -1}, 6, 3},
      {"quarter turn", {0, -1, 0, 1, 0, 0}, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcInsert* insert = AddInsert("B", {1, 0});
    insert->SetXScale(2);
    insert->SetRotation(0.3);
    const FcMatrix2d before = insert->CellMatrix(0, 0);
    insert->Transform(c.matrix);
    EXPECT_DOUBLE_EQ(insert->GetXScale(), c.xScale);
    EXPECT_DOUBLE_EQ(insert->GetYScale(), c.yScale);
    for (FcPoint2d p : {FcPoint2d{0, 0}, FcPoint2d{3, 1}, FcPoint2d{-2, 5}}) {
      FcPoint2d expected = p;
      TransformPoint(before, expected);
      TransformPoint(c.matrix, expected);
      TransformPoint(insert->CellMatrix(0, 0), p);
      ExpectPointNear(p, expected, 1e-9);
    }
  }
}

TEST_F(InsertTest, ExplodeGivesTransformedCopiesOnlyForEqualScales) {
  FcBlock* block = MakeBlock("B");
  AddBlockLine(block, {0, 0}, {1, 0}, "WALLS");
  FcInsert* insert = AddInsert("B", {10, 10});
  insert->SetXScale(-1);
  FcEntitySets out(8);
  frame.Clear();
  EXPECT_FALSE(insert->Explode(out));
  EXPECT_EQ(out.GetCount(), 0);
  EXPECT_EQ(frame.HistoryLines(), std::vector<std::string>{"Can't explode the block that the X scale don't equal Y scale."});

  insert->SetYScale(-2);
  insert->SetXScale(-2);
  insert->SetColumns(2);
  insert->SetColumnSpacing(5);
  ASSERT_TRUE(insert->Explode(out));
  ASSERT_EQ(out.GetCount(), 2);
  struct Expected {
    FcPoint2d start, end;
  };
  // Scale -2 turns the copy by half a turn; the column spacing is not scaled.
  const Expected expected[] = {{{10, 10}, {8, 10}}, {{15, 10}, {13, 10}}};
  for (int i = 0; i < 2; ++i) {
    const auto* line = dynamic_cast<const FcLine*>(out.GetAt(i));
    ASSERT_NE(line, nullptr);
    ExpectPointNear(line->GetStartPoint(), expected[i].start, 1e-9);
    ExpectPointNear(line->GetEndPoint(), expected[i].end, 1e-9);
    ASSERT_NE(line->GetLayer(), nullptr);
    EXPECT_EQ(line->GetLayer()->GetName(), "WALLS");
    EXPECT_EQ(line->GetBlock(), nullptr);
  }
  out.RemoveAll(true);
}

TEST_F(InsertTest, SnapFindsTheInsertionPointAndTheCopyOfACell) {
  FcBlock* block = MakeBlock("B");
  const FcLine* line = AddBlockLine(block, {0, 0}, {1, 0});
  FcInsert* insert = AddInsert("B", {10, 20});
  insert->SetRows(3);
  insert->SetColumns(2);
  insert->SetRowSpacing(7);
  insert->SetColumnSpacing(5);
  const FcMatrix2d identity;

  GeomSegmentList own;
  insert->GetSnapSegments(kOsnapEndpoint, {}, 0, identity, own);
  ASSERT_EQ(own.size(), 1u);
  EXPECT_EQ(own[0]->snapModes, kOsnapInsert);
  ExpectPointNear(own[0]->point, {10, 20}, 1e-9);

  GeomSegmentList cell;
  insert->GetBlockSnapSegments(kOsnapEndpoint, {}, line->GetHandle(), 0, 5, identity, cell);
  ASSERT_EQ(cell.size(), 1u);
  // Row 2, column 1.
  ExpectPointNear(cell[0]->first, {15, 34}, 1e-9);
  ExpectPointNear(cell[0]->second, {16, 34}, 1e-9);
  GeomSegmentList outside;
  insert->GetBlockSnapSegments(kOsnapEndpoint, {}, line->GetHandle(), 0, 6, identity, outside);
  EXPECT_TRUE(outside.empty());
}

TEST_F(InsertTest, GripMovesTheInsertionPointAndListShowsTheReference) {
  MakeBlock("FLAG");
  FcInsert* insert = AddInsert("FLAG", {2, 3});
  insert->SetXScale(2);
  EXPECT_EQ(GripsOf(*insert), (std::vector<FcPoint2d>{{2, 3}}));
  insert->MoveGripPoints(Indices({}), {1, 1});
  ExpectPointNear(insert->GetInsertionPoint(), {3, 4}, 1e-9);

  graph.GetSysVars().luprec = 2;
  frame.Clear();
  insert->List();
  const std::vector<std::string> lines = frame.HistoryLines();
  ASSERT_GE(lines.size(), 5u);
  const std::vector<std::string> own(lines.end() - 5, lines.end());
  EXPECT_EQ(own[0], "  Block name: FLAG");
  EXPECT_EQ(own[1].rfind("  Insert point: X= ", 0), 0u);
  EXPECT_EQ(own[2], "  X Scale: 2.00");
  EXPECT_EQ(own[3], "  Y Scale: 1.00");
  EXPECT_EQ(own[4].rfind("  Rotate angle: ", 0), 0u);
}

TEST_F(InsertTest, MarkingReachesNestedBlocks) {
  FcBlock* inner = MakeBlock("INNER");
  FcBlock* outer = MakeBlock("OUTER");
  FcBlock* unused = MakeBlock("UNUSED");
  ASSERT_NE(AddNestedInsert(outer, "INNER", {0, 0}), nullptr);
  FcInsert* insert = AddInsert("OUTER", {0, 0});
  graph.GetBlockList().ClearReferenceMarks();
  graph.GetCurrentBlock()->MarkReferences();
  EXPECT_FALSE(outer->IsUnreferenced());
  EXPECT_FALSE(inner->IsUnreferenced());
  EXPECT_TRUE(unused->IsUnreferenced());
  ASSERT_EQ(outer->GetReferences().count, 1);
  EXPECT_EQ(outer->GetReferences()[0], insert->GetHandle());
}

}  // namespace
