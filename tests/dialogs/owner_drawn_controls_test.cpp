#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QtTest/QTest>
#include <vector>

#include "commands/dialogs/number_char_filter.h"
#include "dialogs/bmp_button.h"
#include "dialogs/edit_ex.h"
#include "dialogs/paint_box.h"
#include "dialogs/static_ex.h"
#include "tests/support/gui_application.h"

namespace {

TEST(BmpButtonTest, BitmapAndCaptionSitCentredSideBySideOrStacked) {
  const QRect client(0, 0, 100, 40);
  const QSize bitmap(16, 10), caption(40, 12);
  const struct {
    int layout;
    QRect bitmap, caption;
  } cases[] = {
      {CBmpButton::kBitmapLeft, {20, 15, 16, 10}, {40, 14, 40, 12}},
      {CBmpButton::kBitmapRight, {64, 15, 16, 10}, {20, 14, 40, 12}},
      {CBmpButton::kBitmapAbove, {42, 7, 16, 10}, {30, 21, 40, 12}},
      {CBmpButton::kBitmapBelow, {42, 23, 16, 10}, {30, 7, 40, 12}},
      {7, {20, 15, 16, 10}, {40, 14, 40, 12}},
  };
  for (const auto& c : cases) {
    const CBmpButton::Placement placement = CBmpButton::Place(client, bitmap, caption, c.layout, 4);
    EXPECT_EQ(placement.bitmap, c.bitmap) << c.layout;
    EXPECT_EQ(placement.caption, c.caption) << c.layout;
  }
}

TEST(BmpButtonTest, PressingShiftsTheFaceAndTheBitmapLeavesItsTransparentColourOut) {
  GuiApplication();
  CBmpButton button(QStringLiteral("Pick point"), nullptr);
  QPixmap bitmap(8, 8);
  bitmap.fill(Qt::magenta);
  QPainter(&bitmap).fillRect(2, 2, 4, 4, Qt::black);
  button.SetBitmap(bitmap, Qt::magenta);
  button.resize(button.sizeHint());
  const CBmpButton::Placement up = button.CurrentPlacement();
  button.setDown(true);
  const CBmpButton::Placement down = button.CurrentPlacement();
  EXPECT_EQ(down.bitmap, up.bitmap.translated(1, 1));
  EXPECT_EQ(down.caption, up.caption.translated(1, 1));
  button.setDown(false);

  const QImage face = button.grab().toImage();
  const QPoint corner = up.bitmap.topLeft();
  EXPECT_NE(face.pixelColor(corner), QColor(Qt::magenta));
  EXPECT_EQ(face.pixelColor(corner + QPoint(3, 3)), QColor(Qt::black));
}

TEST(EditExTest, TheFilterDropsOrPassesEachTypedCharacter) {
  GuiApplication();
  CEditEx box(nullptr);
  box.SetFilter(FilterSignedNumberChar);
  QTest::keyClicks(&box, QStringLiteral("1-2a-.5."));
  EXPECT_EQ(box.text(), QStringLiteral("1-2.5"));
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(box.text(), QStringLiteral("1-2."));
  // A filter may put another character in place of the typed one.
  box.SetFilter([](std::u32string_view, char32_t typed) { return typed == U'x' ? U'*' : typed; });
  QTest::keyClicks(&box, QStringLiteral("x"));
  EXPECT_EQ(box.text(), QStringLiteral("1-2.*"));
}

TEST(EditExTest, ALockedBoxIgnoresTypingAndDeleteButItsTextCanBeSelected) {
  GuiApplication();
  CEditEx box(nullptr);
  box.setText(QStringLiteral("B7"));
  box.SetLocked(true);
  box.setCursorPosition(0);
  QTest::keyClicks(&box, QStringLiteral("xy"));
  QTest::keyClick(&box, Qt::Key_Delete);
  EXPECT_EQ(box.text(), QStringLiteral("B7"));
  EXPECT_EQ(box.contextMenuPolicy(), Qt::NoContextMenu);
  box.selectAll();
  EXPECT_EQ(box.selectedText(), QStringLiteral("B7"));
  box.SetLocked(false);
  QTest::keyClick(&box, Qt::Key_Delete);
  EXPECT_EQ(box.text(), QString());
}

// A box without callbacks leaves the press to its parent; with one, the
// callback gets the button and the point.
TEST(PaintBoxTest, CallbacksTakeOverTheirEventsAndABareBoxTakesNone) {
  GuiApplication();
  QWidget parent;
  parent.resize(100, 100);
  auto* box = new CPaintBox(&parent);
  box->setGeometry(10, 10, 50, 50);
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(5, 6));

  struct Call {
    int button, x, y;
  };
  std::vector<Call> presses;
  box->m_press = [&](int button, int x, int y) { presses.push_back({button, x, y}); };
  box->m_paint = [](QPainter& painter) { painter.fillRect(0, 0, 50, 50, Qt::red); };
  QTest::mousePress(box, Qt::RightButton, {}, QPoint(7, 8));
  QTest::mouseRelease(box, Qt::RightButton, {}, QPoint(7, 8));
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].button, CPaintBox::kRight);
  EXPECT_EQ(presses[0].x, 7);
  EXPECT_EQ(presses[0].y, 8);
  EXPECT_EQ(box->grab().toImage().pixelColor(25, 25), QColor(Qt::red));
}

TEST(StaticExTest, FramesFillAndEmbossedTextFollowTheFields) {
  GuiApplication();
  CStaticEx label(nullptr);
  label.resize(60, 24);
  label.m_backColor = Qt::yellow;
  label.m_nFrame = CStaticEx::kSunken;
  const QImage sunken = label.grab().toImage();
  EXPECT_EQ(sunken.pixelColor(30, 12), QColor(Qt::yellow));
  // A sunken frame is dark along its top, light along its bottom.
  EXPECT_LT(sunken.pixelColor(30, 1).lightness(), sunken.pixelColor(30, 22).lightness());
  label.m_nFrame = CStaticEx::kRaised;
  const QImage raised = label.grab().toImage();
  EXPECT_GT(raised.pixelColor(30, 1).lightness(), raised.pixelColor(30, 22).lightness());

  // Disabled text is drawn twice, white one pixel down and right.
  label.m_nFrame = CStaticEx::kNoFrame;
  label.m_backColor = Qt::black;
  label.m_textColor = Qt::blue;
  label.m_nFontHeight = 20;
  label.m_bBold = true;
  label.setText(QStringLiteral("Ill"));
  label.setEnabled(false);
  const QImage disabled = label.grab().toImage();
  bool white = false, blue = false;
  for (int y = 0; y < disabled.height(); ++y) {
    for (int x = 0; x < disabled.width(); ++x) {
      const QColor pixel = disabled.pixelColor(x, y);
      white = white || (pixel.red() > 200 && pixel.blue() > 200);
      blue = blue || (pixel.blue() > 100 && pixel.red() < 50);
    }
  }
  EXPECT_TRUE(white);
  EXPECT_FALSE(blue);
}

}  // namespace
