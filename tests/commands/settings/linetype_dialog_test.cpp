#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/layer_set_dlg.h"
#include "commands/dialogs/linetype_dlg.h"
#include "commands/dialogs/linetype_sel_dlg.h"
#include "commands/dialogs/load_ltype_dlg.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/temp_dir.h"

namespace {

using Reload = CLoadLTypeDlg::Reload;

// Three linetypes; "Dashed" and "Hidden" differ from the drawing's own.
constexpr const char* kFile =
    "*DASHED,Dashed __ __\nA,.5,-.25\n"
    "*CENTER,Center ____ _ ____\nA,1.25,-.25,.25,-.25\n"
    "*HIDDEN,Hidden - - -\nA,.25,-.125\n";

// A drawing with "Dashed" (current) and "Hidden" besides the three every
// drawing has.
class LinetypeDialogTest : public testing::Test {
 protected:
  LinetypeDialogTest() {
    graph.GetOrCreateLinetype("Dashed")->SetPattern("1,-1");
    graph.GetOrCreateLinetype("Hidden")->SetPattern("2,-2");
    graph.SetCurrentLinetype("Dashed");
    dialog.m_pGraph = &graph;
    dialog.Load();
    load.m_pTable = &dialog.m_table;
    load.ReadFile(file.Write("test.lin", kFile));
  }

  int Row(const std::string& name) const { return dialog.m_table.FindByName(name); }
  std::vector<std::string> Names(const FcLinetypeList& table) const {
    std::vector<std::string> names;
    for (int i = 0; i < table.GetCount(); ++i) names.push_back(table.GetAt(i)->GetName());
    return names;
  }
  void SelectAll() { load.m_selected.assign(load.m_selected.size(), true); }

  TempDir file;
  FcGraph graph;
  CLineTypeDlg dialog;
  CLoadLTypeDlg load;
};

TEST_F(LinetypeDialogTest, RenamingChecksTheNameAndFollowsTheCurrentLinetype) {
  struct Case {
    const char* name;
    const char* refusal;
  };
  const Case cases[] = {
      {"", "Invalid linetype name!"},
      {"Long-dash", "Invalid linetype name!"},
      {"HIDDEN", "Duplicate linetype name!"},
      {"continuous", "Duplicate linetype name!"},
      {"-", ""},
      {"-dash_2", ""},
  };
  const int dashed = Row("Dashed");
  for (const Case& c : cases) EXPECT_EQ(dialog.Rename(dashed, c.name), c.refusal) << c.name;
  EXPECT_EQ(dialog.m_strCurLinetype, "-dash_2");
  EXPECT_EQ(dialog.CurrentLabel(), "Current Linetype: -dash_2");
  EXPECT_EQ(dialog.Rename(Row("Hidden"), "Hid"), "");
  EXPECT_EQ(dialog.m_strCurLinetype, "-dash_2");
  for (const char* fixed : {"ByLayer", "ByBlock", "Continuous"})
    EXPECT_EQ(dialog.Rename(Row(fixed), "Other"),
              "Can't rename the linetype!\nYou can't rename the follow linetype:\nBylayer,ByBlock and Continuous.");
  // Nothing reaches the drawing before OK.
  EXPECT_EQ(Names(graph.GetLinetypeList()),
            (std::vector<std::string>{"ByLayer", "ByBlock", "Continuous", "Dashed", "Hidden"}));
}

TEST_F(LinetypeDialogTest, CurrentWantsExactlyOneRowAndScalesMustBeNumbers) {
  EXPECT_EQ(dialog.MakeCurrent({}), "Please select one linetype which you want to set current linetype.");
  EXPECT_EQ(dialog.MakeCurrent({2, 3}),
            "Can't set more than one linetypes to current linetype!\nPlease select one linetype.");
  EXPECT_EQ(dialog.MakeCurrent({Row("Hidden")}), "");
  EXPECT_EQ(dialog.m_strCurLinetype, "Hidden");

  EXPECT_NE(dialog.SetScales("2", "x"), "");
  EXPECT_EQ(dialog.SetScales("2", "1"), "");
  EXPECT_FALSE(dialog.m_bScaleChanged);
  // A scale of 0 is not stored, but it differs and so asks for a regeneration.
  EXPECT_EQ(dialog.SetScales("0.5", "0"), "");
  EXPECT_TRUE(dialog.m_bScaleChanged);
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().ltscale, 1.0);
  EXPECT_EQ(graph.GetSysVars().celtscale, 0.5);
  EXPECT_EQ(graph.GetSysVars().celtype.str(), "Hidden");
}

TEST_F(LinetypeDialogTest, NoToAllSkipsEveryLoadedNameButAddsNewOnes) {
  SelectAll();
  std::vector<std::string> asked;
  load.LoadSelected([&](const std::string& name) {
    asked.push_back(name);
    return Reload::kNoToAll;
  });
  EXPECT_EQ(asked, std::vector<std::string>{"DASHED"});
  ASSERT_GE(Row("Center"), 0);
  EXPECT_DOUBLE_EQ(dialog.m_table.GetAt(Row("Hidden")).GetElement(0), 50.8);
  EXPECT_EQ(load.ReloadQuestion("DASHED"), "Linetype DASHED is already loaded. Reload it?");
}

