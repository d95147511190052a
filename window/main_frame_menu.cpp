#include <QMenuBar>

#include "window/main_frame.h"

void FillMenuBar(MainFrame& frame) {
  QMenuBar* bar = frame.menuBar();
  bar->clear();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&New"), QKeySequence::New, &frame, [&frame] { frame.NewDrawingWindow(); });
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, &frame, [&frame] { frame.OpenWithDialog(); });
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, &frame, [&frame] { frame.SaveActiveDrawing(); });
  file->addAction(QStringLiteral("&Close"), &frame, [&frame] { frame.CloseActiveDrawing(); });
  file->addSeparator();
  file->addAction(QStringLiteral("E&xit"), &frame, [&frame] { frame.close(); });
}
