#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "database/graph.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/undo_table_items.h"
#include "entities/line.h"

namespace {

class UndoTableItemsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }

  FcLayer* NewLayer(std::string_view name) {
    FcLayer* layer = graph_.CreateLayer();
    layer->SetName(name);
    return layer;
  }

  // Names and handles of the layer table, sorted by handle.
  std::vector<std::pair<FcHandle, std::string>> Layers() const {
    std::vector<std::pair<FcHandle, std::string>> layers;
    const FcLayerList& table = graph_.GetLayerList();
    for (int i = 0; i < table.GetCount(); ++i) layers.emplace_back(table.GetAt(i)->GetHandle(), table.GetAt(i)->GetName());
    std::sort(layers.begin(), layers.end());
    return layers;
  }

  FcGraph graph_;
};

TEST_F(UndoTableItemsTest, LayerExchangeRestoresTheSavedSet) {
  NewLayer("Doors")->SetColor(3);
  NewLayer("Walls");
  const auto before = Layers();
  FcLayerUndoItem item;
  item.Capture(graph_);

  // The command: two layers made (one of them current and in use), one
  // deleted, one changed.
  graph_.GetLayerList().RemoveByName("Walls");
  graph_.GetLayerList().FindByName("Doors")->SetColor(5);
  NewLayer("Kept");
  NewLayer("Gone");
  graph_.SetCurrentLayer("Kept");
  graph_.AddEntity(new FcLine, false);
  const auto after = Layers();

  item.Undo(graph_);
  auto expected = before;
  expected.emplace_back(graph_.GetLayerList().FindByName("Kept")->GetHandle(), "Kept");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Layers(), expected);
  EXPECT_EQ(graph_.GetLayerList().FindByName("Doors")->GetColor(), 3);
  EXPECT_EQ(graph_.GetCurrentLayer()->GetName(), "0");
  EXPECT_EQ(graph_.GetSysVars().clayer, "0");

  item.Redo(graph_);
  EXPECT_EQ(Layers(), after);
  EXPECT_EQ(graph_.GetLayerList().FindByName("Doors")->GetColor(), 5);
  EXPECT_EQ(graph_.GetCurrentLayer()->GetName(), "Kept");
}

TEST_F(UndoTableItemsTest, LinetypeExchangeAndCurrentName) {
  FcLTypeUndoItem item;
  item.Capture(graph_);
  const int count = graph_.GetLinetypeList().GetCount();
  FcLineType* dashed = graph_.GetOrCreateLinetype("Dashed");
  ASSERT_NE(dashed, nullptr);
  graph_.SetCurrentLinetype("Dashed");

  item.Undo(graph_);
  EXPECT_EQ(graph_.GetLinetypeList().GetCount(), count);
  EXPECT_EQ(graph_.GetLinetypeList().FindByName("Dashed"), nullptr);
  EXPECT_EQ(graph_.GetSysVars().celtype, "ByLayer");
  item.Redo(graph_);
  EXPECT_NE(graph_.GetLinetypeList().FindByName("Dashed"), nullptr);
  EXPECT_EQ(graph_.GetSysVars().celtype, "Dashed");
}

TEST_F(UndoTableItemsTest, AddedLinetypeGoesAndComesBackWithItsHandle) {
  FcLineType* created = graph_.GetOrCreateLinetype("Hidden");
  ASSERT_NE(created, nullptr);
  const FcHandle handle = created->GetHandle();
  FcAddLinetypeUndoItem item;
  item.Capture(*created);
  graph_.SetCurrentLinetype("Hidden");

  item.Undo(graph_);
  EXPECT_EQ(graph_.GetLinetypeList().FindByHandle(handle), nullptr);
  EXPECT_EQ(graph_.GetCurrentLinetype(), nullptr);
  item.Redo(graph_);
  const FcLineType* back = graph_.GetLinetypeList().FindByHandle(handle);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetName(), "Hidden");
}

TEST_F(UndoTableItemsTest, TextAndDimensionStylesComeBack) {
  FcStyleUndoItm textItem;
  textItem.Capture(graph_);
  FcDimStyleUndoItem dimItem;
  dimItem.Capture(graph_);
  const int textCount = graph_.GetTextStyleList().GetCount();
  const int dimCount = graph_.GetDimStyleList().GetCount();
  const FcHandle currentDim = graph_.GetCurrentDimStyle() != nullptr ? graph_.GetCurrentDimStyle()->GetHandle() : 0;

  FcTextStyle* text = graph_.FindOrCreateTextStyle("Notes");
  ASSERT_NE(text, nullptr);
  graph_.SetCurrentTextStyle("Notes");
  FcDimStyle* dim = graph_.NewDimStyle("Metric");
  ASSERT_NE(dim, nullptr);
  dim->dimasz = 2.5;
  graph_.SetCurrentDimStyle("Metric");

  dimItem.Undo(graph_);
  textItem.Undo(graph_);
  EXPECT_EQ(graph_.GetTextStyleList().GetCount(), textCount);
  EXPECT_EQ(graph_.GetTextStyleList().Find("Notes"), nullptr);
  EXPECT_NE(graph_.GetCurrentTextStyle(), nullptr);
  EXPECT_EQ(graph_.GetDimStyleList().GetCount(), dimCount);
  EXPECT_EQ(graph_.GetDimStyleList().Find("Metric"), nullptr);
  const FcDimStyle* current = graph_.GetCurrentDimStyle();
  EXPECT_EQ(current != nullptr ? current->GetHandle() : 0, currentDim);

  textItem.Redo(graph_);
  dimItem.Redo(graph_);
  ASSERT_NE(graph_.GetDimStyleList().Find("Metric"), nullptr);
  EXPECT_EQ(graph_.GetDimStyleList().Find("Metric")->dimasz, 2.5);
  EXPECT_EQ(graph_.GetCurrentDimStyle(), graph_.GetDimStyleList().Find("Metric"));
  EXPECT_EQ(graph_.GetCurrentTextStyle(), graph_.GetTextStyleList().Find("Notes"));
}

}  // namespace
