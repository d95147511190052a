#pragma once

#include <QLabel>
#include <optional>

#include "dialogs/color_swatches.h"

// The colour index a pane text names (1 to 255); nothing for "ByLayer",
// "ByBlock" or any other text.
std::optional<int> PaneColorIndex(const QString& text);

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
