#include <gtest/gtest.h>

#include <cstring>

#include "database/graph.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/sort_ents_table.h"
#include "database/undo_setting_items.h"
#include "entities/line.h"

namespace {

class UndoSettingItemsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  FcGraph graph_;
};

TEST_F(UndoSettingItemsTest, SystemVariablesExchange) {
  FcSysVarUndoItem empty;
  EXPECT_FALSE(empty.Undo(graph_));

  FcSysVarUndoItem item;
  item.AddVariable(graph_, "NoSuchVariable");
  EXPECT_EQ(item.GetCount(), 0);
  item.AddVariable(graph_, "TEXTSTYLE");
  item.AddVariable(graph_, "PDMODE");
  ASSERT_EQ(item.GetCount(), 2);
  const std::string style = graph_.GetSysVars().textstyle.str();
  graph_.GetSysVars().textstyle = "other";
  graph_.GetSysVars().pdmode = 3;

  EXPECT_TRUE(item.Undo(graph_));
  EXPECT_EQ(graph_.GetSysVars().textstyle, style);
  EXPECT_EQ(graph_.GetSysVars().pdmode, 0);
  EXPECT_TRUE(item.Redo(graph_));
  EXPECT_EQ(graph_.GetSysVars().textstyle, "other");
  EXPECT_EQ(graph_.GetSysVars().pdmode, 3);
}

TEST_F(UndoSettingItemsTest, UnitsOutOfRangeStayButTheOthersExchange) {
  FcSystemVar& vars = graph_.GetSysVars();
  vars.lunits = 2;
  vars.aunits = 1;
  FcUnitsUndoItem item;
  item.Values() = FcUnitsValues{4, 3, 7, 2, 5, -1.0};
  item.Undo(graph_);
  EXPECT_EQ(vars.lunits, 4);
  EXPECT_EQ(vars.luprec, 3);
  EXPECT_EQ(vars.aunits, 1);
  EXPECT_EQ(vars.auprec, 2);
  EXPECT_EQ(vars.angdir, 1);
  EXPECT_NEAR(vars.angbase, 2 * 3.141592653589793 - 1.0, 1e-12);
  EXPECT_EQ(item.Values().lunits, 2);
  EXPECT_EQ(item.Values().aunits, 1);
}

TEST_F(UndoSettingItemsTest, UcsComesBackAndThePushedEntryGoes) {
  FcUCSUndoItem item;
  item.Capture(graph_);
  graph_.PushPreviousUcs();
  graph_.MoveUcsOrigin(5, 0);
  graph_.RotateUcs(3.141592653589793 / 2);
  FcUCSList& previous = graph_.GetPreviousUcsList();
  ASSERT_EQ(previous.GetCount(), 1);

  item.Undo(graph_);
  EXPECT_EQ(previous.GetCount(), 0);
  EXPECT_EQ(graph_.GetSysVars().ucsorg.x, 0.0);
  EXPECT_NEAR(graph_.GetSysVars().ucsxdir.x, 1.0, 1e-12);

  item.Redo(graph_);
  EXPECT_EQ(previous.GetCount(), 1);
  EXPECT_EQ(graph_.GetSysVars().ucsorg.x, 5.0);
  EXPECT_NEAR(graph_.GetSysVars().ucsxdir.y, 1.0, 1e-12);
}

TEST_F(UndoSettingItemsTest, DrawingPropertiesAndPointStyle) {
  FcDrawPropUndoItm props;
  props.Capture(graph_);
  graph_.FindOrCreateLayer("Walls");
  graph_.SetCurrentLayer("Walls");
  graph_.GetSysVars().cecolor = 1;
  props.Undo(graph_);
  EXPECT_EQ(graph_.GetCurrentLayer()->GetName(), "0");
  EXPECT_EQ(graph_.GetSysVars().cecolor, 256);
  props.Redo(graph_);
  EXPECT_EQ(graph_.GetCurrentLayer()->GetName(), "Walls");
  EXPECT_EQ(graph_.GetSysVars().cecolor, 1);

  FcPTypeUndoItem points;
  points.SetValues(0, 0.0);
  graph_.GetSysVars().pdmode = 34;
  graph_.GetSysVars().pdsize = 2.0;
  points.Undo(graph_);
  EXPECT_EQ(graph_.GetSysVars().pdmode, 0);
  EXPECT_EQ(graph_.GetSysVars().pdsize, 0.0);
  points.Redo(graph_);
  EXPECT_EQ(graph_.GetSysVars().pdmode, 34);
}

TEST_F(UndoSettingItemsTest, DrawOrderExchange) {
  auto* first = new FcLine;
  auto* second = new FcLine;
  graph_.AddEntity(first, false);
  graph_.AddEntity(second, false);
  graph_.AddToDrawOrder(first->GetHandle(), true);
  graph_.AddToDrawOrder(second->GetHandle(), true);
  FcBlock* space = graph_.GetCurrentBlock();

  FcDrawOrderUndoItem item;
  item.Capture(graph_);
  ASSERT_NE(item.GetSavedDrawOrder(), nullptr);
  space->GetSortEntsTable()->MoveEntityBefore(second->GetHandle(), 0);
  ASSERT_EQ(space->GetSortEntsTable()->GetEntityHandle(0), second->GetHandle());

  item.Undo(graph_);
  EXPECT_EQ(space->GetSortEntsTable()->GetEntityHandle(0), first->GetHandle());
  item.Redo(graph_);
  EXPECT_EQ(space->GetSortEntsTable()->GetEntityHandle(0), second->GetHandle());

  // Without a table of its own before the command, undo takes the table
  // away.
  FcGraph plain;
  FcDrawOrderUndoItem none;
  none.Capture(plain);
  auto* line = new FcLine;
  plain.AddEntity(line, false);
  plain.AddToDrawOrder(line->GetHandle(), true);
  none.Undo(plain);
  EXPECT_EQ(plain.GetCurrentBlock()->GetSortEntsTable(), nullptr);
  none.Redo(plain);
  EXPECT_NE(plain.GetCurrentBlock()->GetSortEntsTable(), nullptr);
}

}  // namespace
