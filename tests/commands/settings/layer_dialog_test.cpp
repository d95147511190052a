#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/layer_set_dlg.h"
#include "database/graph.h"
#include "display/display_group.h"
#include "display/display_group_lookup.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/line.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/line_drawing.h"

namespace {

// The working layer of that name, or null.
FcLayer* Row(CLayerSetDlg& dialog, const std::string& name) {
  for (const auto& layer : dialog.Layers())
    if (!layer->IsMarkedDeleted() && layer->GetName() == name) return layer.get();
  return nullptr;
}

// The drawing's layers "0", "Doors" (holding a line), "Walls" and "Empty";
// "Walls" is current.
class LayerDialogTest : public LineDrawingTest {
 protected:
  LayerDialogTest() {
    AddLine({0, 0}, {10, 0}, "Doors");
    graph.FindOrCreateLayer("Walls");
    graph.FindOrCreateLayer("Empty");
    graph.SetCurrentLayer("Walls");
    dialog.m_pGraph = &graph;
    dialog.Load();
  }

  std::vector<std::string> DrawingLayerNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < graph.GetLayerList().GetCount(); ++i) names.push_back(graph.GetLayerList().GetAt(i)->GetName());
    return names;
  }

  CLayerSetDlg dialog;
};

TEST_F(LayerDialogTest, TheWorkingCopyIsSortedAndStartsOnTheCurrentLayer) {
  std::vector<std::string> names;
  for (const auto& layer : dialog.Layers()) names.push_back(layer->GetName());
  EXPECT_EQ(names, (std::vector<std::string>{"0", "Doors", "Empty", "Walls"}));
  ASSERT_NE(dialog.CurrentLayer(), nullptr);
  EXPECT_EQ(dialog.CurrentLayer()->GetHandle(), graph.GetLayerList().FindByName("Walls")->GetHandle());
  EXPECT_EQ(dialog.CurrentLabel(), "Current Layer: Walls");
  EXPECT_NE(dialog.CurrentLayer(), graph.GetCurrentLayer());
}

TEST_F(LayerDialogTest, RefusalsLeaveTheWorkingLayerAsItWas) {
  FcLayer& zero = *Row(dialog, "0");
  FcLayer& walls = *Row(dialog, "Walls");
  FcLayer& doors = *Row(dialog, "Doors");
  const std::string cannotDelete =
      "Can't delete the below layers:\n\tLayer \"0\"\n\tCurrent layer\n\tThere still are the objects on the layer.";
  EXPECT_EQ(dialog.Rename(zero, "Base"), "Can't rename the layer \"0\"!");
  EXPECT_EQ(dialog.Rename(doors, "WALLS"), CLayerSetDlg::kDuplicateName);
  EXPECT_EQ(dialog.Rename(doors, ""), "The layer name can't be empty!");
  EXPECT_EQ(dialog.SetOn(walls, false), "Can't turn off the current layer!");
  EXPECT_EQ(dialog.SetFrozen(walls, true), "Can't frozen the current layer!");
  EXPECT_EQ(dialog.Delete(zero), cannotDelete);
  EXPECT_EQ(dialog.Delete(walls), cannotDelete);
  EXPECT_EQ(dialog.Delete(doors), cannotDelete);
  EXPECT_EQ(zero.GetName(), "0");
  EXPECT_EQ(doors.GetName(), "Doors");
  EXPECT_TRUE(walls.IsOn());
  EXPECT_FALSE(walls.IsFrozen());
  for (const auto& layer : dialog.Layers()) EXPECT_FALSE(layer->IsMarkedDeleted()) << layer->GetName();

  // Locking the current layer only warns.
  EXPECT_EQ(dialog.SetLocked(walls, true), "Warning!\nLocked the current layer!");
  EXPECT_TRUE(walls.IsLocked());
  // A frozen layer cannot become current; a thawed one can.
  ASSERT_EQ(dialog.SetFrozen(doors, true), "");
  EXPECT_EQ(dialog.MakeCurrent(doors), "Can't set the frozen layer to current layer!");
  EXPECT_EQ(dialog.CurrentLayer(), &walls);
  EXPECT_EQ(dialog.MakeCurrent(zero), "");
  EXPECT_EQ(dialog.CurrentLabel(), "Current Layer: 0");
  // Its own name in another case is no duplicate.
  EXPECT_EQ(dialog.Rename(doors, "DOORS"), "");
}

