#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/layout.h"
#include "database/mline_style.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/sort_ents_table.h"
#include "database/block_markers.h"
#include "platform/thread_slot.h"

namespace {

// The smallest entity the drawing can hold.
class TestEntity : public FcEntity {
 public:
  explicit TestEntity(std::string_view recordName = "TESTENTITY") { SetRecordName(recordName); }
  FcEntity* Clone() const override { return new TestEntity(GetRecordName()); }
  FcEntity* CloneFromOtherGraph(FcGraph&) const override { return nullptr; }
  void Transform(const FcMatrix2d&) override {}
  void GetGripPoints(FcPoint2dArray&) override {}
  void GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) override {}
  void MakeSubEntity() { SetSubEntity(true); }
};

// The classes a new drawing creates by name, in case the program's list
// does not hold them yet.
class GraphTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterObjectFactories();
  }
};

FcDictionary* NamedDictionary(FcGraph& graph, std::string_view name) {
  return dynamic_cast<FcDictionary*>(graph.GetNamedObjects().GetAt(name));
}

FcHandle HandleIn(FcDictionary* dictionary, std::string_view name) {
  if (dictionary == nullptr) return 0;
  const FcObject* object = dictionary->GetAt(name);
  return object != nullptr ? object->GetHandle() : 0;
}

// The handles of a new drawing, in the order they are taken. The view,
// viewport and viewport-entity-header tables and the "*Active" viewport
// are not kept as records yet; their handles are held in their places.
TEST_F(GraphTest, NewDrawingTakesHandlesOneToThirtyFive) {
  FcGraph graph;
  FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  FcBlock* paperSpace = graph.GetBlockList().FindByName("*Paper_Space");
  ASSERT_NE(modelSpace, nullptr);
  ASSERT_NE(paperSpace, nullptr);
  FcDictionary* layouts = NamedDictionary(graph, "ACAD_LAYOUT");
  FcDictionary* mlineStyles = NamedDictionary(graph, "ACAD_MLINESTYLE");
  const FcLayer* layerZero = graph.GetLayerList().FindByName("0");
  const FcAppID* acad = graph.GetAppIdList().FindByName("ACAD");

  const FcHandle expected[] = {
      graph.GetBlockList().GetHandle(),
      graph.GetLayerList().GetHandle(),
      graph.GetLinetypeList().GetHandle(),
      graph.GetTextStyleList().GetHandle(),
      graph.GetDimStyleList().GetHandle(),
      graph.GetViewportList().GetHandle(),
      graph.GetUcsList().GetHandle(),
      graph.GetAppIdList().GetHandle(),
      graph.GetViewList().GetHandle(),
      graph.GetViewHeaderCtrl().GetHandle(),
      graph.GetNamedObjects().GetHandle(),
      acad != nullptr ? acad->GetHandle() : 0,
      graph.GetByLayerLinetype()->GetHandle(),
      graph.GetByBlockLinetype()->GetHandle(),
      graph.GetLinetypeList().FindByName("Continuous")->GetHandle(),
      HandleIn(&graph.GetNamedObjects(), "ACAD_GROUP"),
      HandleIn(&graph.GetNamedObjects(), "ACAD_LAYOUT"),
      HandleIn(&graph.GetNamedObjects(), "ACAD_MLINESTYLE"),
      mlineStyles != nullptr && mlineStyles->GetEntryCount() == 1 ? mlineStyles->GetEntry(0).object->GetHandle() : 0,
      HandleIn(&graph.GetNamedObjects(), "ACAD_PLOTSETTINGS"),
      HandleIn(&graph.GetNamedObjects(), "ACAD_PLOTSTYLENAME"),
      HandleIn(NamedDictionary(graph, "ACAD_PLOTSTYLENAME"), "Normal"),
      HandleIn(&graph.GetNamedObjects(), "AcDbVariableDictionary"),
      layerZero != nullptr ? layerZero->GetHandle() : 0,
      graph.GetTextStyleList().Find("standard")->GetHandle(),
      graph.GetDimStyleList().Find("ISO-25")->GetHandle(),
      modelSpace->GetHandle(),
      modelSpace->GetBegin()->GetHandle(),
      modelSpace->GetEnd()->GetHandle(),
      paperSpace->GetHandle(),
      paperSpace->GetBegin()->GetHandle(),
      paperSpace->GetEnd()->GetHandle(),
      HandleIn(layouts, "Model"),
      HandleIn(layouts, "Layout1"),
      graph.GetViewportList().GetRecordHandle(),
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(expected[i], i + 1) << "object " << i + 1;
  EXPECT_EQ(graph.GetHandleSeed(), 36u);

  EXPECT_EQ(graph.GetCurrentLayer(), layerZero);
  EXPECT_EQ(layerZero->GetLinetypeHandle(), 15u);
  EXPECT_EQ(layerZero->GetPlotStyle(), 22u);
  EXPECT_EQ(graph.GetSysVars().clayer, "0");
  EXPECT_EQ(graph.GetSysVars().celtype, "ByLayer");
  EXPECT_EQ(graph.GetCurrentLinetype(), nullptr);
  EXPECT_EQ(graph.GetSysVars().textstyle, "standard");
  EXPECT_EQ(graph.GetCurrentTextStyle(), graph.GetTextStyleList().GetAt(0));
  EXPECT_EQ(graph.GetSysVars().dimstyle, "ISO-25");
  EXPECT_EQ(graph.GetCurrentDimStyle(), graph.GetDimStyleList().GetAt(0));
  EXPECT_EQ(graph.GetCurrentBlock(), modelSpace);
  EXPECT_EQ(graph.GetCurrentEntitySet(), &modelSpace->GetEntities());
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetGrowthStep(), 8192);
  EXPECT_EQ(modelSpace->GetKind(), kBlockKindModelSpace);
  EXPECT_EQ(paperSpace->GetKind(), kBlockKindPaperSpace);
  auto* model = dynamic_cast<FcLayout*>(layouts->GetAt("Model"));
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->blockRecord, modelSpace->GetHandle());
  EXPECT_EQ(modelSpace->GetLayoutHandle(), model->GetHandle());
  EXPECT_EQ(graph.CountNamedBlocks(), 2);
}

