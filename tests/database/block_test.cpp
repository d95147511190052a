#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/block.h"
#include "database/graph.h"
#include "database/object_factory.h"
#include "database/block_markers.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"
#include "tests/support/test_entity.h"

namespace {

std::vector<std::string> Names(const FcBlockList& table) {
  std::vector<std::string> names;
  for (int i = 0; i < table.GetBlockCount(); ++i) names.push_back(table.GetAt(i)->GetName());
  return names;
}

// One entry of the BLOCK_RECORD table.
std::string BlockRecordGroups(const char* handle, const char* name) {
  return Groups({{0, "BLOCK_RECORD"},
                 {5, handle},
                 {330, "1"},
                 {100, "AcDbSymbolTableRecord"},
                 {100, "AcDbBlockTableRecord"},
                 {2, name},
                 {340, "0"}});
}

class BlockTest : public testing::Test {
 protected:
  void SetUp() override { RegisterObjectFactory(TestEntity::kRecordName, &TestEntity::Create); }

  FcBlockList& Blocks() { return graph.GetBlockList(); }

  FcBlock* AddBlock(FcGraph& drawing, const char* name) {
    FcBlock* block = drawing.GetBlockList().AddNew();
    block->SetName(name);
    return block;
  }

  TestEntity* AddEntity(FcGraph& drawing, FcBlock* block, double x) {
    auto* entity = new TestEntity();
    entity->point = {x, 0.0};
    drawing.TakeHandle(*entity);
    entity->SetLayer(drawing.GetCurrentLayer());
    block->AddEntity(entity);
    return entity;
  }

  FcGraph graph;
};

TEST_F(BlockTest, NewBlocksTakeThreeHandles) {
  const FcHandle seed = graph.GetHandleSeed();
  FcBlock* block = Blocks().AddNew();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetHandle(), seed);
  EXPECT_EQ(block->GetBegin()->GetHandle(), seed + 1);
  EXPECT_EQ(block->GetEnd()->GetHandle(), seed + 2);
  EXPECT_EQ(block->GetBegin()->GetBlock(), block);
  EXPECT_EQ(block->GetEntities().GetCount(), 0);
}

TEST_F(BlockTest, AnonymousBlocksFillGaps) {
  EXPECT_EQ(Blocks().AddAnonymousBlock()->GetName(), "*D1");
  AddBlock(graph, "*d3");
  EXPECT_EQ(Blocks().AddAnonymousBlock()->GetName(), "*D2");
  FcBlock* next = Blocks().AddAnonymousBlock();
  EXPECT_EQ(next->GetName(), "*D4");
  EXPECT_EQ(next->GetFlags(), kBlockAnonymous);
}

TEST_F(BlockTest, RemovalMovesLastIntoTheGap) {
  AddBlock(graph, "A");
  AddBlock(graph, "B");
  ASSERT_TRUE(Blocks().RemoveByName("a"));
  EXPECT_EQ(Names(Blocks()), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "B"}));
  EXPECT_FALSE(Blocks().RemoveByName("A"));
}

// A table of many blocks grows by a share of its size: a fixed step makes
// filling it quadratic in copying.
TEST_F(BlockTest, ManyBlocksTakeFewGrowthSteps) {
  constexpr int kBlocks = 20000;
  int steps = 0;
  int capacity = Blocks().GetCapacity();
  for (int i = 0; i < kBlocks; ++i) {
    ASSERT_NE(Blocks().AddNew(), nullptr);
    if (Blocks().GetCapacity() != capacity) ++steps;
    capacity = Blocks().GetCapacity();
  }
  EXPECT_LE(steps, 30);
}

