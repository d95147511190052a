#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "commands/dialogs/hatch_dlg.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/hatch_picture.h"
#include "platform/program_settings.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

// The program's own pattern file.
class HatchDialogTest : public testing::Test {
 protected:
  HatchDialogTest() : saved_(GetProgramSettings()) {
    GuiApplication();
    GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Support";
  }
  ~HatchDialogTest() override { GetProgramSettings() = saved_; }

  ProgramSettings saved_;
};

// A pattern the file lacks is listed and selected without a memo; the
// pattern type switches the boxes; a boundary request takes the boxes.
TEST_F(HatchDialogTest, ShowsItsMembersEnablesByTypeAndBoundaryAndTakesTheBoxesOnARequest) {
  CHatchDlg data;
  data.m_strPattern = "MYOWN";
  data.m_dScale = 2;
  QString title, memo, chosen;
  bool applyEnabled = true, removeEnabled = true, pickEnabled = false, scaleAfter = true, spacingAfter = false;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    memo = Child<QLabel>(dialog, "memo")->text();
    chosen = Child<QComboBox>(dialog, "pattern")->currentText();
    applyEnabled = Child<QPushButton>(dialog, "apply")->isEnabled();
    removeEnabled = Child<QPushButton>(dialog, "removeBoundary")->isEnabled();
    pickEnabled = Child<QPushButton>(dialog, "pickPoint")->isEnabled();
    Child<QComboBox>(dialog, "type")->setCurrentIndex(CHatchDlg::kUserDefined);
    scaleAfter = Child<QLineEdit>(dialog, "scale")->isEnabled();
    spacingAfter = Child<QLineEdit>(dialog, "spacing")->isEnabled();
    Child<QLineEdit>(dialog, "spacing")->setText(QStringLiteral("3"));
    Child<QCheckBox>(dialog, "double")->setChecked(true);
    Child<QPushButton>(dialog, "pickPoint")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CHatchDlg::kPickPoint);
  EXPECT_EQ(title, QStringLiteral("Hatch"));
  EXPECT_EQ(memo, QStringLiteral("No memo"));
  EXPECT_EQ(chosen, QStringLiteral("MYOWN"));
  EXPECT_FALSE(applyEnabled);
  EXPECT_FALSE(removeEnabled);
  EXPECT_TRUE(pickEnabled);
  EXPECT_FALSE(scaleAfter);
  EXPECT_TRUE(spacingAfter);
  EXPECT_EQ(data.m_nPatternType, CHatchDlg::kUserDefined);
  EXPECT_DOUBLE_EQ(data.m_dSpacing, 3.0);
  EXPECT_EQ(data.m_bDouble, 1);
  EXPECT_DOUBLE_EQ(data.m_dScale, 2.0);
  EXPECT_EQ(data.m_strPattern, "MYOWN");
}

// The sheet opens on the page of the selected pattern with it selected,
// the first of its page too, and its choice comes back into the list.
TEST_F(HatchDialogTest, ThePatternSheetOpensOnThePatternsPageAndItsChoiceIsSelected) {
  CHatchDlg data;
  data.m_strPattern = "KOVRA_ISO02W100";
  data.m_nEditMode = 1;
  int page = -1;
  QString selectedOnPage, chosen, memo;
  bool applyEnabled = false;
  ModalCloser closer([&](QDialog& dialog) {
    ModalCloser sheetCloser([&](QDialog& sheet) {
      page = sheet.findChild<QTabWidget*>()->currentIndex();
      auto* list = Child<QListWidget>(sheet, "page1");
      const QList<QListWidgetItem*> selected = list->selectedItems();
      selectedOnPage = selected.isEmpty() ? QString() : selected.front()->text();
      const QList<QListWidgetItem*> next = list->findItems(QStringLiteral("KOVRA_ISO05W100"), Qt::MatchExactly);
      if (!next.isEmpty()) list->setCurrentItem(next.front());
      sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      return sheet.result();
    });
    Child<QPushButton>(dialog, "browse")->click();
    chosen = Child<QComboBox>(dialog, "pattern")->currentText();
    memo = Child<QLabel>(dialog, "memo")->text();
    applyEnabled = Child<QPushButton>(dialog, "apply")->isEnabled();
    Child<QPushButton>(dialog, "apply")->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CHatchDlg::kApply);
  EXPECT_EQ(page, 1);
  EXPECT_EQ(selectedOnPage, QStringLiteral("KOVRA_ISO02W100"));
  EXPECT_EQ(chosen, QStringLiteral("KOVRA_ISO05W100"));
  EXPECT_TRUE(memo.startsWith(QStringLiteral("Memo: ")));
  EXPECT_TRUE(applyEnabled);
  EXPECT_EQ(data.m_strPattern, "KOVRA_ISO05W100");
}

// A pattern's own picture draws its lines; CORK borrows CLAY's; a name
// without a picture gets the default one.
TEST_F(HatchDialogTest, PicturesDrawThePatternsLinesOrTheDefault) {
  const QImage ansi = HatchPicture("ansi31", 32).toImage();
  int black = 0;
  for (int y = 4; y < 28; ++y)
    for (int x = 4; x < 28; ++x) black += ansi.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
  EXPECT_GT(black, 20);
  EXPECT_EQ(HatchPicture("CORK", 32).toImage(), HatchPicture("clay", 32).toImage());
  EXPECT_EQ(HatchPicture("MYOWN", 32).toImage(), HatchPicture("", 32).toImage());
  EXPECT_NE(HatchPicture("MYOWN", 32).toImage(), ansi);
}

}  // namespace
