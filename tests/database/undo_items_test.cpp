#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/sort_ents_table.h"
#include "database/undo_block_item.h"
#include "database/undo_items.h"
#include "entities/line.h"
#include "platform/program_settings.h"
#include "platform/recording_frame_link.h"

namespace {

class UndoItemsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }

  FcLine* AddLine(const FcPoint2d& start, const FcPoint2d& end) {
    auto* line = new FcLine;
    line->SetStartPoint(start);
    line->SetEndPoint(end);
    graph_.AddEntity(line, false);
    return line;
  }
  FcLine* Find(FcHandle handle) const {
    return dynamic_cast<FcLine*>(graph_.GetCurrentEntitySet()->FindByHandle(handle));
  }
  // How often the layer lists the handle.
  static int Membership(const FcLayer* layer, FcHandle handle) {
    if (layer == nullptr) return 0;
    const CDataArray<FcHandle>& handles = layer->GetEntityHandles();
    return static_cast<int>(std::count(handles.items, handles.items + handles.count, handle));
  }
  static bool IsMember(const FcLayer* layer, FcHandle handle) { return Membership(layer, handle) > 0; }

  static bool At(const FcPoint2d& point, double x, double y) { return point.x == x && point.y == y; }

  FcGraph graph_;
};

TEST_F(UndoItemsTest, CreatedLineIsTakenOutAndPutBackWithItsHandle) {
  FcLine* line = AddLine({1, 2}, {3, 4});
  const FcHandle handle = line->GetHandle();
  FcLayer* layer = graph_.GetCurrentLayer();
  FcEntSetsUndoItem item;
  item.Record(kUndoCreated, line);

  item.Undo(graph_);
  EXPECT_EQ(Find(handle), nullptr);
  EXPECT_FALSE(IsMember(layer, handle));

  item.Redo(graph_);
  FcLine* back = Find(handle);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(At(back->GetEndPoint(), 3, 4));
  EXPECT_EQ(back->GetLayer(), layer);
  EXPECT_EQ(back->GetBlock(), graph_.GetCurrentBlock());
  EXPECT_EQ(Membership(layer, handle), 1);
}

TEST_F(UndoItemsTest, ErasedLineComesBackAndGoesAgain) {
  FcLine* line = AddLine({0, 0}, {5, 0});
  const FcHandle handle = line->GetHandle();
  FcEntSetsUndoItem item;
  item.Record(kUndoErased, line);
  delete graph_.RemoveEntity(line);

  item.Undo(graph_);
  FcLine* back = Find(handle);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(At(back->GetEndPoint(), 5, 0));
  EXPECT_TRUE(IsMember(back->GetLayer(), handle));

  item.Redo(graph_);
  EXPECT_EQ(Find(handle), nullptr);
  EXPECT_EQ(graph_.GetCurrentEntitySet()->GetCount(), 0);
}

// Undo puts the recorded data back, redo the changed data, layer included.
TEST_F(UndoItemsTest, ChangedLineExchangesWithTheCopy) {
  FcLine* line = AddLine({0, 0}, {1, 1});
  const FcHandle handle = line->GetHandle();
  FcLayer* before = graph_.GetCurrentLayer();
  FcLayer* after = graph_.FindOrCreateLayer("Walls");
  ASSERT_NE(after, nullptr);

  FcEntSetsUndoItem item;
  item.Record(kUndoChanged, line);
  line->SetStartPoint({7, 7});
  line->SetLayer(after);

  item.Undo(graph_);
  EXPECT_EQ(Find(handle), line);
  EXPECT_TRUE(At(line->GetStartPoint(), 0, 0));
  EXPECT_EQ(line->GetLayer(), before);
  EXPECT_TRUE(IsMember(before, handle));
  EXPECT_FALSE(IsMember(after, handle));

  item.Redo(graph_);
  EXPECT_TRUE(At(line->GetStartPoint(), 7, 7));
  EXPECT_EQ(line->GetLayer(), after);
  EXPECT_TRUE(IsMember(after, handle));
  EXPECT_FALSE(IsMember(before, handle));
}