// Each new block is named and looked up through the index: neither a new
// name nor a look-up passes over the table.
TEST_F(BlockTest, ManyBlocksAreLookedUpWithoutPassesOverTheTable) {
  constexpr int kBlocks = 3000;
  for (int i = 0; i < kBlocks; ++i) {
    const std::string name = "B" + std::to_string(i);
    ASSERT_EQ(Blocks().FindByName(name), nullptr);
    FcBlock* block = AddBlock(graph, name.c_str());
    ASSERT_EQ(Blocks().FindByName("b" + std::to_string(i)), block);
    ASSERT_EQ(Blocks().FindByName("B" + std::to_string(i / 2))->GetName(), "B" + std::to_string(i / 2));
  }
  EXPECT_LE(Blocks().GetNameIndexWork(), 4u * kBlocks);

  // Renames and removals still answer as a scan would.
  Blocks().FindByName("B7")->SetName("Renamed");
  EXPECT_EQ(Blocks().FindByName("B7"), nullptr);
  EXPECT_EQ(Blocks().FindByName("RENAMED")->GetName(), "Renamed");
  ASSERT_TRUE(Blocks().RemoveByName("B8"));
  EXPECT_EQ(Blocks().FindByName("B8"), nullptr);
  EXPECT_EQ(Blocks().FindByName("B2999")->GetName(), "B2999");
}

// Empty and small blocks reserve one small step for entities; a large one
// grows by a share of its size.
TEST_F(BlockTest, BlockSetsReserveOnDemand) {
  FcBlock* empty = AddBlock(graph, "Empty");
  EXPECT_LE(empty->GetEntities().GetCapacity(), 16);
  FcBlock* one = AddBlock(graph, "One");
  AddEntity(graph, one, 0.0);
  EXPECT_LE(one->GetEntities().GetCapacity(), 16);

  FcBlock* large = AddBlock(graph, "Large");
  int steps = 0;
  int capacity = 0;
  for (int i = 0; i < 20000; ++i) {
    AddEntity(graph, large, i);
    if (large->GetEntities().GetCapacity() != capacity) ++steps;
    capacity = large->GetEntities().GetCapacity();
  }
  EXPECT_EQ(large->GetEntities().GetCount(), 20000);
  EXPECT_LE(steps, 30);
}

TEST_F(BlockTest, BlockThatWouldContainItselfIsRefused) {
  FcBlock* a = AddBlock(graph, "A");
  FcBlock* b = AddBlock(graph, "B");
  FcBlock* c = AddBlock(graph, "C");
  auto reference = [](FcBlock* target) {
    auto entity = std::make_unique<TestEntity>();
    entity->referenced = target;
    return entity;
  };
  auto aToB = reference(b);
  auto bToC = reference(c);
  auto cToA = reference(a);
  auto aToA = reference(a);
  ASSERT_TRUE(a->AddEntity(aToB.release()));
  ASSERT_TRUE(b->AddEntity(bToC.release()));
  EXPECT_FALSE(c->AddEntity(cToA.get()));
  EXPECT_FALSE(a->AddEntity(aToA.get()));
  EXPECT_EQ(c->GetEntities().GetCount(), 0);
}

// BLOCK_RECORD tables: the space blocks are put first, a single record is
// left alone.
TEST_F(BlockTest, BlockRecordTableOrder) {
  const std::string start = Groups({{5, "1"}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, "3"}});
  const std::string end = Groups({{0, "ENDTAB"}});
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"SpacesSwapped", start + BlockRecordGroups("A0", "Door") + BlockRecordGroups("A1", "*Paper_Space") +
                            BlockRecordGroups("A2", "*model_space") + end,
       {"*model_space", "*Paper_Space", "Door"}},
      {"ModelSpaceMissing", start + BlockRecordGroups("A0", "*Paper_Space") + BlockRecordGroups("A1", "Door") + end,
       {"*Model_Space", "*Paper_Space", "Door"}},
      {"SingleRecord", start + BlockRecordGroups("A0", "Door") + end, {"Door"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, c.text, FcFileKind::kAsciiDxf, &graph);
    ASSERT_EQ(Blocks().ReadDxfBlockRecords(filer), kFcStatusOk);
    EXPECT_EQ(Names(Blocks()), c.names);
    if (c.names.size() < 2) continue;
    EXPECT_EQ(Blocks().GetAt(0)->GetKind(), kBlockKindModelSpace);
    EXPECT_EQ(Blocks().GetAt(1)->GetKind(), kBlockKindPaperSpace);
  }
}

