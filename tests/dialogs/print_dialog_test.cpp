#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "commands/dialogs/print_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/recording_printer.h"

namespace {

template <typename Button>
Button* Labelled(QDialog& dialog, const QString& text) {
  for (Button* button : dialog.findChildren<Button*>())
    if (button->text() == text) return button;
  return nullptr;
}

QLineEdit* Box(QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); }

// The boxes show the fitted data; turning fitting off opens the scale boxes,
// whose typed numbers OK hands to the data with the chosen area.
TEST(PrintDialogTest, ShowsTheDataAndWritesTheTypedScaleBackOnPrint) {
  GuiApplication();
  DialogSettingsScope settings;
  PrinterScope printer;
  CPrintDlg data;
  data.m_ptDisplay[1] = {400, 300};
  data.m_ptLimits[1] = {100, 50};
  data.m_bFirstShow = true;
  QString fitted;
  bool enabledWhileFitted = true;
  ModalCloser closer([&](QDialog& dialog) {
    fitted = Box(dialog, "scaleDrawing")->text();
    enabledWhileFitted = Box(dialog, "scalePaper")->isEnabled();
    Labelled<QRadioButton>(dialog, QStringLiteral("&Limits"))->click();
    Labelled<QCheckBox>(dialog, QStringLiteral("Scaled &to Fit"))->click();
    EXPECT_TRUE(Box(dialog, "scalePaper")->isEnabled());
    Box(dialog, "scalePaper")->setText(QStringLiteral("1"));
    Box(dialog, "scaleDrawing")->setText(QStringLiteral("100"));
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(fitted, QStringLiteral("400.000000"));
  EXPECT_FALSE(enabledWhileFitted);
  EXPECT_EQ(data.m_nArea, CPrintDlg::kAreaLimits);
  EXPECT_DOUBLE_EQ(data.m_dScale, 6.0);
}

// "Pre&view..." shows the print as it stands, "Pen Widt&h set..." the pen
// widths; both come back to the print dialog.
TEST(PrintDialogTest, ItsButtonsOpenThePreviewAndThePenWidths) {
  GuiApplication();
  DialogSettingsScope settings;
  PrinterScope printer;
  CPrintDlg data;
  data.m_ptDisplay[1] = {400, 300};
  data.m_bFirstShow = true;
  QStringList opened;
  ModalCloser closer([&](QDialog& dialog) {
    for (const QString button : {QStringLiteral("Pre&view..."), QStringLiteral("Pen Widt&h set...")}) {
      ModalCloser inner([&opened](QDialog& shown) {
        opened.push_back(shown.windowTitle());
        return QDialog::Rejected;
      });
      Labelled<QPushButton>(dialog, button)->click();
    }
    return QDialog::Rejected;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kCancel);
  ASSERT_EQ(opened.size(), 2);
  EXPECT_TRUE(opened[0].startsWith(QStringLiteral("Print Preview")));
  EXPECT_EQ(opened[1], QStringLiteral("Pen Width Set"));
}

}  // namespace
