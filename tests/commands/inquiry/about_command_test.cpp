#include <gtest/gtest.h>

#include "commands/dialogs/about_dlg.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"

namespace {

class AboutCommandTest : public CommandScriptTest {
 protected:
  ScriptedDialogs dialogs_;
};

TEST_F(AboutCommandTest, AboutRunsTheAboutBoxAndChangesNothing) {
  dialogs_.Answer<CAboutDlg>([](CAboutDlg&) { return CModalDialog::kOk; });
  ASSERT_TRUE(RunScript(script_, "About", {}));
  EXPECT_EQ(dialogs_.Shown(), 1);
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_TRUE(UndoNames().empty());
}

}  // namespace