TEST_F(LinetypeDialogTest, CancelStopsTheLoadAndKeepsWhatCameBefore) {
  SelectAll();
  std::vector<std::string> asked;
  load.LoadSelected([&](const std::string& name) {
    asked.push_back(name);
    return asked.size() == 1 ? Reload::kYes : Reload::kCancel;
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"DASHED", "HIDDEN"}));
  EXPECT_DOUBLE_EQ(dialog.m_table.GetAt(Row("Dashed")).GetElement(0), 12.7);
  EXPECT_DOUBLE_EQ(dialog.m_table.GetAt(Row("Hidden")).GetElement(0), 50.8);
  ASSERT_GE(Row("Center"), 0);
}

TEST_F(LinetypeDialogTest, OkWritesReloadedLinetypesUnderTheirOwnHandles) {
  const FcHandle dashed = graph.GetLinetypeList().FindByName("Dashed")->GetHandle();
  const FcHandle seed = graph.GetHandleSeed();
  SelectAll();
  load.LoadSelected([](const std::string&) { return Reload::kYesToAll; });
  ASSERT_EQ(dialog.Rename(Row("Center"), "Axis"), "");
  dialog.Apply();
  const FcLineType* reloaded = graph.GetLinetypeList().FindByHandle(dashed);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_EQ(reloaded->GetName(), "DASHED");
  EXPECT_DOUBLE_EQ(reloaded->GetElement(0), 12.7);
  const FcLineType* added = graph.GetLinetypeList().FindByName("Axis");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->GetHandle(), seed);
  EXPECT_EQ(graph.GetLinetypeList().GetCount(), 6);
}

TEST_F(LinetypeDialogTest, ALayerTakesALinetypeLoadedForIt) {
  graph.FindOrCreateLayer("Walls");
  CLayerSetDlg layers;
  layers.m_pGraph = &graph;
  layers.Load();
  CLinetypeSelDlg chooser;
  chooser.m_pTable = &layers.m_linetypes;
  std::vector<std::string> listed;
  for (int row : chooser.Rows()) listed.push_back(chooser.m_pTable->GetAt(row).GetName());
  EXPECT_EQ(listed, (std::vector<std::string>{"Continuous", "Dashed", "Hidden"}));

  load.m_pTable = &layers.m_linetypes;
  load.m_selected = {false, true, false};
  load.LoadSelected([](const std::string&) { return Reload::kCancel; });
  FcLayer* walls = layers.Layers()[1].get();
  ASSERT_EQ(walls->GetName(), "Walls");
  layers.SetLinetype(*walls, layers.LinetypeChoices().back().handle);
  EXPECT_EQ(layers.LinetypeName(walls->GetLinetypeHandle()), "CENTER");
  layers.Apply();
  const FcLayer* written = graph.GetLayerList().FindByName("Walls");
  ASSERT_NE(written->GetLinetype(), nullptr);
  EXPECT_EQ(written->GetLinetype()->GetName(), "CENTER");
}

class LinetypeCommandTest : public CommandScriptTest {
 protected:
  ScriptedDialogs dialogs_;

  double GlobalScale() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().ltscale; }); }
  std::string Current() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().celtype.str(); }); }
  int Count() { return script_.OnWindowThread([this] { return script_.Drawing().GetLinetypeList().GetCount(); }); }
};

TEST_F(LinetypeCommandTest, OkIsOneUndoStepAndCancelRecordsNothing) {
  TempDir file;
  const std::string path = file.Write("test.lin", kFile);
  const int before = Count();
  dialogs_.Answer<CLineTypeDlg>([](CLineTypeDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"linetype"}));
  EXPECT_TRUE(UndoNames().empty());

  dialogs_.Answer<CLineTypeDlg>([&path](CLineTypeDlg& dialog) {
    CLoadLTypeDlg load;
    load.m_pTable = &dialog.m_table;
    load.ReadFile(path);
    load.m_selected = {true, false, false};
    load.LoadSelected([](const std::string&) { return Reload::kCancel; });
    dialog.MakeCurrent({dialog.m_table.FindByName("Dashed")});
    dialog.SetScales("1", "3");
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"linetype"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(Count(), before + 1);
  EXPECT_EQ(Current(), "DASHED");
  EXPECT_EQ(GlobalScale(), 3.0);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"linetype"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : linetype");
  EXPECT_EQ(Count(), before);
  EXPECT_EQ(Current(), "ByLayer");
  EXPECT_EQ(GlobalScale(), 1.0);
}

TEST_F(LinetypeCommandTest, ALinetypeLoadedForALayerIsUndoneWithTheLayers) {
  TempDir file;
  const std::string path = file.Write("test.lin", kFile);
  const int before = Count();
  dialogs_.Answer<CLayerSetDlg>([&path](CLayerSetDlg& dialog) {
    CLoadLTypeDlg load;
    load.m_pTable = &dialog.m_linetypes;
    load.ReadFile(path);
    load.m_selected = {false, true, false};
    load.LoadSelected([](const std::string&) { return Reload::kCancel; });
    dialog.SetLinetype(*dialog.Layers()[0], dialog.LinetypeChoices().back().handle);
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Layer"}));
  EXPECT_EQ(Count(), before + 1);
  const std::string linetype = script_.OnWindowThread([this] {
    const FcLineType* record = script_.Drawing().GetLayerList().FindByName("0")->GetLinetype();
    return record != nullptr ? record->GetName() : std::string();
  });
  EXPECT_EQ(linetype, "CENTER");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Layer");
  EXPECT_EQ(Count(), before);
}

}  // namespace