TEST_F(UndoItemsTest, SecondRecordingKeepsTheFirstCopy) {
  FcLine* line = AddLine({0, 0}, {1, 0});
  const FcHandle handle = line->GetHandle();
  FcEntSetsUndoItem item;
  item.Record(kUndoChanged, line);
  line->SetEndPoint({9, 0});
  item.Record(kUndoErased, line);
  delete graph_.RemoveEntity(line);

  ASSERT_EQ(item.GetRecords().size(), 1u);
  EXPECT_EQ(item.GetRecords().front().action, kUndoErased);
  item.Undo(graph_);
  ASSERT_NE(Find(handle), nullptr);
  EXPECT_TRUE(At(Find(handle)->GetEndPoint(), 1, 0));

  item.Forget(handle);
  EXPECT_FALSE(item.HasRecords());
  item.Record(kUndoChanged, nullptr);
  EXPECT_FALSE(item.HasRecords());
}

TEST_F(UndoItemsTest, RecordOfAMissingEntityDoesNothing) {
  FcLine* line = AddLine({0, 0}, {1, 0});
  FcEntSetsUndoItem item;
  item.Record(kUndoChanged, line);
  delete graph_.RemoveEntity(line);
  EXPECT_TRUE(item.Undo(graph_));
  EXPECT_EQ(graph_.GetCurrentEntitySet()->GetCount(), 0);
}

TEST_F(UndoItemsTest, EntitiesKeepTheirDrawOrderPlace) {
  FcLine* a = AddLine({0, 0}, {1, 0});
  FcLine* b = AddLine({0, 1}, {1, 1});
  FcLine* c = AddLine({0, 2}, {1, 2});
  for (FcLine* line : {a, b, c}) graph_.AddToDrawOrder(line->GetHandle(), true);
  const FcBlock* space = graph_.GetCurrentBlock();
  const auto order = [&] {
    std::vector<FcHandle> handles;
    const FcSortEntsTable* table = space->GetSortEntsTable();
    for (int i = 0; i < table->GetEntryCount(); ++i) handles.push_back(table->GetEntityHandle(i));
    return handles;
  };
  const std::vector<FcHandle> all = {a->GetHandle(), b->GetHandle(), c->GetHandle()};
  const std::vector<FcHandle> withoutB = {a->GetHandle(), c->GetHandle()};

  FcEntSetsUndoItem erase;
  erase.Record(kUndoErased, b);
  ASSERT_NE(erase.GetSavedDrawOrder(), nullptr);
  delete graph_.RemoveEntity(b);
  ASSERT_EQ(order(), withoutB);
  erase.Undo(graph_);
  EXPECT_EQ(order(), all);
  erase.Redo(graph_);
  EXPECT_EQ(order(), withoutB);

  FcLine* d = AddLine({0, 3}, {1, 3});
  FcEntSetsUndoItem create;
  create.Record(kUndoCreated, d);
  const std::vector<FcHandle> withD = {a->GetHandle(), c->GetHandle(), d->GetHandle()};
  ASSERT_EQ(order(), withD);
  create.Undo(graph_);
  EXPECT_EQ(order(), withoutB);
  create.Redo(graph_);
  EXPECT_EQ(order(), withD);
}

TEST_F(UndoItemsTest, BlockMadeFromEntitiesIsUndoneAndMadeAgain) {
  FcLine* a = AddLine({0, 0}, {1, 0});
  FcLine* b = AddLine({0, 1}, {1, 1});
  const FcHandle handles[] = {a->GetHandle(), b->GetHandle()};
  FcEntitySets selection(16);
  selection.Add(a);
  selection.Add(b);
  FcBlockUndoItm item;
  item.RecordEntities(selection);
  FcBlock* block = graph_.GetBlockList().AddNew();
  block->SetName("Door");
  block->SetBasePoint({2, 3});
  for (FcEntity* entity : {static_cast<FcEntity*>(a), static_cast<FcEntity*>(b)}) {
    graph_.RemoveEntity(entity);
    entity->SetBlock(block);
  }
  item.Capture(*block);
  const FcHandle blockHandle = block->GetHandle();

  item.Undo(graph_);
  EXPECT_EQ(graph_.GetBlockList().FindByName("Door"), nullptr);
  for (FcHandle handle : handles) EXPECT_NE(Find(handle), nullptr);

  item.Redo(graph_);
  EXPECT_EQ(graph_.GetCurrentEntitySet()->GetCount(), 0);
  FcBlock* again = graph_.GetBlockList().FindByName("Door");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetHandle(), blockHandle);
  EXPECT_TRUE(At(again->GetBasePoint(), 2, 3));
  for (FcHandle handle : handles) EXPECT_NE(again->GetEntities().FindByHandle(handle), nullptr);
}

