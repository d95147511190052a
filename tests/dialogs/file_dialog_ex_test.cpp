#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "commands/dialogs/export_dlg.h"
#include "dialogs/file_dialog_ex.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"

namespace {

// Picking another type hands the owner the type and the name as typed, and
// the name box shows what the owner made of it; without an owner's
// function the name stays.
TEST(FileDialogExTest, AnotherTypeLetsTheOwnerRewriteTheTypedName) {
  GuiApplication();
  FileDialogEx chooser(nullptr, CExportDlg::kBrowseFilter, 2);
  EXPECT_EQ(chooser.selectedNameFilter(), QStringLiteral("Adobe PDF file (*.pdf)"));
  auto* types = Child<QComboBox>(chooser, "fileTypeCombo");
  auto* name = Child<QLineEdit>(chooser, "fileNameEdit");
  const auto pick = [types](int index) {
    types->setCurrentIndex(index);
    emit types->textActivated(types->itemText(index));
  };
  name->setText(QStringLiteral("plan.pdf"));
  pick(0);
  EXPECT_EQ(chooser.m_nFilterIndex, 1);
  EXPECT_EQ(name->text(), QStringLiteral("plan.pdf"));

  std::string seen;
  chooser.m_pfnTypeChange = [&seen](int filterIndex, std::string& typed) {
    seen = std::to_string(filterIndex) + " " + typed;
    typed = CExportDlg::BrowseName(typed, filterIndex - 1);
  };
  pick(3);
  EXPECT_EQ(chooser.m_nFilterIndex, 4);
  EXPECT_EQ(seen, "4 plan.pdf");
  EXPECT_EQ(name->text(), QStringLiteral("plan.svgz"));
}

}  // namespace
