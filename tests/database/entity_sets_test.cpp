#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/block_markers.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"
#include "tests/support/test_entity.h"

namespace {

std::vector<FcEntity*> Members(const FcEntitySets& set) { return {set.begin(), set.end()}; }

// A block holding, in order: a plain entity, a head with two sub-entities
// and their SEQEND, a head whose SEQEND follows at once, and a last plain
// entity. The block owns them.
class EntitySetsTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectFactory(TestEntity::kRecordName, &TestEntity::Create);
    RegisterObjectFactories();
    graph.GetClassList().Add(TestEntity::kRecordName, "TestEntity", "Tests", 0, 0, 1);
    block = graph.GetBlockList().AddNew();
    ASSERT_NE(block, nullptr);
    block->SetName("Sample");
    plain = Add(kEntityLine, false, false);
    head = Add(kEntityInsert, true, false);
    sub1 = Add(kEntityAttribute, false, true);
    sub2 = Add(kEntityAttribute, false, true);
    seqend = Add(kEntitySeqend, false, false);
    bareHead = Add(kEntityInsert, true, false);
    bareSeqend = Add(kEntitySeqend, false, false);
    last = Add(kEntityLine, false, false);
  }

  TestEntity* Add(EntityKind kind, bool follows, bool sub) {
    auto* entity = new TestEntity();
    entity->SetKind(kind);
    entity->SetEntitiesFollow(follows ? 1 : 0);
    entity->SetSubEntity(sub);
    graph.TakeHandle(*entity);
    entity->SetLayer(graph.GetCurrentLayer());
    block->AddEntity(entity);
    return entity;
  }

  FcGraph graph;
  FcBlock* block = nullptr;
  TestEntity* plain = nullptr;
  TestEntity* head = nullptr;
  TestEntity* sub1 = nullptr;
  TestEntity* sub2 = nullptr;
  TestEntity* seqend = nullptr;
  TestEntity* bareHead = nullptr;
  TestEntity* bareSeqend = nullptr;
  TestEntity* last = nullptr;
};

