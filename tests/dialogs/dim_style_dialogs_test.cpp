#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "commands/dialogs/dim_style_mng_dlg.h"
#include "commands/dialogs/new_dim_style_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

// The list shows the selection it was given; another entry chosen and
// "Modify" clicked closes with that code and the new selection.
TEST(DimStyleDialogsTest, ManagerSelectsAndClosesWithTheButtonsCode) {
  GuiApplication();
  CDimStyleMngDlg data;
  data.m_names = {"ISO-25", "Plans"};
  data.m_strSelected = "ISO-25";
  QString shown;
  ModalCloser closer([&](QDialog& dialog) {
    auto* names = Child<QListWidget>(dialog, "names");
    shown = names->currentItem()->text();
    names->setCurrentRow(1);
    Child<QPushButton>(dialog, "modify")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CDimStyleMngDlg::kModify);
  EXPECT_EQ(shown, QStringLiteral("ISO-25"));
  EXPECT_EQ(data.m_strSelected, "Plans");
}

TEST(DimStyleDialogsTest, NewStyleFollowsTheBaseAndWritesBack) {
  GuiApplication();
  CNewDimStyleDlg data;
  data.m_names = {"ISO-25", "Plans"};
  data.m_strBaseName = "ISO-25";
  data.OnInitDialog();
  QString proposed;
  ModalCloser closer([&](QDialog& dialog) {
    Child<QComboBox>(dialog, "base")->setCurrentIndex(1);
    auto* name = Child<QLineEdit>(dialog, "name");
    proposed = name->text();
    name->setText(QStringLiteral(" Details "));
    Child<QPushButton>(dialog, "ok")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(proposed, QStringLiteral("Copy Plans"));
  EXPECT_EQ(data.m_strBaseName, "Plans");
  EXPECT_EQ(data.m_strNewName, "Details");
}

}  // namespace
