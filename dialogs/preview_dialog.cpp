#include "dialogs/preview_dialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QTimer>
#include <QWheelEvent>

#include "dialogs/image_painter.h"

namespace {

const QColor kBackground(192, 192, 192);

// A magnifier with the signs of the zoom directions still open.
QCursor MagnifierCursor(bool in, bool out) {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 4));
  painter.drawEllipse(3, 3, 16, 16);
  painter.drawLine(18, 18, 28, 28);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawEllipse(3, 3, 16, 16);
  painter.drawLine(18, 18, 28, 28);
  if (in || out) painter.drawLine(7, 11, 15, 11);
  if (in) painter.drawLine(11, 7, 11, 15);
  painter.end();
  return QCursor(picture, 11, 11);
}

}  // namespace

PreviewDialog::PreviewDialog(CPreviewDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Print Preview - Press ESC  or Enter to exit, Right click mouse button to popup menu"));
  setWindowState(Qt::WindowMaximized);
  setAttribute(Qt::WA_OpaquePaintEvent);
  magnifiers_[0] = MagnifierCursor(true, true);
  magnifiers_[1] = MagnifierCursor(false, true);
  magnifiers_[2] = MagnifierCursor(true, false);
}

void PreviewDialog::paintEvent(QPaintEvent*) {
  // Opened once the window has its full size.
  if (!opened_) {
    opened_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    data_.OnInitDialog(width(), height());
    QApplication::restoreOverrideCursor();
    ShowCursor();
  }
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  switch (data_.NextPaint()) {
    case CPreviewDlg::Paint::kShowWindow:
      QTimer::singleShot(0, this, qOverload<>(&QWidget::update));
      return;
    case CPreviewDlg::Paint::kRender:
      RenderPage();
      break;
    case CPreviewDlg::Paint::kCompose:
      break;
  }
  painter.drawImage(data_.SheetLeft(width()), data_.SheetTop(height()), page_);
}

void PreviewDialog::resizeEvent(QResizeEvent* event) {
  // The window may reach its full size only after it was first painted.
  if (opened_) Apply(data_.Resize(width(), height()));
  QDialog::resizeEvent(event);
}

void PreviewDialog::RenderPage() {
  const CPreviewDlg::Page page = data_.PageAt();
  page_ = QImage();
  if (page.width <= 0 || page.height <= 0) return;
  page_ = QImage(page.width, page.height, QImage::Format_RGB32);
  page_.fill(Qt::white);
  QImage printable(page.printWidth + 1, page.printHeight + 1, QImage::Format_RGB32);
  printable.fill(Qt::white);
  PaintOnImage(printable, [this](FcDeviceContext* target) { data_.PrintPage(target); });
  QPainter painter(&page_);
  painter.drawImage(page.marginX, page.marginY, printable);
}

void PreviewDialog::Apply(CPreviewDlg::Step step) {
  if (step != CPreviewDlg::Step::kNone) update();
  ShowCursor();
}

void PreviewDialog::ShowCursor() {
  switch (data_.CursorShape()) {
    case CPreviewDlg::Cursor::kZoom:
      setCursor(magnifiers_[0]);
      break;
    case CPreviewDlg::Cursor::kNoZoomIn:
      setCursor(magnifiers_[1]);
      break;
    case CPreviewDlg::Cursor::kNoZoomOut:
      setCursor(magnifiers_[2]);
      break;
    case CPreviewDlg::Cursor::kOpenHand:
      setCursor(Qt::OpenHandCursor);
      break;
    case CPreviewDlg::Cursor::kGrabbing:
      setCursor(Qt::ClosedHandCursor);
      break;
  }
}

void PreviewDialog::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) Apply(data_.Wheel(delta > 0));
}

void PreviewDialog::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) data_.LeftDown(at.x(), at.y());
  if (event->button() == Qt::MiddleButton) data_.MiddleDown(at.x(), at.y());
  ShowCursor();
}

void PreviewDialog::mouseReleaseEvent(QMouseEvent*) {
  data_.ButtonUp();
  ShowCursor();
}

void PreviewDialog::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Apply(data_.MouseMove(at.x(), at.y()));
}

void PreviewDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  const QString text = event->text();
  if (text.size() == 1 && text[0].isLetter() && text[0].unicode() < 128) {
    Apply(data_.Key(static_cast<char>(text[0].toUpper().unicode())));
    return;
  }
  QDialog::keyPressEvent(event);
}

void PreviewDialog::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(QStringLiteral("Preview"), this);
  QAction* pan = menu.addAction(QStringLiteral("&Pan\tP"));
  pan->setCheckable(true);
  pan->setChecked(!data_.m_bZoomMode);
  QAction* zoom = menu.addAction(QStringLiteral("&Zoom\tZ"));
  zoom->setCheckable(true);
  zoom->setChecked(data_.m_bZoomMode);
  QAction* fit = menu.addAction(QStringLiteral("Zoom &Fit\tF"));
  QAction* exit = menu.addAction(QStringLiteral("E&xit"));
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == pan || chosen == zoom) data_.SelectZoomMode(chosen == zoom);
  if (chosen == fit) Apply(data_.ZoomFit());
  if (chosen == exit) done(CModalDialog::kOk);
  ShowCursor();
}
