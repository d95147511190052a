#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "commands/dialogs/linetype_dlg.h"
#include "commands/dialogs/load_ltype_dlg.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/load_linetype_dialog.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(LinetypeDialogWidgetTest, ListsTheLinetypesAndHandsTheScalesToTheData) {
  GuiApplication();
  FcGraph graph;
  graph.GetOrCreateLinetype("Dashed");
  CLineTypeDlg data;
  data.m_pGraph = &graph;
  data.Load();
  QStringList names;
  QString label;
  ModalCloser closer([&](QDialog& dialog) {
    auto* list = dialog.findChild<QTableWidget*>(QStringLiteral("linetypes"));
    for (int row = 0; row < list->rowCount(); ++row) names << list->item(row, 0)->text();
    label = dialog.findChild<QLabel*>(QStringLiteral("currentLinetype"))->text();
    dialog.findChild<QLineEdit*>(QStringLiteral("globalScale"))->setText(QStringLiteral("2"));
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(names, (QStringList{QStringLiteral("ByLayer"), QStringLiteral("ByBlock"), QStringLiteral("Continuous"),
                                QStringLiteral("Dashed")}));
  EXPECT_EQ(label, QStringLiteral("Current Linetype: ByLayer"));
  EXPECT_EQ(data.m_dGlobalScale, 2.0);
  EXPECT_TRUE(data.m_bScaleChanged);
  EXPECT_EQ(graph.GetSysVars().ltscale, 1.0);
}

TEST(LinetypeDialogWidgetTest, TheLoadDialogLoadsTheSelectedRowsIntoTheCopy) {
  GuiApplication();
  TempDir folder;
  FcGraph graph;
  CLinetypeTableCopy table;
  table.Load(graph);
  CLoadLTypeDlg data;
  data.m_pTable = &table;
  data.ReadFile(folder.Write("two.lin", "*DOT,Dots\nA,0,-.25\n*CENTER,Center\nA,1.25,-.25,.25,-.25\n"));
  LoadLinetypeDialog dialog(data);
  auto* list = dialog.findChild<QTableWidget*>(QStringLiteral("available"));
  ASSERT_EQ(list->rowCount(), 2);
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("path"))->text().toStdString(), data.m_strPath);
  list->selectRow(1);
  dialog.accept();
  EXPECT_EQ(table.FindByName("DOT"), -1);
  EXPECT_EQ(table.FindByName("CENTER"), table.GetCount() - 1);
  EXPECT_EQ(graph.GetLinetypeList().FindByName("CENTER"), nullptr);
}

}  // namespace
