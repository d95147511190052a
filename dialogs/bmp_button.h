#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

// A push button that draws a bitmap beside, above or below its caption,
// the pair centred on the button.
class CBmpButton : public QPushButton {
 public:
  enum Layout { kBitmapLeft = 1, kBitmapRight = 2, kBitmapAbove = 3, kBitmapBelow = 4 };

  struct Placement {
    QRect bitmap;
    QRect caption;
  };
  // Where the bitmap and the caption go in the client rectangle. A layout
  // other than the four is taken as the bitmap on the left.
  static Placement Place(const QRect& client, const QSize& bitmap, const QSize& caption, int layout, int gap);

  CBmpButton(const QString& caption, QWidget* parent);

  // A valid transparent colour leaves that colour of the bitmap out.
  void SetBitmap(const QPixmap& bitmap, const QColor& transparent = QColor());
  void SetLayout(int layout) { layout_ = layout; }
  int BitmapLayout() const { return layout_; }
  // Where the bitmap and the caption are drawn now, pressed or not.
  Placement CurrentPlacement() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap bitmap_;
  int layout_ = kBitmapLeft;
  int gap_ = 4;
};
