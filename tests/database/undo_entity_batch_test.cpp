#include <gtest/gtest.h>

#include <list>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "database/graph.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/sort_ents_table.h"
#include "database/undo_block_item.h"
#include "database/undo_items.h"
#include "entities/line.h"

namespace {

// What undo and redo may change: the current space in order, every layer's
// member list, the draw order and the previous selection.
struct DrawingState {
  std::vector<std::tuple<FcHandle, double, double, std::string>> entities;
  std::map<std::string, std::vector<FcHandle>> layerMembers;
  std::vector<FcHandle> drawEntities;
  std::vector<FcHandle> drawSorts;
  std::vector<FcHandle> previousSelection;

  bool operator==(const DrawingState&) const = default;
};

DrawingState StateOf(FcGraph& graph) {
  DrawingState state;
  for (const FcEntity* entity : *graph.GetCurrentEntitySet()) {
    const auto* line = dynamic_cast<const FcLine*>(entity);
    state.entities.emplace_back(entity->GetHandle(), line != nullptr ? line->GetStartPoint().x : 0.0,
                                line != nullptr ? line->GetEndPoint().y : 0.0,
                                entity->GetLayer() != nullptr ? entity->GetLayer()->GetName() : "");
  }
  const FcLayerList& layers = graph.GetLayerList();
  for (int i = 0; i < layers.GetCount(); ++i) {
    const CDataArray<FcHandle>& members = layers.GetAt(i)->GetEntityHandles();
    state.layerMembers[layers.GetAt(i)->GetName()].assign(members.items, members.items + members.count);
  }
  if (const FcSortEntsTable* table = graph.GetCurrentBlock()->GetSortEntsTable()) {
    for (int i = 0; i < table->GetEntryCount(); ++i) {
      state.drawEntities.push_back(table->GetEntityHandle(i));
      state.drawSorts.push_back(table->GetSortHandle(i));
    }
  }
  for (const FcEntity* entity : graph.GetPreviousSelection()) state.previousSelection.push_back(entity->GetHandle());
  return state;
}

FcLine* AddLine(FcGraph& graph, double x, double y) {
  auto* line = new FcLine;
  line->SetStartPoint({x, 0});
  line->SetEndPoint({x + 1, y});
  graph.AddEntity(line, false);
  return line;
}

// Lines on two layers with a draw-order table that is not in handle order.
std::vector<FcLine*> MakeDrawing(FcGraph& graph, int count) {
  std::vector<FcLine*> lines;
  FcLayer* walls = graph.FindOrCreateLayer("Walls");
  for (int i = 0; i < count; ++i) {
    lines.push_back(AddLine(graph, i, i));
    if (i == 0) graph.AddToDrawOrder(lines[0]->GetHandle(), true);
    if (i % 3 == 0) lines.back()->SetLayer(walls);
  }
  FcSortEntsTable* table = graph.GetCurrentBlock()->GetSortEntsTable();
  for (int i = 1; i < count; i += 7) table->MoveEntityBefore(lines[i]->GetHandle(), lines[0]->GetHandle());
  return lines;
}

// One command's item: erasures, creations and changes (some to another
// layer) interleaved, as mixed editing records them.
void RunMixedCommand(FcGraph& graph, std::vector<FcLine*>& lines, FcEntSetsUndoItem& item) {
  FcLayer* doors = graph.FindOrCreateLayer("Doors");
  for (std::size_t i = 0; i < lines.size(); i += 2) graph.GetPreviousSelection().Add(lines[i]);
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    item.Record(kUndoErased, lines[i]);
    delete graph.RemoveEntity(lines[i]);
    item.Record(kUndoCreated, AddLine(graph, 100.0 + static_cast<double>(i), 1));
    FcLine* changed = lines[i + 1];
    item.Record(kUndoChanged, changed);
    changed->SetEndPoint({-1, static_cast<double>(i)});
    if (i % 4 == 1) changed->SetLayer(doors);
  }
}

// The records run one at a time, through a private copy of the item's
// records, on a drawing made the same way.
void RunOneByOne(FcGraph& graph, FcEntSetsUndoItem& item, std::list<FcEntSetsUndoRecord>& records, bool redo) {
  item.SwapDrawOrder(graph);
  FcEntitySets affected(kFcPreviousSelectionGrowth);
  for (FcEntSetsUndoRecord& record : records) redo ? record.Redo(graph, affected) : record.Undo(graph, affected);
}