TEST_F(GraphTest, InitDefaultsAgainStartsOver) {
  FcGraph graph;
  graph.AddAppId("EXTRA");
  graph.AddEntity(new TestEntity, false);
  graph.InitDefaults();
  EXPECT_EQ(graph.GetHandleSeed(), 36u);
  EXPECT_EQ(graph.GetAppIdList().GetCount(), 1);
  EXPECT_EQ(graph.GetLayerList().GetCount(), 1);
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 0);
}

TEST_F(GraphTest, AddEntityGivesTheCurrentProperties) {
  struct Case {
    short cecolor;
    double celtscale;
    std::int16_t color;
    double scale;
  };
  const Case cases[] = {
      {3, 2.0, 3, 2.0},      {256, 0.5, 256, 0.5}, {0, 1.0, 0, 1.0},
      {257, 1.0, 5, 1.0},    {-1, 1.0, 5, 1.0},    {256, 0.0, 256, 4.0},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    FcLayer* walls = graph.FindOrCreateLayer("Walls");
    graph.SetCurrentLayer("Walls");
    FcLineType* continuous = graph.SetCurrentLinetype("Continuous");
    graph.GetSysVars().cecolor = c.cecolor;
    graph.GetSysVars().celtscale = c.celtscale;
    const FcHandle seed = graph.GetHandleSeed();

    auto* entity = new TestEntity;
    entity->SetColor(5);
    entity->SetLinetypeScale(4.0);
    graph.AddEntity(entity, true);
    SCOPED_TRACE(c.cecolor);
    EXPECT_EQ(entity->GetHandle(), seed);
    EXPECT_EQ(graph.GetHandleSeed(), seed + 1);
    EXPECT_EQ(entity->GetColor(), c.color);
    EXPECT_DOUBLE_EQ(entity->GetLinetypeScale(), c.scale);
    EXPECT_EQ(entity->GetLayer(), walls);
    EXPECT_EQ(entity->GetLinetype(), continuous);
    EXPECT_EQ(entity->GetBlock(), graph.GetCurrentBlock());
    EXPECT_TRUE(graph.GetCurrentEntitySet()->Contains(entity));
    EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 1);
    EXPECT_EQ(graph.GetLastEntity(), entity);
  }
}