TEST_F(UndoItemsTest, SnapshotFileLivesAsLongAsTheItem) {
  RecordingFrameLink frame;
  SetFrameLink(&frame);
  std::string path;
  {
    FcCombGraphUndoItem item;
    path = item.GetFileName();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
    EXPECT_EQ(std::filesystem::path(path).filename().string().rfind("kovra_undo", 0), 0u);

    FcSystemVar& vars = graph_.GetSysVars();
    vars.SetDwgName("plan.dwg");
    vars.dwgtitled = 1;
    vars.Modified = 1;
    item.Backup(graph_);
    item.Undo(graph_);
    EXPECT_EQ(vars.dwgname, "plan.dwg");
    EXPECT_EQ(vars.dwgtitled, 1);
    EXPECT_EQ(vars.Modified, 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(frame.HistoryLines().front(), "Backup current graph for undo");
  SetFrameLink(nullptr);
}

TEST_F(UndoItemsTest, SnapshotUndoRestoresTheDrawingAndRedoReappliesTheChange) {
  RecordingFrameLink frame;
  SetFrameLink(&frame);
  const FcHandle moved = AddLine({0, 0}, {1, 1})->GetHandle();
  const FcHandle erased = AddLine({2, 0}, {3, 1})->GetHandle();
  graph_.SetFileKind(FcFileKind::kDwg);
  FcCombGraphUndoItem item;
  ASSERT_TRUE(item.Backup(graph_));

  Find(moved)->SetEndPoint({5, 5});
  delete graph_.RemoveEntity(Find(erased));
  const FcHandle added = AddLine({8, 8}, {9, 9})->GetHandle();

  ASSERT_TRUE(item.Undo(graph_));
  ASSERT_NE(Find(moved), nullptr);
  EXPECT_TRUE(At(Find(moved)->GetEndPoint(), 1, 1));
  ASSERT_NE(Find(erased), nullptr);
  EXPECT_TRUE(At(Find(erased)->GetStartPoint(), 2, 0));
  EXPECT_EQ(Find(added), nullptr);
  EXPECT_EQ(graph_.GetCurrentEntitySet()->GetCount(), 2);
  EXPECT_EQ(graph_.GetFileKind(), FcFileKind::kDwg);

  ASSERT_TRUE(item.Redo(graph_));
  ASSERT_NE(Find(moved), nullptr);
  EXPECT_TRUE(At(Find(moved)->GetEndPoint(), 5, 5));
  EXPECT_EQ(Find(erased), nullptr);
  ASSERT_NE(Find(added), nullptr);
  EXPECT_TRUE(At(Find(added)->GetEndPoint(), 9, 9));
  EXPECT_EQ(graph_.GetCurrentEntitySet()->GetCount(), 2);
  SetFrameLink(nullptr);
}

// Without a usable temporary folder the file goes to the program
// directory, under the first "temp<N>.sv$" that nothing takes yet.
TEST_F(UndoItemsTest, SnapshotFallsBackToTheProgramDirectory) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kovra_undo_fallback_test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "temp0.sv$");
  std::FILE* taken = std::fopen((folder / "temp1.sv$").c_str(), "w");
  ASSERT_NE(taken, nullptr);
  std::fclose(taken);

  const char* oldTmp = std::getenv("TMPDIR");
  const std::string savedTmp = oldTmp != nullptr ? oldTmp : "";
  const std::string savedProgram = GetProgramSettings().program_directory;
  setenv("TMPDIR", (folder / "missing").c_str(), 1);
  GetProgramSettings().program_directory = folder.string() + "/";
  const std::string path = CreateUndoSnapshotFile();
  if (oldTmp != nullptr) {
    setenv("TMPDIR", savedTmp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  GetProgramSettings().program_directory = savedProgram;

  EXPECT_EQ(path, (folder / "temp2.sv$").string());
  EXPECT_TRUE(std::filesystem::is_regular_file(path));
  std::filesystem::remove_all(folder);
}

}  // namespace
