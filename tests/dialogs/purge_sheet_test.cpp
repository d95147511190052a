#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "commands/dialogs/purge_dlg.h"
#include "database/graph.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

using Names = std::vector<std::string>;

QPushButton* Button(QWidget& page, const char* text) {
  for (QPushButton* button : page.findChildren<QPushButton*>())
    if (button->text() == QLatin1String(text)) return button;
  return nullptr;
}

QStringList Selected(QListWidget& list) {
  QStringList names;
  for (int i = 0; i < list.count(); ++i)
    if (list.item(i)->isSelected()) names << list.item(i)->text();
  return names;
}

// Only the pages the user opened hand back names, in list order; the
// selection buttons act on the page's list.
TEST(PurgeSheetTest, OkReturnsTheSelectionOfEveryPageThatWasShown) {
  GuiApplication();
  FcGraph graph;
  CPurgeDlg data(graph, "Purge tables", 0);
  data.m_pages[CPurgeDlg::kLayers].m_candidates = {"A", "B", "C"};
  data.m_pages[CPurgeDlg::kTextStyles].m_candidates = {"Notes"};
  QString title;
  QStringList tabs, afterInverse, afterTwice;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    auto* tabWidget = dialog.findChild<QTabWidget*>();
    for (int i = 0; i < tabWidget->count(); ++i) tabs << tabWidget->tabText(i);
    tabWidget->setCurrentIndex(CPurgeDlg::kLayers);
    QWidget& page = *tabWidget->currentWidget();
    auto* list = page.findChild<QListWidget*>();
    list->item(1)->setSelected(true);
    Button(page, "Inverse select")->click();
    afterInverse = Selected(*list);
    Button(page, "Inverse select")->click();
    afterTwice = Selected(*list);
    Button(page, "Select All")->click();
    list->item(1)->setSelected(false);
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(title, QStringLiteral("Purge tables"));
  EXPECT_EQ(tabs, (QStringList{"Block", "Layer", "Line type", "Text Style", "Dimensin Style"}));
  EXPECT_EQ(afterInverse, (QStringList{"A", "C"}));
  EXPECT_EQ(afterTwice, QStringList{"B"});
  EXPECT_EQ(data.m_pages[CPurgeDlg::kLayers].m_names, (Names{"A", "C"}));
  EXPECT_TRUE(data.m_pages[CPurgeDlg::kTextStyles].m_names.empty()) << "never shown";
}

}  // namespace
