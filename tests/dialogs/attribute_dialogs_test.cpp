#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QTableWidget>
#include <memory>
#include <vector>

#include "commands/dialogs/att_def_dlg.h"
#include "commands/dialogs/att_edt_dlg.h"
#include "commands/dialogs/att_ext_dlg.h"
#include "commands/dialogs/attribute_edit_dlg.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "dialogs/dialog_shows.h"
#include "entities/attribute.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

TEST(AttributeDialogsTest, EnterInTheGridMovesToTheNextValueAndOkWritesTheValuesBack) {
  GuiApplication();
  FcAttributeDef room, owner;
  room.SetTag("ROOM");
  room.SetPrompt("Room number");
  owner.SetTag("OWNER");
  owner.SetPrompt("Owner");
  FcEntitySets definitions(4);
  definitions.Add(&room);
  definitions.Add(&owner);
  FcAttribute first, second;
  first.SetText("B7");
  second.SetText("KIM");
  std::vector<FcAttribute*> attributes{&first, &second};
  CAttributeEditDlg data;
  data.m_pAttributes = &attributes;
  data.m_pAttributeDefs = &definitions;
  data.m_strBlockName = "DOOR";

  int rows = 0, rowAfterEnter = -1;
  QString heading, title;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    heading = dialog.findChild<QLabel*>(QStringLiteral("heading"))->text();
    auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("grid"));
    rows = grid->rowCount();
    QApplication::setActiveWindow(&dialog);
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    grid->item(1, 1)->setText(QStringLiteral("C9"));
    dialog.accept();
    rowAfterEnter = grid->currentRow();
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->setFocus();
    ok->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  definitions.RemoveAll(false);
  EXPECT_EQ(title, QStringLiteral("Input attribute value"));
  EXPECT_EQ(heading, QStringLiteral("Block name: DOOR"));
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(rowAfterEnter, 2);
  EXPECT_EQ(first.GetText(), "C9");
  EXPECT_EQ(second.GetText(), "KIM");
}

TEST(AttributeDialogsTest, AttributeExtractionSelectsObjectsWithTheBoxesTaken) {
  GuiApplication();
  CAttExtDlg data;
  data.m_nFound = 0;
  data.m_strOutputFile = "/tmp/plan.txt";
  QString count;
  bool sdf = true;
  ModalCloser closer([&](QDialog& dialog) {
    count = dialog.findChild<QLabel*>(QStringLiteral("count"))->text();
    sdf = dialog.findChild<QRadioButton*>(QStringLiteral("sdf"))->isChecked();
    dialog.findChild<QRadioButton*>(QStringLiteral("sdf"))->setChecked(true);
    dialog.findChild<QLineEdit*>(QStringLiteral("template"))->setText(QStringLiteral("/tmp/fields.txt"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().startsWith(QStringLiteral("Select Object"))) button->click();
    }
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CAttExtDlg::kSelectObject);
  EXPECT_EQ(count, QStringLiteral("Number found: 0"));
  EXPECT_FALSE(sdf);
  EXPECT_EQ(data.m_nFormat, CAttExtDlg::kSpaceDelimited);
  EXPECT_EQ(data.m_strTemplateFile, "/tmp/fields.txt");
  EXPECT_EQ(data.m_strOutputFile, "/tmp/plan.txt");
}

TEST(AttributeDialogsTest, AttributeDefinitionEnablesOkOnlyForAUsableTagAndGreysVerifyUnderConstant) {
  GuiApplication();
  FcGraph graph;
  CAttDefDlg data;
  data.m_pGraph = &graph;
  data.m_strStyle = "NOT A STYLE";
  QString firstNote, blankNote, style;
  bool okAtFirst = true, okWithBlank = true, verifyUnderConstant = true;
  ModalCloser closer([&](QDialog& dialog) {
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("note"));
    auto* tag = dialog.findChild<QLineEdit*>(QStringLiteral("tag"));
    style = dialog.findChild<QComboBox*>(QStringLiteral("style"))->currentText();
    firstNote = note->text();
    okAtFirst = ok->isEnabled();
    tag->setText(QStringLiteral("A B"));
    emit tag->textEdited(QStringLiteral("a b"));
    blankNote = note->text();
    okWithBlank = ok->isEnabled();
    emit tag->textEdited(QStringLiteral("room"));
    dialog.findChild<QCheckBox*>(QStringLiteral("constant"))->setChecked(true);
    verifyUnderConstant = dialog.findChild<QCheckBox*>(QStringLiteral("verify"))->isEnabled();
    dialog.findChild<QLineEdit*>(QStringLiteral("height"))->setText(QStringLiteral("2.5"));
    ok->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(firstNote, QStringLiteral("Null Tag not allowed!"));
  EXPECT_FALSE(okAtFirst);
  EXPECT_EQ(blankNote, QStringLiteral("Invalid blank is in Tag!"));
  EXPECT_FALSE(okWithBlank);
  EXPECT_FALSE(verifyUnderConstant);
  EXPECT_EQ(style.toStdString(), data.m_strStyle);
  EXPECT_EQ(data.m_strTag, "ROOM");
  EXPECT_EQ(data.m_bConstant, 1);
  EXPECT_DOUBLE_EQ(data.m_dHeight, 2.5);
}

TEST(AttributeDialogsTest, EditingADefinitionShowsItsStyleWithoutRegardToCaseAndTakesTheChosenOne) {
  GuiApplication();
  FcGraph graph;
  FcTextStyleList& styles = graph.GetTextStyleList();
  CAttEdtDlg data;
  data.m_pStyleList = &styles;
  data.m_pStyle = styles.GetAt(0);
  data.m_strTag = "ROOM";
  data.m_dHeight = 2.0;
  QString shown;
  ModalCloser closer([&](QDialog& dialog) {
    shown = dialog.findChild<QComboBox*>(QStringLiteral("style"))->currentText();
    dialog.findChild<QLineEdit*>(QStringLiteral("height"))->setText(QStringLiteral("0"));
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(shown.toStdString(), styles.GetAt(0)->GetName());
  EXPECT_EQ(data.m_pStyle, styles.GetAt(0));
  EXPECT_DOUBLE_EQ(data.m_dHeight, 0.0);
}

}  // namespace

