#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "commands/dialogs/att_def_dlg.h"
#include "commands/dialogs/att_edt_dlg.h"
#include "commands/dialogs/att_ext_dlg.h"
#include "commands/dialogs/attribute_edit_dlg.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/property_list.h"
#include "entities/attribute.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

TEST(AttributeDialogsTest, EnterInTheGridMovesToTheNextValueEscDropsItAndOkWritesTheValuesBack) {
  GuiApplication();
  FcAttributeDef room, owner;
  room.SetTag("ROOM");
  room.SetPrompt("Room number");
  owner.SetTag("OWNER");
  owner.SetPrompt("Owner");
  FcEntitySets definitions(4);
  definitions.Add(&room);
  definitions.Add(&owner);
  // The block lists its definitions in another order than the reference
  // its attributes; each row still shows the prompt of its own tag.
  FcAttribute first, second;
  first.SetTag("OWNER");
  first.SetText("KIM");
  second.SetTag("ROOM");
  second.SetText("B7");
  std::vector<FcAttribute*> attributes{&first, &second};
  CAttributeEditDlg data;
  data.m_pAttributes = &attributes;
  data.m_pAttributeDefs = &definitions;
  data.m_strBlockName = "DOOR";

  int rowAfterEnter = -1;
  QString heading, title;
  std::vector<std::string> names;
  bool openAfterEsc = false;
  int limit = 0;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    heading = dialog.findChild<QLabel*>(QStringLiteral("heading"))->text();
    auto* grid = dialog.findChild<CPropertyList*>(QStringLiteral("grid"));
    for (int row = 0; row < grid->Rows().Count(); ++row) names.push_back(grid->Rows().Item(row).name);
    QApplication::setActiveWindow(&dialog);
    grid->setFocus();
    grid->setCurrentRow(1);
    auto* edit = grid->findChild<QLineEdit*>(QStringLiteral("propertyEdit"));
    limit = edit->maxLength();
    edit->setText(QStringLiteral("LEE"));
    dialog.accept();
    rowAfterEnter = grid->currentRow();
    // Esc in the next row's editor drops what was typed there and leaves
    // the dialog open.
    edit->setText(QStringLiteral("C9"));
    dialog.reject();
    openAfterEsc = dialog.isVisible();
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->setFocus();
    ok->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  definitions.RemoveAll(false);
  EXPECT_EQ(title, QStringLiteral("Input attribute value"));
  EXPECT_EQ(heading, QStringLiteral("Block name: DOOR"));
  EXPECT_EQ(names, (std::vector<std::string>{"TAG[Prompt]", "OWNER[Owner]", "ROOM[Room number]"}));
  EXPECT_EQ(rowAfterEnter, 2);
  EXPECT_TRUE(openAfterEsc);
  EXPECT_EQ(limit, 4095);
  EXPECT_EQ(first.GetText(), "LEE");
  EXPECT_EQ(second.GetText(), "B7");
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

