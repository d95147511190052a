#pragma once

#include <QLabel>
#include <optional>

class QPainter;
class QRect;

// The colour index a pane text names (1 to 255); nothing for "ByLayer",
// "ByBlock" or any other text.
std::optional<int> PaneColorIndex(const QString& text);

// Colour 7 as a swatch: white above the diagonal from the bottom-left to
// the top-right corner, black below it, since it is white on a dark
// background and black on a light one.
void DrawWhiteBlackSwatch(QPainter& painter, const QRect& rect, bool framed);

// The status bar's colour pane: its text is the current colour, shown as a
// swatch of that colour when it is a colour number and as text otherwise.
class ColorPane : public QLabel {
 public:
  explicit ColorPane(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};
