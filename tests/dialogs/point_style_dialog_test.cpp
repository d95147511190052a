#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QTest>

#include "commands/dialogs/ptype_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

TEST(PointStyleDialogWidgetTest, FillsFromTheDataAndWritesTheChoiceBack) {
  GuiApplication();
  CPTypeDlg data;
  data.m_nSample = 7;
  data.m_dSize = 5.0;
  int checked = -1;
  QString size, unit, typed;
  ModalCloser closer([&](QDialog& dialog) {
    auto* samples = dialog.findChild<QButtonGroup*>(QStringLiteral("samples"));
    checked = samples->checkedId();
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("size"));
    size = box->text();
    // The box takes no minus sign and no second separator as they are typed.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("-1.2.x5"));
    typed = box->text();
    samples->button(17)->click();
    for (auto* radio : dialog.findChildren<QRadioButton*>())
      if (radio->text().contains(QStringLiteral("Absolute"))) radio->click();
    unit = dialog.findChild<QLabel*>(QStringLiteral("unit"))->text();
    box->setText(QStringLiteral("2.5"));
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(checked, 7);
  EXPECT_EQ(size, QStringLiteral("5.0000"));
  EXPECT_EQ(typed, QStringLiteral("1.25"));
  EXPECT_EQ(unit, QStringLiteral("Units"));
  EXPECT_EQ(data.m_nSample, 17);
  EXPECT_EQ(data.m_nSizeMode, CPTypeDlg::kAbsoluteSize);
  EXPECT_EQ(data.m_dSize, 2.5);
}

}  // namespace