TEST_F(GraphTest, AddEntityTypesCustomClassesOnly) {
  FcGraph graph;
  auto* image = new TestEntity("IMAGE");
  auto* fixed = new TestEntity("IMAGE");
  fixed->SetDwgType(19);
  graph.AddEntity(image, false);
  graph.AddEntityKeepLayer(fixed);
  EXPECT_EQ(image->GetDwgType(), 505);
  EXPECT_EQ(fixed->GetDwgType(), 19);
  EXPECT_EQ(fixed->GetLayer(), graph.GetCurrentLayer());
}

TEST_F(GraphTest, LastEntitySkipsSeqendAndSubEntities) {
  FcGraph graph;
  EXPECT_EQ(graph.GetLastEntity(), nullptr);
  auto* head = new TestEntity;
  auto* sub = new TestEntity;
  sub->MakeSubEntity();
  graph.AddEntity(head, false);
  graph.AddEntity(sub, false);
  graph.AddEntity(new FcSeqend, false);
  EXPECT_EQ(graph.GetLastEntity(), head);
}

TEST_F(GraphTest, RemoveEntityLeavesItToTheCaller) {
  FcGraph graph;
  const int onLayer = graph.GetCurrentLayer()->GetEntityHandles().count;
  auto* entity = new TestEntity;
  graph.AddEntity(entity, false);
  graph.GetPreviousSelection().Add(entity);
  const FcHandle seed = graph.GetHandleSeed();

  EXPECT_EQ(graph.RemoveEntityByHandle(0x999), nullptr);
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 1);

  ASSERT_EQ(graph.RemoveEntityByHandle(entity->GetHandle()), entity);
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 0);
  EXPECT_EQ(graph.GetPreviousSelection().GetCount(), 0);
  EXPECT_EQ(entity->GetBlock(), nullptr);
  EXPECT_EQ(graph.GetCurrentLayer()->GetEntityHandles().count, onLayer);
  EXPECT_EQ(graph.GetHandleSeed(), seed);

  graph.AddEntityKeepLayer(entity);
  EXPECT_EQ(graph.RemoveEntity(entity), entity);
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 0);
  delete entity;
}

TEST_F(GraphTest, DrawOrderTableIsMadeOnlyWhenAsked) {
  FcGraph graph;
  FcBlock* space = graph.GetCurrentBlock();
  graph.AddToDrawOrder(0x50, false);
  EXPECT_EQ(space->GetSortEntsTable(), nullptr);
  EXPECT_EQ(space->GetExtDictionary(), nullptr);

  graph.AddToDrawOrder(0x50, true);
  FcSortEntsTable* table = space->GetSortEntsTable();
  ASSERT_NE(table, nullptr);
  ASSERT_NE(space->GetExtDictionary(), nullptr);
  EXPECT_EQ(space->GetExtDictionary()->GetHandle(), 36u);
  EXPECT_EQ(space->GetExtDictionaryHandle(), 36u);
  EXPECT_EQ(table->GetHandle(), 37u);
  EXPECT_EQ(space->GetExtDictionary()->GetAt("ACAD_SORTENTS"), table);

  auto* entity = new TestEntity;
  graph.AddEntity(entity, false);
  ASSERT_EQ(table->GetEntryCount(), 2);
  EXPECT_EQ(table->GetEntityHandle(1), entity->GetHandle());
}

