#include <gtest/gtest.h>

#include <string>

#include "shell/modal_dialog.h"
#include "shell/testing/scripted_dialogs.h"

namespace {

struct NameDlg : CModalDialog {
  std::string name;
};
struct OtherDlg : CModalDialog {};

TEST(ModalDialogTest, WithoutAWindowADialogIsCancelledAndItsMembersStay) {
  NameDlg dialog;
  dialog.name = "kept";
  EXPECT_EQ(RunModalDialog(dialog), CModalDialog::kCancel);
  EXPECT_EQ(dialog.name, "kept");
}

TEST(ModalDialogTest, ScriptedAnswersFillTheDialogsInOrderAndSurprisesAreCounted) {
  ScriptedDialogs dialogs;
  dialogs.Answer<NameDlg>([](NameDlg& dialog) {
    dialog.name += " and changed";
    return CModalDialog::kOk;
  });
  dialogs.Answer<NameDlg>([](NameDlg&) { return 1243; });

  NameDlg first;
  first.name = "given";
  EXPECT_EQ(RunModalDialog(first), CModalDialog::kOk);
  EXPECT_EQ(first.name, "given and changed");

  OtherDlg wrongType;
  EXPECT_EQ(RunModalDialog(wrongType), CModalDialog::kCancel);
  NameDlg unanswered;
  EXPECT_EQ(RunModalDialog(unanswered), CModalDialog::kCancel);
  EXPECT_EQ(dialogs.Shown(), 3);
  EXPECT_EQ(dialogs.Unexpected(), 2);
  EXPECT_EQ(dialogs.AnswersLeft(), 0);
}

TEST(ModalDialogTest, AButtonThatEndsTheDialogComesBackAsItsCode) {
  ScriptedDialogs dialogs;
  dialogs.Answer<NameDlg>([](NameDlg&) { return 1243; });
  NameDlg dialog;
  EXPECT_EQ(RunModalDialog(dialog), 1243);
}

}  // namespace
