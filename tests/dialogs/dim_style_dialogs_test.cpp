#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "commands/dialogs/dim_style_dlg.h"
#include "commands/dialogs/dim_style_mng_dlg.h"
#include "commands/dialogs/new_dim_style_dlg.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/dim_page_controls.h"
#include "entities/dimension_arrow_choice.h"
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
    EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("sample")), nullptr);
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

// The sheet opens on the page asked for, each page filled from the style;
// Enter in an edit field applies it and keeps the sheet open; a first
// arrow chosen takes the second along; OK keeps what the pages wrote.
TEST(DimStyleDialogsTest, SheetFillsItsPagesAndWritesEveryChangeBack) {
  GuiApplication();
  FcDimStyle style;
  style.SetName("Plans");
  style.dimgap = -0.625;
  style.dimtih = 0;
  style.dimtoh = 1;
  style.dimcen = -2.5;
  CDimStyleDlg data(style);
  data.m_nFirstPage = CDimStyleDlg::kTextPage;
  QStringList seen;
  bool openAfterEnter = false;
  ModalCloser closer([&](QDialog& dialog) {
    seen << dialog.windowTitle();
    auto* tabs = dialog.findChild<QTabWidget*>();
    seen << tabs->tabText(0) << tabs->tabText(tabs->currentIndex());
    seen << (Child<QCheckBox>(dialog, "frame")->isChecked() ? "framed" : "bare")
         << Child<QLineEdit>(dialog, "offset")->text()
         << (Child<QRadioButton>(dialog, "alignIso")->isChecked() ? "iso" : "not iso");
    auto* height = Child<QLineEdit>(dialog, "textHeight");
    height->setFocus();
    height->setText(QStringLiteral("3.5"));
    QTest::keyClick(height, Qt::Key_Return);
    openAfterEnter = dialog.isVisible() && dialog.result() == 0;
    Child<QRadioButton>(dialog, "alignHorizontal")->click();

    tabs->setCurrentIndex(CDimStyleDlg::kLinesPage);
    seen << Child<QComboBox>(dialog, "centerType")->currentText() << Child<QLineEdit>(dialog, "centerSize")->text()
         << Child<QComboBox>(dialog, "secondArrow")->currentText();
    auto* first = Child<QComboBox>(dialog, "firstArrow");
    seen << (first->itemIcon(0).isNull() ? "no picture" : "picture");
    first->setCurrentIndex(first->findText(QStringLiteral("Dot")));
    first->activated(first->currentIndex());
    seen << Child<QComboBox>(dialog, "secondArrow")->currentText();
    Child<QPushButton>(dialog, "ok")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(seen, (QStringList{"Modify dimension style - Plans", "Line && Arrow", "Text", "framed", "0.625", "iso",
                               "Line", "2.5", "Closed Filled", "picture", "Dot"}));
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(data.m_vars.dimtxt, 3.5);
  EXPECT_EQ(data.m_vars.dimtih, 1);
  EXPECT_EQ(data.m_vars.dimtoh, 1);
  EXPECT_EQ(data.m_vars.dimblk1.str() + data.m_vars.dimblk2.str(), "_Dot_Dot");
  EXPECT_EQ(data.m_vars.dimgap, -0.625);
  EXPECT_EQ(data.m_vars.dimcen, -2.5);
}

// "..." ends the sheet with its own code, the list's text style taken.
TEST(DimStyleDialogsTest, TextStylesButtonClosesTheSheetWithItsCode) {
  GuiApplication();
  FcDimStyle style;
  CDimStyleDlg data(style);
  data.m_text.m_textStyles = {"Notes", "standard"};
  data.m_nFirstPage = CDimStyleDlg::kTextPage;
  ModalCloser closer([&](QDialog& dialog) {
    Child<QComboBox>(dialog, "textStyle")->setCurrentIndex(0);
    Child<QPushButton>(dialog, "editTextStyles")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CDimStyleDlg::kTextStyles);
  EXPECT_EQ(data.m_text.m_strTextStyle, "Notes");
}

// A page's colour list writes the chosen colour into its member and tells
// the page; "Others..." starts from the list's own colour, and Cancel there
// keeps it.
// A page that only counts what it is told.
class CountingPage : public DimPageWidget {
 public:
  CountingPage() : DimPageWidget(nullptr) {}
  int applied = 0;

 protected:
  void Apply() override { ++applied; }
};

TEST(DimStyleDialogsTest, PageColourListWritesTheMemberAndOthersStartsFromIt) {
  GuiApplication();
  int color = 5;
  int changes = 0;
  CountingPage page;
  page.SetOnChange([&] { ++changes; });
  ColorComboBox* list = NewDimColorList("color", color, &page);
  list->activated(list->findText(QStringLiteral("Red")));
  EXPECT_EQ(color, 1);
  QString startedFrom;
  ModalCloser closer([&](QDialog& select) {
    startedFrom = Child<QLineEdit>(select, "selectedColor")->text();
    return QDialog::Rejected;
  });
  list->activated(list->count() - 1);
  EXPECT_EQ(startedFrom, QStringLiteral("Red"));
  EXPECT_EQ(color, 1);
  EXPECT_EQ(list->currentText(), QStringLiteral("Red"));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(page.applied, 2);
}

// "User Arrow..." lets the user pick one of the drawing's blocks for the
// list's arrow; Cancel there keeps the arrow the list had.
TEST(DimStyleDialogsTest, UserArrowPicksABlockOfTheDrawing) {
  GuiApplication();
  FcGraph graph;
  ASSERT_TRUE(PrepareDimArrow(graph, "_Dot").has_value());
  FcDimStyle style;
  style.SetGraph(&graph);
  CDimStyleDlg data(style);
  QStringList seen;
  ModalCloser closer([&](QDialog& dialog) {
    auto* leader = Child<QComboBox>(dialog, "leaderArrow");
    const int userArrow = leader->findText(QStringLiteral("User Arrow..."));
    for (const bool pick : {false, true}) {
      ModalCloser select([&](QDialog& blocks) {
        seen << Child<QComboBox>(blocks, "names")->currentText();
        if (!pick) return static_cast<int>(QDialog::Rejected);
        Child<QComboBox>(blocks, "names")->setCurrentIndex(0);
        blocks.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return blocks.result();
      });
      leader->setCurrentIndex(userArrow);
      leader->activated(userArrow);
      seen << leader->currentText();
    }
    Child<QPushButton>(dialog, "ok")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(seen, (QStringList{"", "Closed Filled", "", "Dot"}));
  EXPECT_EQ(data.m_vars.dimldrblk.str(), "_Dot");
}

}  // namespace
