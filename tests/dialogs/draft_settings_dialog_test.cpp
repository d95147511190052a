#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QSet>
#include <QLineEdit>
#include <QTabWidget>

#include "commands/dialogs/draft_set_dlg.h"
#include "database/graph.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/static_ex.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

TEST(DraftSettingsDialogWidgetTest, OpensOnTheAskedPageAndMarksOnlyThePagesShown) {
  GuiApplication();
  FcGraph graph;
  graph.GetSysVars().osmode = 0;
  CDraftSetDlg data;
  data.m_pGraph = &graph;
  data.m_nStartPage = CDraftSetDlg::kObjectSnapPage;
  data.Load();
  QString title, tab;
  // Each mode box has the picture of its own marker beside it.
  QSet<QByteArray> markers;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    for (const int bit : CDraftSetDlg::kModeBits) {
      auto* marker = dialog.findChild<CStaticEx*>(QStringLiteral("marker%1").arg(bit));
      if (marker == nullptr || !marker->m_bBitmapMode) continue;
      const QImage picture = marker->m_bitmap.toImage();
      markers.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
    }
    auto* pages = dialog.findChild<QTabWidget*>();
    tab = pages->tabText(pages->currentIndex());
    dialog.findChild<QCheckBox*>(QStringLiteral("objectSnapOn"))->setChecked(true);
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(title, QStringLiteral("Draft settings"));
  EXPECT_EQ(markers.size(), CDraftSetDlg::kModes);
  EXPECT_EQ(tab, QStringLiteral("Object Snap"));
  EXPECT_TRUE(data.m_bOsnapOn);
  EXPECT_TRUE(data.m_bObjectSnapPageShown);
  EXPECT_FALSE(data.m_bSnapPageShown);
}

TEST(DraftSettingsDialogWidgetTest, TheSnapPageTakesItsBoxesAtOk) {
  GuiApplication();
  FcGraph graph;
  CDraftSetDlg data;
  data.m_pGraph = &graph;
  data.Load();
  ModalCloser closer([&](QDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("Grid X Space"))->setText(QStringLiteral("2.5"));
    dialog.findChild<QLineEdit*>(QStringLiteral("Angle"))->setText(QStringLiteral("30"));
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(data.m_dGridX, 2.5);
  EXPECT_EQ(data.m_dSnapAngle, 30.0);
  EXPECT_TRUE(data.m_bSnapPageShown);
}

}  // namespace
