#include "dialogs/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

int ButtonOf(Qt::MouseButton button) {
  if (button == Qt::MiddleButton) return CPaintBox::kMiddle;
  return button == Qt::RightButton ? CPaintBox::kRight : CPaintBox::kLeft;
}

}  // namespace

CPaintBox::CPaintBox(QWidget* parent) : QWidget(parent) { setCursor(Qt::ArrowCursor); }

void CPaintBox::paintEvent(QPaintEvent*) {
  if (!m_paint) return;
  QPainter painter(this);
  m_paint(painter);
}

// Without its callback an event gets the default handling, which passes
// it on: an unhandled press leaves the mouse to the parent.
void CPaintBox::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_press) m_press(ButtonOf(event->button()), at.x(), at.y());
  else QWidget::mousePressEvent(event);
}

void CPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_release) m_release(ButtonOf(event->button()), at.x(), at.y());
  else QWidget::mouseReleaseEvent(event);
}

void CPaintBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_move) m_move(at.x(), at.y());
  else QWidget::mouseMoveEvent(event);
}

void CPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_doubleClick && event->button() == Qt::LeftButton) m_doubleClick(at.x(), at.y());
  else QWidget::mouseDoubleClickEvent(event);
}

void CPaintBox::wheelEvent(QWheelEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_wheel) m_wheel(event->angleDelta().y(), at.x(), at.y());
  else QWidget::wheelEvent(event);
}