// Erasing half of a large layer keeps the rest in order in the member
// lists of every layer and in the draw order. How long it takes is
// measured in bench/large_edit_bench.cpp.
TEST_F(GraphTest, ErasingHalfOfALargeLayerKeepsTheOrder) {
  constexpr int kEntities = 100000;
  FcGraph graph;
  FcLayer* walls = graph.FindOrCreateLayer("Walls");
  FcLayer* zero = graph.GetCurrentLayer();
  std::vector<FcEntity*> entities;
  for (int i = 0; i < kEntities; ++i) {
    auto* entity = new TestEntity;
    graph.AddEntityKeepLayer(entity);
    if (i % 1000 == 7) entity->SetLayer(walls);
    if (i == 0) graph.AddToDrawOrder(entity->GetHandle(), true);
    entities.push_back(entity);
  }
  FcSortEntsTable* table = graph.GetCurrentBlock()->GetSortEntsTable();
  ASSERT_NE(table, nullptr);
  table->MoveEntity(entities[3]->GetHandle(), 0);
  table->MoveEntityBefore(entities[kEntities - 1]->GetHandle(), 0);

  FcEntitySets doomed(8192);
  std::unordered_set<FcHandle> erased;
  // Owned by the block while it is filled, the set appends without looking
  // for each entity's place in the block.
  doomed.SetOwnerBlock(graph.GetCurrentBlock());
  for (int i = 0; i < kEntities; i += 2) {
    doomed.Add(entities[i]);
    erased.insert(entities[i]->GetHandle());
  }
  doomed.SetOwnerBlock(nullptr);
  const auto keptOf = [&erased](const FcHandle* first, const FcHandle* last) {
    std::vector<FcHandle> kept;
    std::copy_if(first, last, std::back_inserter(kept), [&erased](FcHandle h) { return erased.count(h) == 0; });
    return kept;
  };
  const auto members = [](const FcLayer* layer) {
    const CDataArray<FcHandle>& handles = layer->GetEntityHandles();
    return std::vector<FcHandle>(handles.items, handles.items + handles.count);
  };
  const std::vector<FcHandle> zeroBefore = members(zero);
  const std::vector<FcHandle> wallsBefore = members(walls);
  std::vector<FcHandle> drawOrderBefore;
  for (int i = 0; i < table->GetEntryCount(); ++i) drawOrderBefore.push_back(table->GetEntityHandle(i));

  graph.EraseEntities(doomed);
  EXPECT_EQ(members(zero), keptOf(zeroBefore.data(), zeroBefore.data() + zeroBefore.size()));
  EXPECT_EQ(members(walls), keptOf(wallsBefore.data(), wallsBefore.data() + wallsBefore.size()));
  const std::vector<FcHandle> drawOrder =
      keptOf(drawOrderBefore.data(), drawOrderBefore.data() + drawOrderBefore.size());
  ASSERT_EQ(table->GetEntryCount(), static_cast<int>(drawOrder.size()));
  ASSERT_EQ(drawOrder.size(), static_cast<std::size_t>(kEntities / 2));
  EXPECT_EQ(drawOrder.front(), entities[kEntities - 1]->GetHandle());
  EXPECT_EQ(drawOrder.back(), entities[3]->GetHandle());
  std::vector<FcHandle> sorted = drawOrder;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < table->GetEntryCount(); ++i) {
    ASSERT_EQ(table->GetEntityHandle(i), drawOrder[static_cast<std::size_t>(i)]) << i;
    ASSERT_EQ(table->GetSortHandle(i), sorted[static_cast<std::size_t>(i)]) << i;
  }
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), kEntities / 2);
}

