#include "dialogs/color_sel_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/color_swatches.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

QString SelectedText(QDialog& dialog) {
  return dialog.findChild<QLineEdit*>(QStringLiteral("selectedColor"))->text();
}

void Click(QDialog& dialog, const char* name, QPoint at) {
  QTest::mouseClick(dialog.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton, {}, at);
}

QImage SampleImage(QDialog& dialog) { return dialog.findChild<QWidget*>(QStringLiteral("sample"))->grab().toImage(); }

TEST(ColorSelDialogTest, FillsFromTheDataAndShowsEachPick) {
  GuiApplication();
  CColorSelDlg data;
  data.m_nColor = 256;
  data.m_nLayerColor = 3;
  data.m_bEnableLogical = 0;
  ColorSelDialog dialog(data, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("select Color"));
  EXPECT_EQ(SelectedText(dialog), QStringLiteral("ByLayer"));
  EXPECT_EQ(SampleImage(dialog).pixelColor(8, 8), IndexQColor(3));
  EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("byLayer"))->isEnabled());
  EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("byBlock"))->isEnabled());

  Click(dialog, "upperPalette", QPoint(3, 4));
  EXPECT_EQ(SelectedText(dialog), QStringLiteral("18"));
  Click(dialog, "upperPalette", QPoint(3 + 17, 10));
  EXPECT_EQ(dialog.Picked(), 18);
  Click(dialog, "lowerPalette", QPoint(3 + 23 * 18 + 16, 2 + 4 * 18 + 16));
  EXPECT_EQ(SelectedText(dialog), QStringLiteral("249"));
  EXPECT_EQ(SampleImage(dialog).pixelColor(8, 8), IndexQColor(249));
  Click(dialog, "color252", QPoint(5, 5));
  EXPECT_EQ(SelectedText(dialog), QStringLiteral("252"));

  Click(dialog, "color7", QPoint(5, 5));
  EXPECT_EQ(SelectedText(dialog), QStringLiteral("White"));
  const QImage sample = SampleImage(dialog);
  EXPECT_EQ(sample.pixelColor(2, 2), QColor(Qt::white));
  EXPECT_EQ(sample.pixelColor(sample.width() - 3, sample.height() - 3), QColor(Qt::black));
}

TEST(ColorSelDialogTest, OnlyOkWritesThePickBack) {
  GuiApplication();
  for (const int endCode : {QDialog::Rejected, QDialog::Accepted}) {
    CColorSelDlg data;
    data.m_nColor = 5;
    ModalCloser closer([endCode](QDialog& dialog) {
      dialog.findChild<QPushButton*>(QStringLiteral("byBlock"))->click();
      Click(dialog, "color250", QPoint(5, 5));
      dialog.findChild<QPushButton*>(QStringLiteral("byLayer"))->click();
      return endCode;
    });
    const int code = ShowModalDialog(data, nullptr);
    EXPECT_EQ(closer.Closed(), 1);
    EXPECT_EQ(code, endCode == QDialog::Accepted ? CModalDialog::kOk : CModalDialog::kCancel);
    EXPECT_EQ(data.m_nColor, endCode == QDialog::Accepted ? 256 : 5);
  }
}

}  // namespace
