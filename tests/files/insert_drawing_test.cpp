#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "core/resbuf.h"
#include "database/app_id.h"
#include "files/graph_insert.h"
#include "database/block_markers.h"
#include "files/drawing_file.h"
#include "entities/insert.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"
#include "tests/support/point_expect.h"

namespace {

// The drawing to be inserted: lines on a layer whose linetype the target
// has and on one whose linetype it lacks, a layer the target has with
// other settings, extended data, a block and a named UCS.
void FillPart(FcGraph& part) {
  FillTestDrawing(part);
  FcLineType* hidden = part.GetOrCreateLinetype("Hidden");
  hidden->SetPattern("A,.25,-.125");
  FcLayer* doors = part.FindOrCreateLayer("Doors");
  doors->SetLinetypeHandle(hidden->GetHandle());
  FcAppID* app = part.GetAppIdList().GetAt(part.GetAppIdList().GetCount() - 1);
  doors->GetXdata().GetForApp(app)->SetChain(BuildResBufList(1000, "door layer", 0));
  part.FindOrCreateLayer("Frames")->SetLinetypeHandle(part.GetLinetypeList().FindByName("Dashed")->GetHandle());
  part.SetCurrentLayer("Doors");
  AddTestLine(part, {0, 0}, {1, 1});
  part.GetSysVars().insbase = {4, 5};
}

// The drawing that receives it: "Dashed" and "Walls" of its own.
void FillTarget(FcGraph& target) {
  target.GetOrCreateLinetype("Dashed")->SetPattern("A,1,-1");
  target.FindOrCreateLayer("Walls")->SetColor(5);
  AddTestLine(target, {0, 0}, {0, 9});
}

void CollectHandle(const FcObject* object, std::multiset<FcHandle>& handles) {
  if (object != nullptr) handles.insert(object->GetHandle());
}

template <typename Table>
void CollectTable(const Table& table, std::multiset<FcHandle>& handles) {
  for (int i = 0; i < table.GetCount(); ++i) CollectHandle(table.GetAt(i), handles);
}

std::multiset<FcHandle> HandlesOf(FcGraph& graph) {
  std::multiset<FcHandle> handles;
  CollectTable(graph.GetLayerList(), handles);
  CollectTable(graph.GetLinetypeList(), handles);
  CollectTable(graph.GetTextStyleList(), handles);
  CollectTable(graph.GetDimStyleList(), handles);
  CollectTable(graph.GetUcsList(), handles);
  CollectTable(graph.GetAppIdList(), handles);
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    const FcBlock* block = blocks.GetAt(i);
    CollectHandle(block, handles);
    CollectHandle(block->GetBegin(), handles);
    CollectHandle(block->GetEnd(), handles);
    for (const FcEntity* entity : block->GetEntities()) CollectHandle(entity, handles);
  }
  return handles;
}

// The entities of a block of the part.
int PartEntityCount(const char* blockName) {
  FcGraph part;
  FillPart(part);
  return part.GetBlockList().FindByName(blockName)->GetEntities().GetCount();
}