TEST_F(GraphTest, DictionaryVariables) {
  FcGraph graph;
  FcResBuf value;
  EXPECT_EQ(graph.GetSysVar("NOSUCHVAR", value), FcSysVarResult::kUnknownName);
  value.SetString("1");
  EXPECT_EQ(graph.SetSysVar("NOSUCHVAR", value), FcSysVarResult::kUnknownName);

  const FcHandle seed = graph.GetHandleSeed();
  FcResBuf got;
  ASSERT_EQ(graph.GetSysVar("DRAWORDERCTL", got), FcSysVarResult::kDone);
  EXPECT_EQ(got.type, kResTypeString);
  EXPECT_STREQ(got.text, "3");
  EXPECT_EQ(graph.GetHandleSeed(), seed + 1);
  FcResBuf again;
  ASSERT_EQ(graph.GetSysVar("DrawOrderCtl", again), FcSysVarResult::kDone);
  EXPECT_STREQ(again.text, "3");
  EXPECT_EQ(graph.GetHandleSeed(), seed + 1);

  FcResBuf changed;
  changed.SetString("0");
  EXPECT_EQ(graph.SetSysVar("draworderctl", changed), FcSysVarResult::kDone);
  ASSERT_EQ(graph.GetSysVar("DRAWORDERCTL", got), FcSysVarResult::kDone);
  EXPECT_STREQ(got.text, "0");

  FcResBuf header;
  header.intValue = 3;
  EXPECT_EQ(graph.SetSysVar("CECOLOR", header), FcSysVarResult::kDone);
  EXPECT_EQ(graph.GetSysVars().cecolor, 3);
}

TEST_F(GraphTest, CurrentLinetypeSetters) {
  FcGraph graph;
  FcLineType* continuous = graph.GetLinetypeList().FindByName("Continuous");
  struct Case {
    const char* name;
    FcLineType* current;
    const char* celtype;
  };
  const Case cases[] = {
      {"continuous", continuous, "Continuous"},
      {"bylayer", nullptr, "ByLayer"},
      {"BYBLOCK", LinetypeByBlock(), "ByBlock"},
      {"NoSuchLinetype", LinetypeByBlock(), "ByBlock"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(graph.SetCurrentLinetype(c.name), c.current) << c.name;
    EXPECT_EQ(graph.GetSysVars().celtype, c.celtype) << c.name;
  }
  EXPECT_EQ(graph.SetCurrentLinetypeByHandle(graph.GetByLayerLinetype()->GetHandle()), nullptr);
  EXPECT_EQ(graph.SetCurrentLinetypeByHandle(continuous->GetHandle()), continuous);
  EXPECT_EQ(graph.SetCurrentLinetypeByHandle(0x999), continuous);

  // A layer made while ByBlock is current has no linetype.
  graph.SetCurrentLinetype("ByBlock");
  EXPECT_EQ(graph.CreateLayer()->GetLinetypeHandle(), 0u);
}

TEST_F(GraphTest, Layers) {
  FcGraph graph;
  EXPECT_EQ(graph.FindOrCreateLayer(""), nullptr);
  FcLayer* defPoints = graph.FindOrCreateLayer("DEFPOINTS");
  ASSERT_NE(defPoints, nullptr);
  EXPECT_FALSE(defPoints->IsPlottable());
  EXPECT_EQ(defPoints->GetGraph(), &graph);
  EXPECT_EQ(graph.FindOrCreateLayer("defpoints"), defPoints);

  EXPECT_EQ(graph.SetCurrentLayer("nosuchlayer"), graph.GetLayerList().FindByName("0"));
  EXPECT_EQ(graph.SetCurrentLayer("defpoints"), defPoints);
  EXPECT_EQ(graph.GetSysVars().clayer, "DEFPOINTS");
  EXPECT_EQ(graph.SetCurrentLayerByHandle(0x999), graph.GetLayerList().GetAt(0));
  EXPECT_EQ(graph.GetSysVars().clayer, "0");
}

TEST_F(GraphTest, CurrentStyles) {
  FcGraph graph;
  FcTextStyle* standard = graph.GetCurrentTextStyle();
  EXPECT_EQ(graph.FindOrCreateTextStyle(""), nullptr);
  EXPECT_EQ(graph.FindOrCreateTextStyle("STANDARD"), standard);
  FcTextStyle* notes = graph.FindOrCreateTextStyle(std::string(600, 'n'));
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->GetName().size(), 511u);

  EXPECT_EQ(graph.SetCurrentTextStyle("nosuchstyle"), standard);
  EXPECT_EQ(graph.SetCurrentTextStyle(notes->GetName()), notes);
  EXPECT_EQ(graph.GetSysVars().textstyle, notes->GetName());
  graph.SetCurrentTextStyleByHandle(0x999);
  EXPECT_EQ(graph.GetCurrentTextStyle(), notes);
  graph.SetCurrentTextStyleByHandle(standard->GetHandle());
  EXPECT_EQ(graph.GetCurrentTextStyle(), standard);

  FcDimStyle* iso25 = graph.GetCurrentDimStyle();
  FcDimStyle* large = graph.NewDimStyle("Large");
  ASSERT_NE(large, nullptr);
  large->dimasz = 7.0;
  EXPECT_EQ(graph.SetCurrentDimStyle("large"), large);
  EXPECT_EQ(graph.GetSysVars().dimstyle, "Large");
  EXPECT_DOUBLE_EQ(graph.GetSysVars().dimasz, 7.0);
  EXPECT_EQ(graph.SetCurrentDimStyleByHandle(iso25->GetHandle()), iso25);
  EXPECT_DOUBLE_EQ(graph.GetSysVars().dimasz, iso25->dimasz);
}

