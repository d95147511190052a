#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/block.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/recording_frame_link.h"
#include "platform/thread_slot.h"
#include "tests/support/object_test_support.h"
#include "tests/support/test_entity.h"

namespace {

std::string HexText(FcHandle handle) {
  char text[17];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(handle));
  return text;
}

class EntityTest : public testing::Test {
 protected:
  void SetUp() override {
    layerZero = graph.GetLayerList().FindByName("0");
    walls = graph.FindOrCreateLayer("Walls");
    dashed = graph.GetOrCreateLinetype("Dashed");
    ASSERT_NE(layerZero, nullptr);
    ASSERT_NE(walls, nullptr);
    ASSERT_NE(dashed, nullptr);
  }

  // A test entity on a layer, with a handle.
  TestEntity& Make(FcLayer* layer) {
    entities.push_back(std::make_unique<TestEntity>());
    TestEntity& entity = *entities.back();
    graph.TakeHandle(entity);
    entity.SetLayer(layer);
    return entity;
  }

 public:
  FcGraph graph;
  FcLayer* layerZero = nullptr;
  FcLayer* walls = nullptr;
  FcLineType* dashed = nullptr;
  std::vector<std::unique_ptr<TestEntity>> entities;
};

// The common groups in their order: the defaults write only 0, 5, 330, 100
// and 8; every other group appears only when its value differs.
TEST_F(EntityTest, CommonDxfGroups) {
  struct Case {
    const char* name;
    void (*set)(TestEntity&, EntityTest&);
    std::vector<std::pair<int, std::string>> tail;
  };
  const Case cases[] = {
      {"Defaults", [](TestEntity&, EntityTest&) {}, {}},
      {"ByBlock", [](TestEntity& e, EntityTest&) { e.SetLinetype(LinetypeByBlock()); }, {{6, "ByBlock"}}},
      {"ByLayerRecord",
       [](TestEntity& e, EntityTest& t) { e.SetLinetype(t.graph.GetLinetypeList().FindByName("BYLAYER")); },
       {}},
      {"EverythingSet",
       [](TestEntity& e, EntityTest& t) {
         e.SetColor(3);
         e.SetLinetype(t.dashed);
         e.SetLinetypeScale(2.5);
         e.SetInvisible(1);
       },
       {{62, "3"}, {6, "Dashed"}, {48, "2.5"}, {60, "1"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEntity& entity = Make(walls);
    c.set(entity, *this);
    FcFiler filer;
    StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
    ASSERT_EQ(entity.WriteDxf(filer), kFcStatusOk);
    std::vector<std::pair<int, std::string>> expected = {{0, "TESTENT"},
                                                         {5, HexText(entity.GetHandle())},
                                                         {330, "0"},
                                                         {100, "AcDbEntity"},
                                                         {8, "Walls"}};
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(Contents(filer), Groups(expected));
  }
}

TEST_F(EntityTest, CommonDxfGroupsRead) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::string>> groups;
    int status;
  };
  const std::vector<std::pair<int, std::string>> start = {{5, "9A"}, {330, "1F"}, {100, "AcDbEntity"}};
  auto with = [&](std::vector<std::pair<int, std::string>> more) {
    std::vector<std::pair<int, std::string>> all = start;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const Case cases[] = {
      {"AllGroups",
       with({{8, "Walls"}, {62, "5"}, {6, "DASHED"}, {48, "0.5"}, {60, "7"}, {67, "1"}, {100, "AcDbLine"}}),
       kFcStatusOk},
      {"UnknownLinetype", with({{6, "NoSuchType"}}), kFcStatusStructure},
      {"NoEntityMarker", {{5, "9A"}, {100, "AcDbLine"}}, kFcStatusEnd},
      {"EndOfInput", with({{8, "Walls"}}), kFcStatusEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    TestEntity entity;
    ASSERT_EQ(entity.ReadDxf(filer), c.status);
    if (c.status != kFcStatusOk) continue;
    EXPECT_EQ(entity.GetHandle(), 0x9Au);
    EXPECT_EQ(entity.GetLayerName(), "Walls");
    EXPECT_EQ(entity.GetColor(), 5);
    EXPECT_EQ(entity.GetLinetype(), dashed);
    EXPECT_EQ(entity.GetLinetypeHandle(), dashed->GetHandle());
    EXPECT_EQ(entity.GetLinetypeScale(), 0.5);
    EXPECT_EQ(entity.GetInvisible(), 1);
    EXPECT_EQ(entity.GetPaperSpace(), 1);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    EXPECT_EQ(group.type, 100);
  }
}

// The layer, colour and linetype an entity is drawn with.
TEST_F(EntityTest, PenSetUp) {
  FcLayer* context = graph.FindOrCreateLayer("Context");
  FcLayer* frozen = graph.FindOrCreateLayer("Frozen");
  FcLayer* noPlot = graph.FindOrCreateLayer("NoPlot");
  frozen->SetFrozen(true);
  noPlot->SetPlottable(false);
  context->SetLinetype(nullptr);
  noPlot->SetLinetype(nullptr);
  walls->SetColor(4);
  context->SetColor(6);
  walls->SetLinetype(dashed);
  FcBlock block;
  block.SetByBlockColor(3);
  FcLineType* continuous = graph.GetLinetypeList().FindByName("Continuous");
  block.SetByBlockLinetype(continuous);
  FcBlock plainBlock;

  struct Case {
    const char* name;
    FcLayer* layer;
    std::int16_t color;
    FcLineType* linetype;
    FcBlock* block;
    FcPenContext context;
    bool drawn;
    std::int16_t penColor;
    FcLineType* penLinetype;
  };
  const Case cases[] = {
      {"ByLayer", walls, kColorByLayer, nullptr, nullptr, {}, true, 4, dashed},
      {"OwnColorAndLinetype", walls, 2, continuous, nullptr, {}, true, 2, continuous},
      {"LayerZeroTakesContext", layerZero, kColorByLayer, nullptr, nullptr, {nullptr, context}, true, 6, nullptr},
      {"OtherLayerKeepsOwn", walls, kColorByLayer, nullptr, nullptr, {nullptr, context}, true, 4, dashed},
      {"FrozenContext", layerZero, kColorByLayer, nullptr, nullptr, {nullptr, frozen}, false, 0, nullptr},
      {"Frozen", frozen, 1, nullptr, nullptr, {}, false, 0, nullptr},
      {"NoPlotOnScreen", noPlot, 1, nullptr, nullptr, {}, true, 1, nullptr},
      {"NoPlotPrinting", noPlot, 1, nullptr, nullptr, {nullptr, nullptr, true}, false, 0, nullptr},
      {"ByBlockInsideReference", walls, kColorByBlock, LinetypeByBlock(), &block, {}, true, 3, continuous},
      {"ByBlockOutsideReference", walls, kColorByBlock, LinetypeByBlock(), &plainBlock, {}, true, 4, dashed},
      {"ByBlockWithoutBlock", walls, kColorByBlock, LinetypeByBlock(), nullptr, {}, true, 4, dashed},
      {"NoLayerTakesCurrent", nullptr, kColorByLayer, nullptr, nullptr, {walls}, true, 4, dashed},
      {"NoLayerAtAll", nullptr, kColorByLayer, nullptr, nullptr, {}, false, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEntity entity;
    if (c.layer != nullptr) entity.SetLayer(c.layer);
    entity.SetColor(c.color);
    entity.SetLinetype(c.linetype);
    entity.SetLinetypeScale(2.0);
    if (c.block != nullptr) c.block->AddEntity(&entity);
    FcPenContext context = c.context;
    context.drawingLinetypeScale = 3.0;
    FcPen pen;
    ASSERT_EQ(ResolvePen(entity, context, pen), c.drawn);
    if (c.block != nullptr) c.block->RemoveEntity(&entity);
    if (c.layer != nullptr) c.layer->RemoveEntityHandle(&entity);
    if (!c.drawn) continue;
    EXPECT_EQ(pen.color, c.penColor);
    EXPECT_EQ(pen.linetype, c.penLinetype);
    EXPECT_EQ(pen.linetypeScale, 6.0);
  }
}

TEST_F(EntityTest, LayerMembershipFollowsTheEntity) {
  TestEntity& entity = Make(walls);
  EXPECT_EQ(walls->GetEntityHandles().count, 1);
  EXPECT_EQ(entity.SetLayer(walls), walls);
  TestEntity& other = Make(layerZero);
  other.SetColor(9);
  other.SetLinetype(dashed);
  entity.CopyProperties(&other);
  EXPECT_EQ(entity.GetLayer(), layerZero);
  EXPECT_EQ(walls->GetEntityHandles().count, 0);
  EXPECT_EQ(entity.GetColor(), 9);
  EXPECT_EQ(entity.GetLinetypeHandle(), dashed->GetHandle());
}

// The linetype and its scale are set and cleared independently: clearing
// one leaves the other, and an entity back at ByLayer and scale 1 answers as
// a fresh one does.
TEST_F(EntityTest, LinetypeAndScaleChangeIndependently) {
  TestEntity& entity = Make(walls);
  EXPECT_EQ(entity.GetLinetype(), nullptr);
  EXPECT_EQ(entity.GetLinetypeHandle(), 0u);
  EXPECT_EQ(entity.GetLinetypeScale(), 1.0);
  entity.SetLinetypeScale(2.5);
  entity.SetLinetype(dashed);
  EXPECT_EQ(entity.GetLinetypeScale(), 2.5);
  EXPECT_EQ(entity.GetLinetypeHandle(), dashed->GetHandle());
  entity.SetLinetypeScale(1.0);
  EXPECT_EQ(entity.GetLinetype(), dashed);
  entity.SetLinetypeScale(0.5);
  entity.SetLinetype(LinetypeByBlock());
  EXPECT_EQ(entity.GetLinetypeHandle(), 0u);
  EXPECT_EQ(entity.GetLinetypeScale(), 0.5);
  entity.SetLinetype(nullptr);
  entity.SetLinetypeScale(1.0);
  EXPECT_EQ(entity.GetLinetype(), nullptr);
  EXPECT_EQ(entity.GetLinetypeHandle(), 0u);
  EXPECT_EQ(entity.GetLinetypeScale(), 1.0);
}

TEST_F(EntityTest, ListLines) {
  RecordingFrameLink link;
  SetFrameLink(&link);
  TestEntity& plain = Make(walls);
  plain.SetHandle(0x2AB);
  plain.List();
  TestEntity& coloured = Make(walls);
  coloured.SetHandle(0x10);
  coloured.SetColor(1);
  coloured.SetLinetype(LinetypeByBlock());
  coloured.SetLinetypeScale(0.5);
  coloured.List();
  SetFrameLink(nullptr);
  const std::vector<std::string> expected = {
      "  TESTENT     Layer: Walls", "  Handle: 2AB",
      "  TESTENT     Layer: Walls", "  Color: Red     Linetype: ByBlock",
      "  Linetype scale : 0.5000", "  Handle: 10"};
  EXPECT_EQ(link.HistoryLines(), expected);
}

// A recorded copy outlives the drawing its layer and linetype came from
// (undo reloads a whole-drawing snapshot): cloning it must not touch them,
// and binds the clone by handle in the current drawing, or to nothing.
TEST_F(EntityTest, CloneBindsByHandleWithoutFollowingTheOriginal) {
  auto earlier = std::make_unique<FcGraph>();
  FcLayer* oldWalls = earlier->FindOrCreateLayer("Walls");
  FcLineType* oldDashed = earlier->GetOrCreateLinetype("Dashed");
  ASSERT_EQ(oldWalls->GetHandle(), walls->GetHandle());
  ASSERT_EQ(oldDashed->GetHandle(), dashed->GetHandle());
  TestEntity recorded;
  earlier->TakeHandle(recorded);
  recorded.SetLayer(oldWalls);
  recorded.SetLinetype(oldDashed);
  recorded.SetColor(5);
  earlier.reset();

  CurrentThreadSlot().graph = &graph;
  std::unique_ptr<FcEntity> rebound(recorded.Clone());
  CurrentThreadSlot() = {};
  EXPECT_EQ(rebound->GetLayer(), walls);
  EXPECT_EQ(rebound->GetLinetype(), dashed);
  EXPECT_EQ(rebound->GetColor(), 5);

  std::unique_ptr<FcEntity> unbound(recorded.Clone());
  EXPECT_EQ(unbound->GetLayer(), nullptr);
  EXPECT_EQ(unbound->GetLayerHandle(), walls->GetHandle());
  EXPECT_EQ(unbound->GetLinetype(), nullptr);
  EXPECT_EQ(unbound->GetLinetypeHandle(), dashed->GetHandle());
}

class EntityDwgTest : public EntityTest {
 protected:
  // Writes the entity after a leading byte, so that no record starts at
  // offset 0.
  void Write(TestEntity& entity, FcHandle previous, FcHandle next) {
    StartMemory(filer, FcFileKind::kDwg, &graph);
    filer.WriteRawByte(0);
    ASSERT_EQ(entity.WriteDwg(filer, previous, next, 0, 0, 0), kFcStatusOk);
  }
  int Read(TestEntity& entity, FcHandle& previous, FcHandle& next) {
    std::int64_t size = 0;
    std::int16_t type = 0;
    const std::int64_t offset = filer.SeekObject(entity.GetHandle(), size, type);
    FcHandle extra[3];
    return entity.ReadDwg(filer, size, offset, previous, next, extra[0], extra[1], extra[2]);
  }

  FcFilerDwg filer;
};

TEST_F(EntityDwgTest, CommonRecordRoundTrip) {
  struct Case {
    const char* name;
    FcLineType* linetype;
    bool adjacentLinks;
  };
  const Case cases[] = {
      {"ByLayerWithLinks", nullptr, false},
      {"ByBlockNoLinks", LinetypeByBlock(), true},
      {"Continuous", graph.GetLinetypeList().FindByName("CONTINUOUS"), false},
      {"Record", dashed, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEntity& entity = Make(walls);
    entity.SetColor(130);
    entity.SetLinetype(c.linetype);
    entity.SetLinetypeScale(0.25);
    entity.SetInvisible(1);
    entity.point = {7.5, 0.0};
    const FcHandle h = entity.GetHandle();
    const FcHandle previous = c.adjacentLinks ? h - 1 : 0x3;
    const FcHandle next = c.adjacentLinks ? h + 1 : 0x77;
    Write(entity, previous, next);

    TestEntity copy;
    copy.SetHandle(h);
    FcHandle readPrevious = 0;
    FcHandle readNext = 0;
    ASSERT_EQ(Read(copy, readPrevious, readNext), kFcStatusOk);
    EXPECT_EQ(readPrevious, previous);
    EXPECT_EQ(readNext, next);
    EXPECT_EQ(copy.GetColor(), 130);
    EXPECT_EQ(copy.GetLinetypeScale(), 0.25);
    EXPECT_EQ(copy.GetInvisible(), 1);
    EXPECT_EQ(copy.GetLinetype(), c.linetype);
    EXPECT_EQ(copy.GetLayer(), walls);
    EXPECT_EQ(copy.point.x, 7.5);

    FcHandle linkPrevious = 0;
    FcHandle linkNext = 0;
    ASSERT_EQ(FcEntity::ReadDwgLinks(filer, h, linkPrevious, linkNext), kFcStatusOk);
    EXPECT_EQ(linkPrevious, previous);
    EXPECT_EQ(linkNext, next);
    walls->RemoveEntityHandle(&copy);
  }
}

TEST_F(EntityDwgTest, NoLinksWritesNoLinkHandles) {
  TestEntity& entity = Make(walls);
  const FcHandle h = entity.GetHandle();
  Write(entity, h - 1, h + 1);
  const std::int64_t linked = filer.GetFile()->GetLength();
  Write(entity, h - 1, h + 2);
  EXPECT_LT(linked, filer.GetFile()->GetLength());
}

TEST_F(EntityDwgTest, BadRecordsFail) {
  TestEntity& entity = Make(walls);
  Write(entity, 0, 0);
  FcHandle previous = 0;
  FcHandle next = 0;

  TestEntity wrongHandle;
  wrongHandle.SetHandle(entity.GetHandle());
  const std::int64_t offset = filer.FindObjectOffset(entity.GetHandle());
  filer.GetObjectMap().Insert(entity.GetHandle() + 100, offset);
  wrongHandle.SetHandle(entity.GetHandle() + 100);
  EXPECT_EQ(Read(wrongHandle, previous, next), kFcStatusReadError);

  // A flipped byte in the record's data breaks its CRC.
  char* bytes = const_cast<char*>(filer.GetFile()->Data());
  bytes[filer.GetFile()->GetLength() - 3] ^= 0x01;
  TestEntity corrupt;
  corrupt.SetHandle(entity.GetHandle());
  EXPECT_EQ(Read(corrupt, previous, next), kFcStatusReadError);
  if (corrupt.GetLayer() != nullptr) corrupt.GetLayer()->RemoveEntityHandle(&corrupt);
}

TEST_F(EntityDwgTest, MissingLayerFails) {
  TestEntity& entity = Make(walls);
  Write(entity, 0, 0);
  walls->RemoveEntityHandle(&entity);
  ASSERT_TRUE(graph.GetLayerList().RemoveByName("Walls"));
  TestEntity copy;
  copy.SetHandle(entity.GetHandle());
  FcHandle previous = 0;
  FcHandle next = 0;
  EXPECT_EQ(Read(copy, previous, next), kFcStatusReadError);
}

}  // namespace
