#include <gtest/gtest.h>

#include <QSettings>
#include <string>
#include <vector>

#include "commands/dialogs/select_condition_dlg.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "shell/select_objects.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/pickable_script.h"

namespace {

using Rows = std::vector<std::string>;

class SelectConditionDlgTest : public testing::Test {
 protected:
  // A dialog opened on the caller's condition: Line and Arc on WALLS.
  CSelectConditionDlg Opened() {
    caller_.Clear();
    caller_.AddType("Line");
    caller_.AddType("Arc");
    caller_.AddLayer("WALLS");
    CSelectConditionDlg dialog;
    dialog.m_pFilter = &caller_;
    dialog.OnInitDialog();
    return dialog;
  }

  DialogSettingsScope settings_;
  FcEntSelectFilter caller_;
};

TEST_F(SelectConditionDlgTest, TabsEditTheirOwnListAndOnlyOkHandsTheConditionBack) {
  CSelectConditionDlg dialog = Opened();
  EXPECT_EQ(dialog.TabRows(), (Rows{"Line", "Arc"}));

  CAddConditionDlg add;
  add.m_nKind = 0;
  add.m_pFilter = &dialog.m_filter;
  const Rows types = add.AvailableValues();
  ASSERT_EQ(types.size(), 22u);
  EXPECT_EQ(types[19], "Polyline");
  EXPECT_TRUE(add.OnOK({19}));
  EXPECT_FALSE(add.OnOK({0}));  // Line is there already: no change.
  EXPECT_EQ(dialog.m_filter.GetTypes().size(), 3u);

  dialog.m_nTab = CSelectConditionDlg::kColors;
  EXPECT_TRUE(dialog.AddColor(1));
  EXPECT_TRUE(dialog.AddColor(256));
  EXPECT_FALSE(dialog.AddColor(1));
  EXPECT_EQ(dialog.TabRows(), (Rows{"Red", "ByLayer"}));

  dialog.m_nTab = CSelectConditionDlg::kTypes;
  dialog.DeleteRows({0, 2});
  EXPECT_EQ(dialog.TabRows(), (Rows{"Arc"}));
  EXPECT_EQ(dialog.m_filter.GetLayers(), (Rows{"WALLS"}));
  EXPECT_EQ(dialog.m_filter.GetColors().size(), 2u);
  dialog.m_nTab = CSelectConditionDlg::kLayers;
  dialog.ClearTab();
  EXPECT_TRUE(dialog.TabRows().empty());
  EXPECT_TRUE(dialog.CanSave());

  // Not confirmed yet: the caller's condition is as it was.
  EXPECT_EQ(caller_.GetTypes(), (Rows{"Line", "Arc"}));
  dialog.OnOK();
  EXPECT_EQ(caller_.GetTypes(), (Rows{"Arc"}));
  EXPECT_TRUE(caller_.GetLayers().empty());
  EXPECT_EQ(caller_.GetColors().size(), 2u);
}

// Saved conditions: a name in use is replaced only when agreed, and then
// wholly; an empty name saves nothing and deletes nothing; removing one
// keeps the condition being edited.
TEST_F(SelectConditionDlgTest, NamedConditionsAreSavedChosenAndRemoved) {
  CSelectConditionDlg dialog = Opened();
  dialog.m_filter.AddLayer("DOORS");
  EXPECT_EQ(dialog.SaveCondition("walls", false), CSelectConditionDlg::SaveResult::kSaved);
  EXPECT_EQ(dialog.SaveCondition("other", false), CSelectConditionDlg::SaveResult::kSaved);
  EXPECT_EQ(dialog.m_conditions, (Rows{"other", "walls"}));
  EXPECT_EQ(dialog.m_nCondition, 0);

  for (const char* name : {"", "a/b", "a\\b"})
    EXPECT_EQ(dialog.SaveCondition(name, true), CSelectConditionDlg::SaveResult::kRefused) << name;

  CSelectConditionDlg again = Opened();
  EXPECT_EQ(again.m_conditions, (Rows{"other", "walls"}));
  EXPECT_EQ(again.m_nCondition, -1);
  again.m_filter.Clear();
  again.m_filter.AddType("Circle");
  EXPECT_EQ(again.SaveCondition("WALLS", false), CSelectConditionDlg::SaveResult::kAskOverwrite);
  again.ChooseCondition(1);
  EXPECT_EQ(again.m_filter.GetLayers(), (Rows{"WALLS", "DOORS"}));
  again.m_filter.Clear();
  again.m_filter.AddType("Circle");
  EXPECT_EQ(again.SaveCondition("WALLS", true), CSelectConditionDlg::SaveResult::kSaved);
  again.ChooseCondition(0);
  again.ChooseCondition(1);
  EXPECT_EQ(again.m_filter.GetTypes(), (Rows{"Circle"}));
  EXPECT_TRUE(again.m_filter.GetLayers().empty());

  again.RemoveCondition();
  EXPECT_EQ(again.m_conditions, (Rows{"other"}));
  EXPECT_EQ(again.m_filter.GetTypes(), (Rows{"Circle"}));
  CSelectConditionDlg third = Opened();
  EXPECT_EQ(third.m_conditions, (Rows{"other"}));
  EXPECT_FALSE(CSelectConditionDlg().CanSave());
}

}  // namespace

namespace {

class SelectConditionCommandTest : public PickableScriptTest {
 protected:
  SelectConditionCommandTest() { InstallSelectConditionDialog(); }
  ~SelectConditionCommandTest() override { SetSelectConditionEditor(nullptr); }
};

// The selection prompt's CONdition answer runs the dialog on the
// selection's own condition: confirmed, only circles are erased;
// cancelled, the condition does not apply.
TEST_F(SelectConditionCommandTest, ConditionAnswerRunsTheDialog) {
  for (const int endCode : {CModalDialog::kOk, CModalDialog::kCancel}) {
    ScriptedView script;
    ShowPickableWindow(script);
    ASSERT_TRUE(RunScript(script, "line", {"0,0", "10,0", ""}));
    ASSERT_TRUE(RunScript(script, "circle", {"50,50", "5"}));
    ScriptedDialogs dialogs;
    dialogs.Answer<CSelectConditionDlg>([endCode](CSelectConditionDlg& dialog) {
      dialog.OnInitDialog();
      dialog.m_filter.AddType("Circle");
      if (endCode == CModalDialog::kOk) dialog.OnOK();
      return endCode;
    });
    ASSERT_TRUE(RunScript(script, "erase", {"con", "all", ""}));
    EXPECT_TRUE(EntitiesIn<FcCircle>(script).empty());
    EXPECT_EQ(EntitiesIn<FcLine>(script).size(), endCode == CModalDialog::kOk ? 1u : 0u);
    EXPECT_EQ(dialogs.Unexpected(), 0);
  }
}

}  // namespace
