#include "window/color_pane.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "display/color_table.h"
#include "tests/support/gui_application.h"
#include "window/screen_device_colors.h"

namespace {

TEST(ColorPane, OnlyColourNumbersAreSwatches) {
  struct Case {
    const char* text;
    std::optional<int> index;
  };
  const Case cases[] = {{"1", 1}, {"7", 7}, {"255", 255}, {"0", std::nullopt}, {"256", std::nullopt},
                        {"ByLayer", std::nullopt}, {"ByBlock", std::nullopt}, {"", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(PaneColorIndex(QString::fromLatin1(c.text)), c.index) << c.text;
}

TEST(ColorPane, WhiteBlackSwatchSplitsAlongTheRisingDiagonal) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::gray);
  {
    QPainter painter(&image);
    DrawWhiteBlackSwatch(painter, QRect(0, 0, 20, 20), false);
  }
  EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(16, 16), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(16, 2), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(2, 16), QColor(Qt::white));
}

TEST(ColorPane, ShowsTheColourOfItsNumberAndKeepsTheText) {
  GuiApplication();
  ColorPane pane;
  pane.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pane.setText(QStringLiteral("3"));
  pane.resize(pane.sizeHint());
  EXPECT_EQ(pane.sizeHint().width(), pane.sizeHint().height());
  const QImage shown = pane.grab().toImage();
  EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), ToQColor(ColorIndexRgb(3)));
  EXPECT_EQ(pane.text(), QStringLiteral("3"));

  pane.setText(QStringLiteral("ByLayer"));
  EXPECT_GT(pane.sizeHint().width(), pane.sizeHint().height());
}

}  // namespace
