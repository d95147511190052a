#pragma once

#include <QCursor>
#include <QDialog>
#include <QImage>

#include "commands/dialogs/preview_dlg.h"

// The print preview window: full screen, the sheet on grey, zoomed and
// panned with the mouse, the keys and a popup menu. What each input does is
// the data's; the window paints the page the data prints.
class PreviewDialog : public QDialog {
 public:
  PreviewDialog(CPreviewDlg& data, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Apply(CPreviewDlg::Step step);
  void RenderPage();
  void ShowCursor();

  CPreviewDlg& data_;
  QImage page_;
  bool opened_ = false;
  // Zoom, no more zoom in, no more zoom out.
  QCursor magnifiers_[3];
};
