#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "commands/dialogs/export_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

QLineEdit* Box(QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); }
QComboBox* List(QDialog& dialog, const char* name) { return dialog.findChild<QComboBox*>(QString::fromLatin1(name)); }

QRadioButton* Radio(QDialog& dialog, const QString& text) {
  for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

// The boxes show the data, a change of list goes through the data's
// handlers, and OK hands the size back in device units.
TEST(ExportDialogTest, ShowsTheDataAndWritesTheChoicesBackOnOk) {
  GuiApplication();
  DialogSettingsScope settings;
  CExportDlg data;
  data.m_strFileName = "/out/plan.dwg";
  data.m_bFirstShow = true;
  QString shownFile, shownWidth, convertedWidth, pdfFile;
  ModalCloser closer([&](QDialog& dialog) {
    shownFile = Box(dialog, "file")->text();
    shownWidth = Box(dialog, "width")->text();
    List(dialog, "type")->setCurrentIndex(CExportDlg::kTypePdf);
    pdfFile = Box(dialog, "file")->text();
    List(dialog, "units")->setCurrentIndex(CExportDlg::kUnitsInch);
    convertedWidth = Box(dialog, "width")->text();
    Box(dialog, "width")->setText(QStringLiteral("10"));
    Radio(dialog, QStringLiteral("Wi&ndow"))->click();
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(shownFile, QStringLiteral("/out/plan.plt"));
  EXPECT_EQ(shownWidth, QStringLiteral("800"));
  EXPECT_EQ(pdfFile, QStringLiteral("/out/plan.pdf"));
  EXPECT_EQ(convertedWidth, QStringLiteral("11.1111"));
  EXPECT_EQ(data.m_nType, CExportDlg::kTypePdf);
  EXPECT_EQ(data.m_nArea, CExportDlg::kAreaWindow);
  EXPECT_DOUBLE_EQ(data.m_dWidth, 720.0);
}

// SVG switches the units list off; "Pick Window <" ends the dialog with the
// typed file name taken.
TEST(ExportDialogTest, SvgDisablesTheUnitsAndPickTakesTheTypedName) {
  GuiApplication();
  DialogSettingsScope settings;
  CExportDlg data;
  data.m_bFirstShow = true;
  bool unitsEnabled = true;
  ModalCloser closer([&](QDialog& dialog) {
    List(dialog, "type")->setCurrentIndex(CExportDlg::kTypeSvg);
    unitsEnabled = List(dialog, "units")->isEnabled();
    Box(dialog, "file")->setText(QStringLiteral("/out/typed.svg"));
    dialog.findChild<QPushButton*>(QStringLiteral("pick"))->click();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CExportDlg::kPickWindow);
  EXPECT_FALSE(unitsEnabled);
  EXPECT_EQ(data.m_strFileName, "/out/typed.svg");
}

}  // namespace
