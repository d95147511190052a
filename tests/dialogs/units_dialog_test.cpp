#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "commands/dialogs/units_dlg.h"
#include "database/graph.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

TEST(UnitsDialogWidgetTest, FillsFromTheDataAndWritesTheListsBack) {
  GuiApplication();
  FcGraph graph;
  CUnitsDlg data;
  data.m_pGraph = &graph;
  data.Load();
  QString sample, precision;
  ModalCloser closer([&](QDialog& dialog) {
    sample = dialog.findChild<QLabel*>(QStringLiteral("lengthSample"))->text();
    // Architectural units: the precision list shows fractions, its index kept.
    dialog.findChild<QComboBox*>(QStringLiteral("lengthType"))->setCurrentIndex(3);
    precision = dialog.findChild<QComboBox*>(QStringLiteral("lengthPrecision"))->currentText();
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(sample, QStringLiteral("1.5000,2.0264"));
  EXPECT_EQ(precision, QStringLiteral("0'-0 1/16\""));
  EXPECT_EQ(data.m_nLengthType, 3);
  EXPECT_EQ(data.m_nLengthPrec, 4);
  EXPECT_EQ(graph.GetSysVars().lunits, 2);
}

}  // namespace
