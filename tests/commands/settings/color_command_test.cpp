#include <gtest/gtest.h>

#include "commands/dialogs/color_sel_dlg.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"

namespace {

class ColorCommandTest : public CommandScriptTest {
 protected:
  int CurrentColor() {
    return script_.OnWindowThread([this] { return static_cast<int>(script_.Drawing().GetSysVars().cecolor); });
  }
  void SetCurrent(int color, int layerColor) {
    script_.OnWindowThread([&] {
      script_.Drawing().GetSysVars().cecolor = static_cast<short>(color);
      script_.Drawing().GetCurrentLayer()->SetColor(static_cast<short>(layerColor));
      return 0;
    });
  }

  ScriptedDialogs dialogs_;
};

TEST_F(ColorCommandTest, OkStoresAColourOfTheRangeAndNothingElseChanges) {
  struct Case {
    int answer;
    int endCode;
    int stored;
  };
  const Case cases[] = {
      {256, CModalDialog::kOk, 256},
      {0, CModalDialog::kOk, 0},
      {42, CModalDialog::kOk, 42},
      {42, CModalDialog::kCancel, 5},
      // The dialog does not check what it returns; the command does.
      {257, CModalDialog::kOk, 5},
      {-1, CModalDialog::kOk, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    SetCurrent(5, 3);
    short shownColor = -1;
    short shownLayerColor = -1;
    dialogs_.Answer<CColorSelDlg>([&](CColorSelDlg& dialog) {
      shownColor = dialog.m_nColor;
      shownLayerColor = dialog.m_nLayerColor;
      dialog.m_nColor = static_cast<short>(c.answer);
      return c.endCode;
    });
    ASSERT_TRUE(RunScript(script_, "Color", {}));
    EXPECT_EQ(shownColor, 5);
    EXPECT_EQ(shownLayerColor, 3);
    EXPECT_EQ(CurrentColor(), c.stored);
  }
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_TRUE(Printed().empty());
}

}  // namespace