TEST_F(GraphTest, CurrentGraphComesFromTheThreadOrTheFrame) {
  FcGraph own;
  FcGraph active;
  SetActiveGraphQuery(nullptr);
  EXPECT_EQ(CurrentGraph(), nullptr);

  SetActiveGraphQuery([&active](FcGraph** result) {
    *result = &active;
    return 0;
  });
  EXPECT_EQ(CurrentGraph(), &active);

  FcGraph* onCommandThread = nullptr;
  std::thread([&] {
    CurrentThreadSlot().graph = &own;
    onCommandThread = CurrentGraph();
  }).join();
  EXPECT_EQ(onCommandThread, &own);

  SetActiveGraphQuery([](FcGraph**) { return 1; });
  EXPECT_EQ(CurrentGraph(), nullptr);
  SetActiveGraphQuery(nullptr);
}

// A scope puts back the drawing before it, however it is left, so that
// after a failed open the window thread asks the active window again.
TEST_F(GraphTest, CurrentGraphScopeRestoresThePreviousDrawing) {
  FcGraph loading;
  FcGraph inner;
  SetActiveGraphQuery(nullptr);
  try {
    FcCurrentGraphScope outer(loading);
    EXPECT_EQ(CurrentGraph(), &loading);
    {
      FcCurrentGraphScope nested(inner);
      EXPECT_EQ(CurrentGraph(), &inner);
    }
    EXPECT_EQ(CurrentGraph(), &loading);
    throw std::runtime_error("unreadable");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(CurrentThreadSlot().graph, nullptr);
  EXPECT_EQ(CurrentGraph(), nullptr);
}

TEST_F(GraphTest, CopyPackedStringWalksTheList) {
  const char packed[] = "first\0\0third";
  std::string text;
  const char* next = CopyPackedString(packed, text);
  EXPECT_EQ(text, "first");
  next = CopyPackedString(next, text);
  EXPECT_EQ(text, "");
  next = CopyPackedString(next, text);
  EXPECT_EQ(text, "third");
  EXPECT_EQ(next, packed + sizeof packed);
}

}  // namespace