class BlockFileTest : public BlockTest {
 protected:
  void SetUp() override {
    BlockTest::SetUp();
    door = AddBlock(graph, "Door");
    door->SetBasePoint({2.0, 3.0});
    AddEntity(graph, door, 1.0);
    AddEntity(graph, door, 2.0);
    AddEntity(graph, Blocks().GetAt(0), 5.0);
  }

  std::string WrittenDxf() {
    FcFiler filer;
    StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
    Blocks().WriteDxfBlockRecords(filer);
    Blocks().WriteDxf(filer);
    return Contents(filer);
  }

  // Reads the BLOCK_RECORD table and then the BLOCKS section into the
  // drawing; the BLOCKS section's result.
  int ReadDxf(FcGraph& drawing, const std::string& text) {
    FcFiler filer;
    StartReading(filer, text, FcFileKind::kAsciiDxf, &drawing);
    FcResBuf group;
    for (int i = 0; i < 2; ++i) filer.ReadGroup(group);
    if (drawing.GetBlockList().ReadDxfBlockRecords(filer) != kFcStatusOk) return -1;
    for (int i = 0; i < 2; ++i) filer.ReadGroup(group);
    return drawing.GetBlockList().ReadDxf(filer);
  }

  FcBlock* door = nullptr;
};

TEST_F(BlockFileTest, DxfRoundTrip) {
  FcGraph copy;
  ASSERT_EQ(ReadDxf(copy, WrittenDxf()), kFcStatusOk);
  EXPECT_EQ(Names(copy.GetBlockList()), Names(Blocks()));
  const FcBlock* read = copy.GetBlockList().FindByName("DOOR");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetHandle(), door->GetHandle());
  EXPECT_EQ(read->GetBasePoint().x, 2.0);
  EXPECT_EQ(read->GetBasePoint().y, 3.0);
  ASSERT_EQ(read->GetEntities().GetCount(), 2);
  EXPECT_EQ(read->GetEntities().GetAt(1)->GetBlock(), read);
  EXPECT_NE(read->GetEntities().GetAt(1)->GetLayer(), nullptr);
  // Model space entities belong to the ENTITIES section.
  EXPECT_EQ(copy.GetBlockList().GetAt(0)->GetEntities().GetCount(), 0);
}

// Reading the BLOCKS section finds each definition's record through the
// index, built once.
TEST_F(BlockFileTest, ManyBlocksAreReadWithoutPassesOverTheTable) {
  constexpr int kBlocks = 2000;
  for (int i = 0; i < kBlocks; ++i) AddBlock(graph, ("B" + std::to_string(i)).c_str());
  FcGraph copy;
  ASSERT_EQ(ReadDxf(copy, WrittenDxf()), kFcStatusOk);
  EXPECT_EQ(Names(copy.GetBlockList()), Names(Blocks()));
  EXPECT_LE(copy.GetBlockList().GetNameIndexWork(), 3u * kBlocks);
}