TEST_F(LayerDialogTest, NewLayersTakeTheNextFreeNameAndTheShownLayersProperties) {
  FcLayer& empty = *Row(dialog, "Empty");
  ASSERT_EQ(dialog.Rename(empty, "layer1"), "");
  FcLayer& walls = *Row(dialog, "Walls");
  dialog.SetColor(walls, 30);
  FcLayer* created = dialog.NewLayer();
  EXPECT_EQ(created->GetName(), "Layer2");
  EXPECT_EQ(created->GetHandle(), 0u);
  EXPECT_EQ(created->GetColor(), 30);

  dialog.ShowDetails(created);
  ASSERT_EQ(dialog.Rename(*created, "defpoints"), "");
  EXPECT_FALSE(created->IsPlottable());
  dialog.SetPlottable(*created, true);
  EXPECT_FALSE(created->IsPlottable());

  // A colour that two layers use is listed twice, after the seven named ones.
  std::vector<std::string> texts;
  for (const auto& choice : dialog.ColorChoices()) texts.push_back(choice.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Red", "Yellow", "Green", "Cyan", "Blue", "Magenta", "White",
                                             "Color 30", "Color 30", "Others..."}));
  dialog.SetColor(walls, 0);
  dialog.SetColor(walls, 256);
  EXPECT_EQ(walls.GetColor(), 30);
}

TEST_F(LayerDialogTest, OkWritesTheWorkingCopyBack) {
  FcLayer& walls = *Row(dialog, "Walls");
  const FcHandle emptyHandle = Row(dialog, "Empty")->GetHandle();
  const FcHandle wallsHandle = walls.GetHandle();
  ASSERT_EQ(dialog.Delete(*Row(dialog, "Empty")), "");
  // The deleted layer's name is free again for another layer.
  ASSERT_EQ(dialog.Rename(walls, "empty"), "");
  FcLayer* created = dialog.NewLayer();
  ASSERT_EQ(dialog.MakeCurrent(*created), "");
  FcLayer* dropped = dialog.NewLayer();
  ASSERT_EQ(dialog.Delete(*dropped), "");
  const FcHandle seed = graph.GetHandleSeed();

  dialog.Apply();
  EXPECT_EQ(DrawingLayerNames(), (std::vector<std::string>{"0", "Doors", "empty", "Layer1"}));
  EXPECT_EQ(graph.GetLayerList().FindByHandle(emptyHandle), nullptr);
  EXPECT_EQ(graph.GetLayerList().FindByName("empty")->GetHandle(), wallsHandle);
  const FcLayer* current = graph.GetCurrentLayer();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->GetName(), "Layer1");
  EXPECT_EQ(current->GetHandle(), seed);
  EXPECT_EQ(graph.GetSysVars().clayer.str(), "Layer1");
  EXPECT_EQ(dialog.m_nRegen, CLayerSetDlg::kRefreshNone);
}

