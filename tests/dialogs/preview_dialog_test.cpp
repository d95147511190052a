#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
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
// in black; the wheel, the keys and a drag reach the data.
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
  bool zoomedIn = false;
  int panned = 0;
  QPoint sheetCorner;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    rendered = dialog.grab().toImage();
    sheetCorner = {preview.SheetLeft(rendered.width()) + 2, preview.SheetTop(rendered.height()) + 2};
    const QPointF centre(dialog.width() / 2.0, dialog.height() / 2.0);
    QWheelEvent wheel(centre, dialog.mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&dialog, &wheel);
    zoomedIn = preview.m_dZoom > preview.m_dFitZoom;
    QTest::keyClick(&dialog, Qt::Key_P);
    panMode = !preview.m_bZoomMode;
    const int left = preview.SheetLeft(dialog.width());
    QTest::mousePress(&dialog, Qt::LeftButton, {}, {100, 100});
    QMouseEvent drag(QEvent::MouseMove, QPointF(140, 100), dialog.mapToGlobal(QPointF(140, 100)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &drag);
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, {140, 100});
    panned = preview.SheetLeft(dialog.width()) - left;
    return CModalDialog::kOk;
  });
  EXPECT_EQ(ShowModalDialog(preview, nullptr), CModalDialog::kOk);
  EXPECT_EQ(title, QStringLiteral("Print Preview - Press ESC  or Enter to exit, Right click mouse button to popup menu"));
  ASSERT_FALSE(rendered.isNull());
  EXPECT_EQ(rendered.pixel(2, 2), QColor(192, 192, 192).rgb());
  EXPECT_EQ(rendered.pixel(sheetCorner), QColor(Qt::white).rgb());
  EXPECT_GT(InkPixels(rendered), 100);
  EXPECT_TRUE(zoomedIn);
  EXPECT_TRUE(panMode);
  EXPECT_EQ(panned, 40);
  if (!qgetenv("KOVRA_TEST_OUT").isEmpty()) rendered.save(QString::fromUtf8(qgetenv("KOVRA_TEST_OUT")) + "/preview.png");
}

}  // namespace