TEST_F(BlockFileTest, DxfBlocksSectionFaults) {
  const std::string text = WrittenDxf();
  const std::size_t blocks = text.find("BLOCKS\r\n") + 8;
  const std::size_t doorStart = text.find(" 0\r\nBLOCK\r\n", text.find("*Paper_Space", blocks));
  const std::size_t doorEnd = text.find(" 0\r\nENDSEC\r\n", doorStart);
  const std::string doorBlock = text.substr(doorStart, doorEnd - doorStart);
  struct Case {
    const char* name;
    std::string text;
    int status;
  };
  const Case cases[] = {
      {"DefinedTwice", text.substr(0, doorEnd) + doorBlock + text.substr(doorEnd), kFcStatusReadError},
      {"NotDefined", text.substr(0, doorStart) + text.substr(doorEnd), kFcStatusStructure},
      {"NoRecord",
       text.substr(0, doorEnd) + [&] {
         std::string other = doorBlock;
         for (std::size_t at = other.find("Door"); at != std::string::npos; at = other.find("Door")) {
           other.replace(at, 4, "Gate");
         }
         return other;
       }() + text.substr(doorEnd),
       kFcStatusReadError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph copy;
    EXPECT_EQ(ReadDxf(copy, c.text), c.status);
  }
}

TEST_F(BlockFileTest, MadeUpModelSpaceNeedsNoDefinition) {
  // The record table names model space "*U": the reader makes a model
  // space of its own, which the BLOCKS section then does not define.
  auto definition = [](const char* begin, const char* end, const char* owner, const char* name) {
    return Groups({{0, "BLOCK"}, {5, begin}, {330, owner}, {100, "AcDbEntity"}, {8, "0"},
                   {100, "AcDbBlockBegin"}, {2, name}, {70, "0"}, {10, "0.0"}, {20, "0.0"},
                   {30, "0.0"}, {3, name}, {1, ""}, {0, "ENDBLK"}, {5, end},
                   {330, owner}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"}});
  };
  const std::string text =
      Groups({{0, "TABLE"}, {2, "BLOCK_RECORD"}, {5, "1"}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, "2"}}) +
      BlockRecordGroups("1F", "*U") + BlockRecordGroups("55", "*PAPER_SPACE") +
      Groups({{0, "ENDTAB"}, {0, "SECTION"}, {2, "BLOCKS"}}) + definition("20", "21", "1F", "*U") +
      definition("57", "58", "55", "*PAPER_SPACE") + Groups({{0, "ENDSEC"}});
  FcGraph copy;
  ASSERT_EQ(ReadDxf(copy, text), kFcStatusOk);
  EXPECT_EQ(Names(copy.GetBlockList()), (std::vector<std::string>{"*Model_Space", "*PAPER_SPACE", "*U"}));
  EXPECT_EQ(copy.GetBlockList().GetAt(0)->GetKind(), kBlockKindModelSpace);
}

TEST_F(BlockFileTest, DwgRoundTrip) {
  graph.GetClassList().Add(TestEntity::kRecordName, "TestEntity", "Tests", 0, 0, 1);
  FcBlock* layout = AddBlock(graph, "*Paper_Space7");
  AddEntity(graph, layout, 9.0);
  FcBlock* anonymous = Blocks().AddAnonymousBlock();
  AddEntity(graph, anonymous, 4.0);
  for (int i = 0; i < Blocks().GetBlockCount(); ++i) {
    for (FcEntity* entity : Blocks().GetAt(i)->GetEntities()) {
      entity->SetDwgType(graph.GetCustomClassType(TestEntity::kRecordName));
    }
  }

  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  ASSERT_EQ(Blocks().WriteDwg(filer), kFcStatusOk);

  FcGraph copy;
  copy.GetClassList().Add(TestEntity::kRecordName, "TestEntity", "Tests", 0, 0, 1);
  copy.GetSysVars().HeaderHandles.blockControl = Blocks().GetHandle();
  filer.SetGraph(&copy);
  ASSERT_EQ(copy.GetBlockList().ReadDwg(filer), kFcStatusOk);

  const FcBlockList& read = copy.GetBlockList();
  // The layout block's record carries the short name; its BLOCK entity
  // brings the full one back.
  EXPECT_EQ(Names(read), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "Door", "*Paper_Space7",
                                                   "*D1"}));
  EXPECT_EQ(read.GetAt(0)->GetEntities().GetCount(), 1);
  EXPECT_EQ(read.GetAt(3)->GetEntities().GetCount(), 0);
  EXPECT_EQ(read.GetAt(3)->GetKind(), kBlockKindPaperSpace);
  const FcBlock* readDoor = read.GetAt(2);
  EXPECT_EQ(readDoor->GetBasePoint().x, 2.0);
  ASSERT_EQ(readDoor->GetEntities().GetCount(), 2);
  EXPECT_EQ(static_cast<TestEntity*>(readDoor->GetEntities().GetAt(1))->point.x, 2.0);
  EXPECT_EQ(read.GetAt(4)->GetFlags() & kBlockAnonymous, kBlockAnonymous);
  EXPECT_EQ(read.GetAt(4)->GetEntities().GetCount(), 1);
}

}  // namespace