class InsertDrawingTest : public ::testing::Test {
 protected:
  // Saves the part as path (ASCII DXF) and inserts it into the target.
  FcBlock* InsertPartFile(const std::string& name) {
    FcGraph part;
    FillPart(part);
    EXPECT_EQ(SaveDrawing(part, dir_.path() + name, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
    FcBlock* block = nullptr;
    EXPECT_EQ(InsertDrawingFile(target_, dir_.path() + name, block, nullptr), FcOpenResult::kDone);
    return block;
  }

  TempDir dir_;
  FcGraph target_;
};

TEST_F(InsertDrawingTest, FileBecomesABlockWithItsTablesMergedByName) {
  FillTarget(target_);
  const FcHandle ownDashed = target_.GetLinetypeList().FindByName("Dashed")->GetHandle();
  const int blocksBefore = target_.GetBlockList().GetBlockCount();

  const FcBlock* block = InsertPartFile("part.dxf");
  ASSERT_NE(block, nullptr);

  // The model space of the part, under its file title, at its INSBASE.
  EXPECT_EQ(block->GetName(), "part");
  EXPECT_EQ(block->GetFlags() & kBlockAnonymous, 0);
  ExpectPointEq(block->GetBasePoint(), {4, 5});
  ASSERT_EQ(block->GetEntities().GetCount(), PartEntityCount("*Model_Space"));
  for (const FcEntity* entity : block->GetEntities()) {
    EXPECT_EQ(target_.GetLayerList().FindByHandle(entity->GetLayer()->GetHandle()), entity->GetLayer());
    EXPECT_EQ(entity->GetBlock(), block);
  }
  EXPECT_EQ(block->GetEntities().GetAt(0)->GetLayer()->GetName(), "Walls");
  // "part" and the part's "Door"; the spaces are not merged.
  EXPECT_EQ(target_.GetBlockList().GetBlockCount(), blocksBefore + 2);
  const FcBlock* door = target_.GetBlockList().FindByName("Door");
  ASSERT_NE(door, nullptr);
  EXPECT_EQ(door->GetEntities().GetCount(), PartEntityCount("Door"));
  ExpectPointEq(door->GetBasePoint(), {1, 2});

  // The target's own records win; missing ones arrive and bind by name.
  const FcLayerList& layers = target_.GetLayerList();
  EXPECT_EQ(layers.FindByName("Walls")->GetColor(), 5);
  EXPECT_EQ(target_.GetLinetypeList().FindByName("Dashed")->GetHandle(), ownDashed);
  EXPECT_EQ(layers.FindByName("Frames")->GetLinetypeHandle(), ownDashed);
  const FcLineType* hidden = target_.GetLinetypeList().FindByName("Hidden");
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(layers.FindByName("Doors")->GetLinetype(), hidden);
  EXPECT_NE(target_.GetTextStyleList().Find("Notes"), nullptr);
  EXPECT_NE(target_.GetDimStyleList().Find("Plans"), nullptr);
  EXPECT_NE(target_.GetUcsList().FindByName("Turned"), nullptr);
  EXPECT_EQ(target_.GetPreviousUcsList().GetCount(), 0);

  // The copied extended data names this drawing's application record.
  const FcExtendDataList& xdata = layers.FindByName("Doors")->GetXdata();
  ASSERT_EQ(xdata.GetCount(), 1);
  EXPECT_EQ(xdata.GetAt(0)->application, target_.GetAppIdList().FindByName("KOVRA_TEST"));

  const std::multiset<FcHandle> handles = HandlesOf(target_);
  EXPECT_EQ(std::set<FcHandle>(handles.begin(), handles.end()).size(), handles.size());
  EXPECT_LT(*handles.rbegin(), target_.GetHandleSeed());

  // The merged drawing saves and opens again with the block intact.
  ASSERT_EQ(SaveDrawing(target_, dir_.path() + "merged.dwg", FcFileKind::kDwg, false, false), FcSaveResult::kDone);
  FcGraph reopened;
  ASSERT_EQ(OpenDrawing(reopened, dir_.path() + "merged.dwg", false, nullptr), FcOpenResult::kDone);
  const FcBlock* read = reopened.GetBlockList().FindByName("part");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetEntities().GetCount(), PartEntityCount("*Model_Space"));
}

TEST_F(InsertDrawingTest, SameDrawingAgainRedefinesItsBlock) {
  FillTarget(target_);
  const FcBlock* first = InsertPartFile("part.dxf");
  const int layerEntries = static_cast<int>(target_.GetLayerList().FindByName("Walls")->GetEntityHandles().count);
  const int blocks = target_.GetBlockList().GetBlockCount();
  const FcBlock* second = InsertPartFile("part.dxf");
  EXPECT_EQ(second, first);
  EXPECT_EQ(target_.GetBlockList().GetBlockCount(), blocks);
  EXPECT_EQ(second->GetEntities().GetCount(), PartEntityCount("*Model_Space"));
  // The deleted entities left their layer.
  EXPECT_EQ(static_cast<int>(target_.GetLayerList().FindByName("Walls")->GetEntityHandles().count), layerEntries);
}

TEST_F(InsertDrawingTest, UntitledDrawingBecomesAnAnonymousBlock) {
  FcGraph part;
  FillPart(part);
  ASSERT_EQ(part.GetSysVars().dwgtitled, 0);
  const FcBlock* block = InsertDrawing(target_, part);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetName(), "*D1");
  EXPECT_EQ(block->GetFlags(), kBlockAnonymous);
  EXPECT_EQ(block->GetEntities().GetCount(), PartEntityCount("*Model_Space"));
  EXPECT_EQ(InsertDrawing(target_, part)->GetName(), "*D2");
}

// A drawing titled DOOR whose model space refers to its own block DOOR,
// inserted where DOOR exists: the block receiving the drawing would hold a
// reference to itself, which is left out.
TEST_F(InsertDrawingTest, ABlockNamedLikeTheDrawingNeverReachesItself) {
  FcBlock* door = target_.GetBlockList().AddNew();
  door->SetName("DOOR");
  FcGraph part;
  FillPart(part);
  part.GetBlockList().AddNew()->SetName("DOOR");
  auto* reference = new FcInsert;
  part.AddEntity(reference, false);
  reference->SetBlockName("DOOR");
  part.GetSysVars().dwgtitled = 1;
  part.GetSysVars().dwgname = "door.dxf";

  const FcBlock* block = InsertDrawing(target_, part);
  ASSERT_EQ(block, door);
  EXPECT_FALSE(block->ReachesBlock(block));
  for (const FcEntity* entity : block->GetEntities()) EXPECT_NE(entity->GetReferencedBlock(), block);
  EXPECT_EQ(block->GetEntities().GetCount(), PartEntityCount("*Model_Space"));
}

TEST_F(InsertDrawingTest, UnreadableFileLeavesTheDrawingAlone) {
  struct Case {
    const char* name;
    const char* contents;  // null: the file does not exist
    FcOpenResult result;
  };
  const Case cases[] = {
      {"missing.dxf", nullptr, FcOpenResult::kCannotOpen},
      {"cut.dxf", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n", FcOpenResult::kReadError},
      {"noise.dwg", "AC1015\x01\x02 not a drawing", FcOpenResult::kReadError},
  };
  FillTarget(target_);
  const std::string before = AsciiDxfOf(target_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.contents != nullptr) std::ofstream(dir_.path() + c.name, std::ios::binary) << c.contents;
    FcBlock* block = target_.GetBlockList().GetAt(0);
    EXPECT_EQ(InsertDrawingFile(target_, dir_.path() + c.name, block, nullptr), c.result);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(FirstDifference(AsciiDxfOf(target_), before), "");
  }
}

}  // namespace