TEST_F(EntitySetsTest, SelectionTakesWholeSequences) {
  struct Case {
    const char* name;
    FcEntity* added;
    std::vector<FcEntity*> expected;
  };
  const Case cases[] = {
      {"PlainAlone", plain, {plain}},
      {"HeadWithItsRun", head, {head, sub1, sub2, seqend}},
      {"SubEntityBringsHead", sub2, {head, sub1, sub2, seqend}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcEntitySets selection(kFcPreviousSelectionGrowth);
    EXPECT_TRUE(selection.Add(c.added));
    EXPECT_EQ(Members(selection), c.expected);
    EXPECT_FALSE(selection.Add(c.expected.front()));
    EXPECT_EQ(Members(selection), c.expected);
  }
  EXPECT_EQ(block->GetEntities().GetCount(), 8);
  EXPECT_EQ(block->GetEntities().GetAt(3), sub2);
}

TEST_F(EntitySetsTest, BlockSetAppendsAlone) {
  FcBlock* other = graph.GetBlockList().AddNew();
  ASSERT_NE(other, nullptr);
  block->RemoveEntity(sub1);
  EXPECT_TRUE(other->GetEntities().Add(sub1));
  EXPECT_EQ(Members(other->GetEntities()), std::vector<FcEntity*>{sub1});
  EXPECT_GT(sub1->GetDwgType(), 0);
}

TEST_F(EntitySetsTest, ContainerOperationsKeepMembershipInStep) {
  FcEntitySets a(4);
  a.Reserve(0);
  EXPECT_EQ(a.GetCapacity(), 4);
  a.Reserve(5);
  EXPECT_EQ(a.GetCapacity(), 13);
  for (FcEntity* entity : {plain, last, bareHead}) a.Add(entity);

  FcEntitySets b(4);
  b.CopyFrom(a);
  EXPECT_EQ(b.GetCapacity(), 3);
  EXPECT_TRUE(b.Contains(last));
  EXPECT_EQ(b.Subtract(a), 3);
  EXPECT_FALSE(b.Contains(last));
  EXPECT_EQ(b.IndexOf(last), -1);

  b.Add(seqend);
  EXPECT_EQ(b.Merge(a), 3);
  EXPECT_EQ(b.Merge(a), 0);
  EXPECT_EQ(b.IndexOf(bareHead), 3);
  EXPECT_EQ(b.RemoveByHandle(last->GetHandle()), last);
  EXPECT_FALSE(b.Contains(last));
  EXPECT_EQ(b.RemoveAt(0), seqend);
  EXPECT_EQ(b.RemoveAt(7), nullptr);
  EXPECT_EQ(b.FindByHandle(0), nullptr);

  FcEntitySets c(4);
  c.TakeFrom(b);
  EXPECT_EQ(b.GetCount(), 0);
  EXPECT_FALSE(b.Contains(plain));
  EXPECT_EQ(Members(c), (std::vector<FcEntity*>{plain, bareHead}));
  EXPECT_TRUE(c.Remove(plain));
  EXPECT_FALSE(c.Remove(plain));
  EXPECT_EQ(c.IndexOf(bareHead), 0);
}

// A set filled without membership tests answers them once it is large, and
// keeps answering right through removals, copies and a refill.
TEST_F(EntitySetsTest, LargeSetFilledByAddNewAnswersMembership) {
  std::vector<std::unique_ptr<TestEntity>> made(200);
  for (auto& entity : made) entity = std::make_unique<TestEntity>();
  FcEntitySets set(kFcModelSpaceGrowth);
  for (auto& entity : made) ASSERT_TRUE(set.AddNew(entity.get()));
  EXPECT_TRUE(set.Contains(made[150].get()));
  EXPECT_FALSE(set.Contains(plain));
  EXPECT_FALSE(set.Add(made[7].get()));
  EXPECT_TRUE(set.Add(plain));
  EXPECT_EQ(set.IndexOf(plain), 200);
  EXPECT_TRUE(set.Remove(made[150].get()));
  EXPECT_FALSE(set.Contains(made[150].get()));
  EXPECT_EQ(set.IndexOf(made[151].get()), 150);

  FcEntitySets copy(kFcModelSpaceGrowth);
  copy.CopyFrom(set);
  EXPECT_TRUE(copy.Contains(made[199].get()));
  EXPECT_FALSE(copy.Contains(made[150].get()));
  FcEntitySets taken(kFcModelSpaceGrowth);
  taken.TakeFrom(copy);
  EXPECT_FALSE(copy.Contains(made[199].get()));
  EXPECT_TRUE(taken.Contains(made[199].get()));

  set.RemoveAll(false);
  EXPECT_FALSE(set.Contains(made[0].get()));
  for (std::size_t i = 100; i < made.size(); ++i) set.AddNew(made[i].get());
  EXPECT_FALSE(set.Contains(made[0].get()));
  EXPECT_TRUE(set.Contains(made[100].get()));
}

TEST_F(EntitySetsTest, DxfSequenceRead) {
  const std::vector<std::pair<int, std::string>> entity = {
      {5, "A1"}, {100, "AcDbEntity"}, {8, "0"}};
  auto record = [&](const char* name, std::vector<std::pair<int, std::string>> more) {
    std::vector<std::pair<int, std::string>> groups = {{0, name}};
    groups.insert(groups.end(), entity.begin(), entity.end());
    groups.insert(groups.end(), more.begin(), more.end());
    return Groups(groups);
  };
  struct Case {
    const char* name;
    std::string text;
    int status;
    int count;
    bool skipped;
  };
  const std::string endsec = Groups({{0, "ENDSEC"}});
  const Case cases[] = {
      {"LowerCaseName", record("testent", {}) + endsec, kFcStatusOk, 1, false},
      {"UnknownSkipped", record("WIDGET", {{40, "1.0"}}) + record("TESTENT", {}) + endsec, kFcStatusOk, 1, true},
      {"DimensionKindSevenSkipped", record("DIMENSION", {{70, "-1"}}) + endsec, kFcStatusOk, 0, true},
      {"PaperSpaceDropped", record("TESTENT", {{67, "1"}}) + endsec, kFcStatusOk, 0, false},
      {"BlockMet", Groups({{0, "BLOCK"}}), kFcSequenceBlockMet, 0, false},
      {"BadRecord", Groups({{0, "TESTENT"}, {5, "A1"}, {100, "AcDbLine"}}), kFcSequenceEntityFailed, 0, false},
      {"EndOfInput", Groups({{999, "no records"}}), kFcStatusEnd, 0, false},
      {"RecordCutShort", record("TESTENT", {}), kFcSequenceEntityFailed, 0, false},
      {"SeqendOfSkippedHeadSkipped",
       record("WIDGET", {{66, "1"}}) + record("SEQEND", {}) + record("TESTENT", {}) + endsec, kFcStatusOk, 1, true},
      {"SeqendOfKeptHeadKept", record("TESTENT", {{66, "1"}}) + record("SEQEND", {}) + endsec, kFcStatusOk, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, c.text, FcFileKind::kAsciiDxf, &graph);
    FcEntitySets set(16);
    EXPECT_EQ(set.ReadDxf(filer), c.status);
    EXPECT_EQ(set.GetCount(), c.count);
    EXPECT_EQ(filer.HasSkippedRecords(), c.skipped);
    set.RemoveAll(true);
  }
}

class EntityChainTest : public EntitySetsTest {
 protected:
  // Writes the block's entities after a leading byte.
  void WriteBlock() {
    StartMemory(filer, FcFileKind::kDwg, &graph);
    filer.WriteRawByte(0);
    ASSERT_EQ(block->GetEntities().WriteDwg(filer), kFcStatusOk);
  }
  FcBlock* ReadBack(FcHandle first, FcHandle last) {
    FcBlock* copy = graph.GetBlockList().AddNew();
    status = copy->GetEntities().ReadDwgChain(filer, first, last);
    return copy;
  }

  FcFilerDwg filer;
  int status = -1;
};

TEST_F(EntityChainTest, DwgChainRoundTrip) {
  WriteBlock();
  FcBlock* copy = ReadBack(plain->GetHandle(), last->GetHandle());
  ASSERT_EQ(status, kFcStatusOk);
  const FcEntitySets& original = block->GetEntities();
  const FcEntitySets& read = copy->GetEntities();
  ASSERT_EQ(read.GetCount(), original.GetCount());
  for (int i = 0; i < read.GetCount(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read.GetAt(i)->GetHandle(), original.GetAt(i)->GetHandle());
    EXPECT_EQ(read.GetAt(i)->GetKind(), original.GetAt(i)->GetKind());
    EXPECT_EQ(read.GetAt(i)->IsSubEntity(), original.GetAt(i)->IsSubEntity());
    EXPECT_EQ(read.GetAt(i)->GetBlock(), copy);
  }
  EXPECT_FALSE(filer.HasSkippedRecords());
}

TEST_F(EntityChainTest, RecordsOfUnknownTypesArePassedOver) {
  sub1->SetDwgType(499);
  plain->SetDwgType(499);
  WriteBlock();
  FcBlock* copy = ReadBack(plain->GetHandle(), last->GetHandle());
  ASSERT_EQ(status, kFcStatusOk);
  EXPECT_EQ(copy->GetEntities().GetCount(), 6);
  EXPECT_EQ(copy->GetEntities().FindByHandle(plain->GetHandle()), nullptr);
  EXPECT_TRUE(filer.HasSkippedRecords());
}

TEST_F(EntityChainTest, LoopingChainFails) {
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  plain->WriteDwg(filer, 0, last->GetHandle(), 0, 0, 0);
  last->WriteDwg(filer, plain->GetHandle(), plain->GetHandle(), 0, 0, 0);
  ReadBack(plain->GetHandle(), 0xFFFF);
  EXPECT_EQ(status, kFcStatusReadError);
}

}  // namespace
