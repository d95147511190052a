#pragma once

#include <QWidget>
#include <functional>

// A blank area whose painting and mouse handling belong to its owner: each
// callback that is set takes over its event; without one the box neither
// draws nor takes the mouse.
class CPaintBox : public QWidget {
 public:
  // Buttons as the callbacks get them.
  enum Button { kLeft = 0, kMiddle = 1, kRight = 2 };

  explicit CPaintBox(QWidget* parent);

  std::function<void(QPainter& painter)> m_paint;
  std::function<void(int button, int x, int y)> m_press;
  std::function<void(int button, int x, int y)> m_release;
  std::function<void(int x, int y)> m_move;
  std::function<void(int x, int y)> m_doubleClick;
  std::function<void(int delta, int x, int y)> m_wheel;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};