std::list<FcEntSetsUndoRecord> CopyOfRecords(const FcEntSetsUndoItem& item) {
  std::list<FcEntSetsUndoRecord> copies;
  for (const FcEntSetsUndoRecord& record : item.GetRecords()) {
    FcEntSetsUndoRecord& copy = copies.emplace_back();
    copy.copy.reset(record.copy->Clone());
    copy.handle = record.handle;
    copy.action = record.action;
  }
  return copies;
}

class UndoEntityBatchTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
};

// Enough take-outs for the sets to be rebuilt rather than edited in place.
TEST_F(UndoEntityBatchTest, MixedItemEndsAsRunningItsRecordsOneByOne) {
  FcGraph batched;
  FcGraph single;
  std::vector<FcLine*> batchedLines = MakeDrawing(batched, 120);
  std::vector<FcLine*> singleLines = MakeDrawing(single, 120);
  FcEntSetsUndoItem batchedItem;
  FcEntSetsUndoItem singleItem;
  RunMixedCommand(batched, batchedLines, batchedItem);
  RunMixedCommand(single, singleLines, singleItem);
  std::list<FcEntSetsUndoRecord> singleRecords = CopyOfRecords(singleItem);
  ASSERT_EQ(StateOf(batched), StateOf(single));

  for (const bool redo : {false, true, false}) {
    SCOPED_TRACE(redo ? "redo" : "undo");
    redo ? batchedItem.Redo(batched) : batchedItem.Undo(batched);
    RunOneByOne(single, singleItem, singleRecords, redo);
    EXPECT_EQ(StateOf(batched), StateOf(single));
  }
}

// How long the batch takes is measured in bench/large_edit_bench.cpp.
TEST_F(UndoEntityBatchTest, CreationOfManyLinesIsUndoneAndRedone) {
  constexpr int kLines = 50000;
  FcGraph graph;
  MakeDrawing(graph, 40);
  const DrawingState before = StateOf(graph);
  FcEntSetsUndoItem item;
  for (int i = 0; i < kLines; ++i) item.Record(kUndoCreated, AddLine(graph, i, -i));
  const DrawingState after = StateOf(graph);
  ASSERT_EQ(after.drawEntities.size(), before.drawEntities.size() + kLines);

  item.Undo(graph);
  EXPECT_EQ(StateOf(graph), before);
  item.Redo(graph);
  EXPECT_EQ(StateOf(graph), after);
}

// The copies go into the block under new handles; the originals and the
// space's draw order stay as they were.
TEST_F(UndoEntityBatchTest, RedoneCopiedBlockLeavesTheOriginals) {
  FcGraph graph;
  const std::vector<FcLine*> lines = MakeDrawing(graph, 50);
  FcEntitySets selection(16);
  for (std::size_t i = 0; i < lines.size(); i += 2) selection.Add(lines[i]);
  FcBlockUndoItm item;
  item.SetMode(kBlockUndoCopied);
  item.RecordEntities(selection);
  FcBlock* block = graph.GetBlockList().AddNew();
  block->SetName("Door");
  item.Capture(*block);
  const DrawingState before = StateOf(graph);

  item.Undo(graph);
  ASSERT_EQ(graph.GetBlockList().FindByName("Door"), nullptr);
  const FcHandle seed = graph.GetHandleSeed();
  ASSERT_TRUE(item.Redo(graph));
  // A new block brings its own markers onto the current layer.
  const DrawingState now = StateOf(graph);
  EXPECT_EQ(now.entities, before.entities);
  EXPECT_EQ(now.drawEntities, before.drawEntities);
  EXPECT_EQ(now.drawSorts, before.drawSorts);
  const FcBlock* again = graph.GetBlockList().FindByName("Door");
  ASSERT_NE(again, nullptr);
  ASSERT_EQ(again->GetEntities().GetCount(), selection.GetCount());
  for (const FcEntity* copy : again->GetEntities()) {
    EXPECT_GE(copy->GetHandle(), seed);
    EXPECT_EQ(copy->GetBlock(), again);
  }
}

}  // namespace
