#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "commands/dialogs/pen_width_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/program_settings_guard.h"

namespace {

// The list shows the program's widths; a width typed for two selected
// colours reaches both when the box is left, the unit shows them in
// millimetres, and OK hands the table back to the program.
TEST(PenWidthDialogTest, ShowsTheWidthsAndWritesTheEditedTableBack) {
  GuiApplication();
  ProgramSettingsGuard guard;
  DialogSettingsScope settings;
  GetProgramSettings().print_pen_width.fill(0.01);
  QString before, varies, after, inMm;
  bool boxEnabledBefore = true;
  ModalCloser closer([&](QDialog& dialog) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("widths"));
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("width"));
    before = list->topLevelItem(0)->text(1);
    boxEnabledBefore = box->isEnabled();
    list->topLevelItem(0)->setSelected(true);
    list->topLevelItem(4)->setSelected(true);
    varies = dialog.findChild<QLabel*>(QStringLiteral("colorText"))->text();
    box->setText(QStringLiteral("0.5"));
    QFocusEvent leaving(QEvent::FocusOut);
    QApplication::sendEvent(box, &leaving);
    after = list->topLevelItem(4)->text(1);
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
      if (button->text() == QStringLiteral("&mm")) button->click();
    inMm = list->topLevelItem(0)->text(1);
    list->setFocus();
    return QDialog::Accepted;
  });
  CPenWidthDlg data;
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(before, QStringLiteral("0.0100"));
  EXPECT_FALSE(boxEnabledBefore);
  EXPECT_EQ(varies, QStringLiteral("Color varies"));
  EXPECT_EQ(after, QStringLiteral("0.5000"));
  EXPECT_EQ(inMm, QStringLiteral("12.7000"));
  EXPECT_EQ(GetProgramSettings().print_pen_width[1], 0.5);
  EXPECT_EQ(GetProgramSettings().print_pen_width[5], 0.5);
  EXPECT_EQ(GetProgramSettings().print_pen_width[2], 0.01);
}

}  // namespace