TEST(LayerDialogRefreshTest, TheRefreshFollowsWhatChanged) {
  struct Case {
    const char* what;
    void (*change)(CLayerSetDlg&, FcLayer&);
    int refresh;
  };
  const Case cases[] = {
      {"rename and lock", [](CLayerSetDlg& d, FcLayer& l) { d.Rename(l, "Other"), d.SetLocked(l, true); },
       CLayerSetDlg::kRefreshNone},
      {"off", [](CLayerSetDlg& d, FcLayer& l) { d.SetOn(l, false); }, CLayerSetDlg::kRefreshLayerDisplay},
      {"frozen", [](CLayerSetDlg& d, FcLayer& l) { d.SetFrozen(l, true); }, CLayerSetDlg::kRefreshRegen},
      {"linetype", [](CLayerSetDlg& d, FcLayer& l) { d.SetLinetype(l, d.LinetypeChoices().back().handle); },
       CLayerSetDlg::kRefreshRegen},
      // Hidden entities keep the colour they were drawn with: showing the
      // layer again later must not bring back the old colour.
      {"off and coloured", [](CLayerSetDlg& d, FcLayer& l) { d.SetOn(l, false), d.SetColor(l, 3); },
       CLayerSetDlg::kRefreshRegen},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    graph.FindOrCreateLayer("Doors");
    graph.GetOrCreateLinetype("Dashed");
    CLayerSetDlg dialog;
    dialog.m_pGraph = &graph;
    dialog.Load();
    c.change(dialog, *Row(dialog, "Doors"));
    dialog.Apply();
    EXPECT_EQ(dialog.m_nRegen, c.refresh) << c.what;
  }
}

TEST_F(LayerDialogTest, LinetypeChoicesLeaveTheMarkersOut) {
  std::vector<std::string> names;
  for (const auto& choice : dialog.LinetypeChoices()) names.push_back(choice.name);
  EXPECT_EQ(names, std::vector<std::string>{"Continuous"});
  EXPECT_EQ(dialog.LinetypeName(0), "Continuous");
  EXPECT_EQ(dialog.LinetypeName(0xFFFFFF), "Continuous");
}

class LayerCommandTest : public CommandScriptTest {
 protected:
  ScriptedDialogs dialogs_;

  std::vector<std::string> LayerNames() {
    return script_.OnWindowThread([this] {
      std::vector<std::string> names;
      const FcLayerList& table = script_.Drawing().GetLayerList();
      for (int i = 0; i < table.GetCount(); ++i) names.push_back(table.GetAt(i)->GetName());
      return names;
    });
  }
};

TEST_F(LayerCommandTest, CancelChangesNothingAndRecordsNothing) {
  dialogs_.Answer<CLayerSetDlg>([](CLayerSetDlg& dialog) {
    FcLayer* created = dialog.NewLayer();
    dialog.Rename(*created, "Draft");
    dialog.MakeCurrent(*created);
    dialog.Rename(*Row(dialog, "Draft"), "Final");
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"Layer"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(LayerNames(), std::vector<std::string>{"0"});
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(LayerCommandTest, OkIsOneUndoStepAndTurningOffHidesTheLayersEntities) {
  ASSERT_TRUE(script_.Run({"line", "0,0", "10,10", ""}));
  ASSERT_EQ(EntitiesOf<FcLine>().size(), 1u);
  const FcHandle line = EntitiesOf<FcLine>()[0]->GetHandle();
  dialogs_.Answer<CLayerSetDlg>([](CLayerSetDlg& dialog) {
    FcLayer* created = dialog.NewLayer();
    dialog.MakeCurrent(*created);
    dialog.SetOn(*Row(dialog, "0"), false);
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Layer"}));
  EXPECT_EQ(LayerNames(), (std::vector<std::string>{"0", "Layer1"}));
  EXPECT_EQ(UndoNames().back(), "Layer");
  // The line's display group is hidden, not dropped by a regeneration.
  const int shown = script_.OnWindowThread([this, line] {
    const FcDsGroupEnts* group = FindDisplayGroup(script_.Drawing().GetDisplaySurface(), line);
    return group == nullptr ? -1 : group->visible ? 1 : 0;
  });
  EXPECT_EQ(shown, 0);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Layer");
  EXPECT_EQ(LayerNames(), std::vector<std::string>{"0"});
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().clayer.str(); }), "0");
}

}  // namespace
