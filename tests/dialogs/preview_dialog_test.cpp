#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "commands/dialogs/preview_dlg.h"
#include "database/graph.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/gui_application.h"
#include "tests/support/letter_sheet.h"
#include "tests/support/modal_closer.h"

namespace {

int InkPixels(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 64) ++ink;
  return ink;
}

// The white sheet lies centred on the grey with the drawing printed on it
// in black; the keys reach the data.
TEST(PreviewDialogTest, ShowsTheSheetWithThePrintedDrawing) {
  GuiApplication();
  FcGraph graph;
  AddTestLine(graph, {0, 0}, {100, 50});
  AddTestLine(graph, {0, 50}, {100, 0});
  CPreviewDlg preview;
  preview.m_pGraph = &graph;
  preview.m_ptWindow[1] = {100, 50};
  preview.m_dScale = 48.0;
  preview.m_nOffsetX = 150;
  preview.m_nOffsetY = 150;
  LetterSheet(preview);
  QString title;
  QImage rendered;
  bool panMode = false;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    rendered = dialog.grab().toImage();
    QTest::keyClick(&dialog, Qt::Key_P);
    panMode = !preview.m_bZoomMode;
    return CModalDialog::kOk;
  });
  EXPECT_EQ(ShowModalDialog(preview, nullptr), CModalDialog::kOk);
  EXPECT_EQ(title, QStringLiteral("Print Preview - Press ESC  or Enter to exit, Right click mouse button to popup menu"));
  ASSERT_FALSE(rendered.isNull());
  EXPECT_EQ(rendered.pixel(2, 2), QColor(192, 192, 192).rgb());
  EXPECT_EQ(rendered.pixel(preview.SheetLeft(rendered.width()) + 2, preview.SheetTop(rendered.height()) + 2),
            QColor(Qt::white).rgb());
  EXPECT_GT(InkPixels(rendered), 100);
  EXPECT_TRUE(panMode);
  if (!qgetenv("KOVRA_TEST_OUT").isEmpty()) rendered.save(QString::fromUtf8(qgetenv("KOVRA_TEST_OUT")) + "/preview.png");
}

}  // namespace
