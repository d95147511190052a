#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QFileDialog>

#include "commands/dialogs/block_def_dlg.h"
#include "commands/dialogs/insert_blk_dlg.h"
#include "commands/dialogs/save_dwg_dlg.h"
#include "commands/dialogs/select_blk_dlg.h"
#include "database/block.h"
#include "database/graph.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(BlockDialogWidgetsTest, BlockDefineShowsItsMembersAndAPickButtonTakesTheBoxesButNotTheBasePoint) {
  GuiApplication();
  CBlkDefDlg data;
  data.m_ptBase = {3.0, 4.0};
  data.m_strName = "GATE";
  QString title, count, shownX, name;
  bool warned = false;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    count = Child<QLabel>(dialog, "count")->text();
    warned = Child<QLabel>(dialog, "warning")->isVisibleTo(&dialog);
    name = Child<QComboBox>(dialog, "name")->currentText();
    QLineEdit* x = Child<QLineEdit>(dialog, "x");
    shownX = x->text();
    x->setText(QStringLiteral("5"));
    Child<QPushButton>(dialog, "selectObjects")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CBlkDefDlg::kSelectObjects);
  EXPECT_EQ(title, QStringLiteral("Block define"));
  EXPECT_EQ(count, QStringLiteral("No selected object!"));
  EXPECT_TRUE(warned);
  EXPECT_EQ(name, QStringLiteral("GATE"));
  EXPECT_EQ(shownX, QStringLiteral("3"));
  EXPECT_DOUBLE_EQ(data.m_dBaseX, 5.0);
  EXPECT_DOUBLE_EQ(data.m_ptBase.x, 3.0);
}

TEST(BlockDialogWidgetsTest, InsertBlockEnablesThePlacementBoxesOnlyWhenNotPlacedOnTheScreen) {
  GuiApplication();
  FcGraph graph;
  graph.GetBlockList().AddNew()->SetName("DOOR");
  CInsertBlkDlg data;
  data.m_pGraph = &graph;
  data.m_bOnScreen = 1;
  bool pointOnScreen = true, scaleYOnScreen = true, pointTyped = false, scaleYSame = true;
  QString okText;
  ModalCloser closer([&](QDialog& dialog) {
    pointOnScreen = Child<QLineEdit>(dialog, "insertX")->isEnabled();
    scaleYOnScreen = Child<QLineEdit>(dialog, "scaleY")->isEnabled();
    Child<QCheckBox>(dialog, "onScreen")->setChecked(false);
    Child<QCheckBox>(dialog, "sameScale")->setChecked(true);
    pointTyped = Child<QLineEdit>(dialog, "insertX")->isEnabled();
    scaleYSame = Child<QLineEdit>(dialog, "scaleY")->isEnabled();
    Child<QComboBox>(dialog, "name")->setEditText(QStringLiteral("DOOR"));
    Child<QLineEdit>(dialog, "scaleX")->setText(QStringLiteral("2"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Insert")) {
        okText = button->text();
        button->click();
      }
    }
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_FALSE(pointOnScreen);
  EXPECT_FALSE(scaleYOnScreen);
  EXPECT_TRUE(pointTyped);
  EXPECT_FALSE(scaleYSame);
  EXPECT_EQ(okText, QStringLiteral("Insert"));
  EXPECT_EQ(data.m_strName, "DOOR");
  EXPECT_EQ(data.m_bOnScreen, 0);
  EXPECT_DOUBLE_EQ(data.m_dScaleX, 2.0);
}

TEST(BlockDialogWidgetsTest, SelectBlockOffersNothingToChooseInADrawingWithoutBlocks) {
  GuiApplication();
  FcGraph graph;
  CSelectBlkDlg data;
  data.m_pGraph = &graph;
  bool okEnabled = true;
  ModalCloser closer([&](QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().contains(QStringLiteral("OK"))) okEnabled = button->isEnabled();
    }
    return QDialog::Rejected;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kCancel);
  EXPECT_FALSE(okEnabled);
}

TEST(BlockDialogWidgetsTest, TheSaveDialogsTypeChangesTheExtensionAndEnablesTheBinarySwitch) {
  GuiApplication();
  TempDir folder;
  CSaveDWGDlg data;
  data.m_strFileName = folder.path() + "plan.dwg";
  bool binaryForDwg = true, binaryForDxf = false;
  QString renamed;
  ModalCloser closer([&](QDialog& dialog) {
    auto* binary = Child<QCheckBox>(dialog, "binaryDxf");
    binaryForDwg = binary->isEnabled();
    auto* types = Child<QComboBox>(dialog, "fileTypeCombo");
    types->setCurrentIndex(1);
    emit types->activated(1);
    emit types->textActivated(types->itemText(1));
    binaryForDxf = binary->isEnabled();
    renamed = Child<QLineEdit>(dialog, "fileNameEdit")->text();
    binary->setChecked(false);
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_FALSE(binaryForDwg);
  EXPECT_TRUE(binaryForDxf);
  EXPECT_EQ(renamed, QStringLiteral("plan.dxf"));
  EXPECT_EQ(data.m_nFilterIndex, CSaveDWGDlg::kDxfType);
  EXPECT_EQ(data.ChosenKind(), FcFileKind::kAsciiDxf);
  EXPECT_EQ(data.m_strPathName, folder.path() + "plan.dxf");
}

}  // namespace

