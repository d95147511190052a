#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "display/bitmap_helpers.h"
#include "display/cursor_overlay.h"
#include "imaging/dib.h"
#include "window/screen_device.h"
#include "display/view_transform.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr FcColorRef kWhite = 0xFFFFFF;
constexpr FcColorRef kRed = 0x0000FF;

// A device of 40 x 30 pixels on a black background.
class ScreenDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device_.backgroundIndex = -1;
    device_.backgroundRgb = 0;
    device_.Resize(kWidth, kHeight);
  }

  // Device points (y up) whose pixel is not black.
  Pixels Lit() const {
    Pixels lit;
    const QImage& image = device_.BackBuffer();
    for (int row = 0; row < image.height(); ++row) {
      for (int x = 0; x < image.width(); ++x) {
        if ((image.pixel(x, row) & 0xFFFFFF) != 0) lit.insert({x, kHeight - row});
      }
    }
    return lit;
  }

  static Pixels Rect(int x0, int y0, int x1, int y1) {
    Pixels p;
    for (int x = x0; x <= x1; ++x) {
      for (int y = y0; y <= y1; ++y) p.insert({x, y});
    }
    return p;
  }

  FcMFCDisplayDevice device_;
};

// The same world figures at two zoom levels land on the pixels the view
// gives them, ends and edges included.
TEST_F(ScreenDeviceTest, LinesDotsAndPolygonsAtTwoZoomLevels) {
  struct Zoom {
    double worldWidth;
    int scale;
  };
  for (const Zoom zoom : {Zoom{40.0, 1}, Zoom{20.0, 2}}) {
    FcViewTransform view;
    view.x1 = zoom.worldWidth;
    view.y1 = zoom.worldWidth * kHeight / kWidth;
    view.deviceX1 = kWidth;
    view.deviceY1 = kHeight;
    view.Update();
    const auto device = [&](double x, double y) {
      FcDevicePoint d;
      view.WorldToDevice(x, y, &d.x, &d.y);
      return d;
    };
    const int s = zoom.scale;
    SCOPED_TRACE(s);

    device_.BeginPaint({}, 1);
    const FcDevicePoint a = device(1, 2);
    const FcDevicePoint b = device(6, 2);
    device_.MoveTo(a.x, a.y);
    device_.LineTo(b.x, b.y);
    device_.EndPaint();
    EXPECT_EQ(Lit(), Rect(s, 2 * s, 6 * s, 2 * s)) << "both ends drawn";

    device_.BeginPaint({}, 1);
    const FcDevicePoint square[4] = {device(5, 5), device(10, 5), device(10, 10), device(5, 10)};
    device_.Polygon(square, 4);
    device_.EndPaint();
    EXPECT_EQ(Lit(), Rect(5 * s, 5 * s, 10 * s, 10 * s)) << "outline and fill";

    device_.BeginPaint({}, 1);
    device_.BeginHighlight();
    const FcDevicePoint c = device(1, 4);
    const FcDevicePoint d = device(7, 4);
    device_.MoveTo(c.x, c.y);
    device_.LineTo(d.x + 1, d.y);
    device_.EndHighlight();
    device_.EndPaint();
    Pixels dots;
    for (int x = s; x <= 7 * s; x += 2) dots.insert({x, 4 * s});
    EXPECT_EQ(Lit(), dots) << "the dotted pen draws every other pixel";
  }
}

TEST_F(ScreenDeviceTest, ZeroLengthLineSetsOnePixelAndKeepsThePosition) {
  device_.BeginPaint({}, 1);
  device_.MoveTo(20, 20);
  device_.LineTo(20, 20);
  device_.LineTo(20, 23);
  device_.EndPaint();
  EXPECT_EQ(Lit(), Rect(20, 20, 20, 23));
}

TEST_F(ScreenDeviceTest, ExclusiveOrDrawnTwiceGivesBackTheBufferBitForBit) {
  for (const FcColorRef background : {FcColorRef{0}, kWhite}) {
    device_.backgroundRgb = background;
    device_.BeginPaint({}, 1);
    device_.SetColor(kRed);
    const FcDevicePoint base[3] = {{2, 2}, {30, 4}, {12, 25}};
    device_.Polygon(base, 3);
    device_.EndPaint();
    const QImage before = device_.BackBuffer().copy();

    const auto drawXor = [&] {
      device_.BeginPaint({}, 0);
      device_.BeginXor();
      EXPECT_TRUE(device_.IsXorMode());
      bool elsewhere = true;
      std::thread([&] { elsewhere = device_.IsXorMode(); }).join();
      EXPECT_FALSE(elsewhere) << "another thread's pass is not the caller's";
      device_.SetColor(0x3366CC);
      const FcDevicePoint ring[4] = {{1, 1}, {35, 3}, {20, 28}, {1, 1}};
      device_.Polyline(ring, 4);
      const FcDevicePoint square[4] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
      device_.Polygon(square, 4);
      device_.SetPixel(30, 20);
      device_.MoveTo(0, 10);
      device_.LineTo(39, 17);
      device_.Circle(20, 15, 8);
      device_.EndXor();
      EXPECT_FALSE(device_.IsXorMode());
      device_.EndPaint();
    };
    drawXor();
    EXPECT_NE(device_.BackBuffer(), before);
    drawXor();
    EXPECT_EQ(device_.BackBuffer(), before) << "background " << background;
  }
}

TEST_F(ScreenDeviceTest, HighlightFillsSixPixelsInSixteenAndIsUndoneByEndHighlight) {
  device_.BeginPaint({}, 1);
  device_.SetColor(kRed);
  device_.BeginHighlight();
  const FcDevicePoint square[4] = {{4, 4}, {24, 4}, {24, 24}, {4, 24}};
  device_.Polygon(square, 4);
  device_.EndHighlight();
  device_.EndPaint();
  int red = 0;
  const QImage& image = device_.BackBuffer();
  for (int row = 12; row < 16; ++row) {
    for (int x = 8; x < 12; ++x) red += (image.pixel(x, row) & 0xFFFFFF) == 0xFF0000 ? 1 : 0;
  }
  EXPECT_EQ(red, 6);

  // After the bracket the pen and brush are solid again: the same as a
  // device that never highlighted.
  FcMFCDisplayDevice plain;
  plain.backgroundIndex = -1;
  plain.Resize(kWidth, kHeight);
  for (FcMFCDisplayDevice* d : {&device_, &plain}) {
    d->BeginPaint({}, 1);
    d->SetColor(kRed);
    if (d == &device_) {
      d->BeginHighlight();
      d->EndHighlight();
    }
    const FcDevicePoint tri[3] = {{3, 3}, {33, 9}, {9, 27}};
    d->Polygon(tri, 3);
    d->MoveTo(0, 1);
    d->LineTo(39, 28);
    d->EndPaint();
  }
  EXPECT_EQ(device_.BackBuffer(), plain.BackBuffer());
}

TEST_F(ScreenDeviceTest, ClipStackNarrowsAndPopRestores) {
  device_.BeginPaint({}, 1);
  device_.PopClip();
  device_.PushClipRect({10, 10}, {20, 20});
  const FcDevicePoint big[4] = {{0, 1}, {39, 1}, {39, 29}, {0, 29}};
  device_.Polygon(big, 4);
  device_.PopClip();
  device_.SetPixel(2, 2);
  device_.EndPaint();
  Pixels want = Rect(10, 11, 19, 20);
  want.insert({2, 2});
  EXPECT_EQ(Lit(), want);
}

TEST_F(ScreenDeviceTest, BitmapPixelsLandOnDevicePoints) {
  FcBitmap bitmap;
  bitmap.CreateScreenBitmap(3, 2);
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(2, 1, kWhite);
  device_.BeginPaint({}, 1);
  device_.DrawBitmap(10, 5, 3, 2, &bitmap);
  device_.EndPaint();
  EXPECT_EQ(Lit(), (Pixels{{10, 5}, {12, 6}}));
}

TEST_F(ScreenDeviceTest, PrintRotationTurnsAndOffsetsPoints) {
  QImage page(1000, 1000, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  FcDeviceContext printer(painter);
  device_.width = 1000;
  device_.height = 1000;
  device_.BeginPrint(&printer, 5, 7, 1);
  EXPECT_TRUE(device_.printing);
  device_.BeginHighlight();
  EXPECT_FALSE(device_.highlighting) << "no highlighting on paper";
  device_.SetPixelRotated(100, 200);
  FcDevicePoint line[2] = {{0, 0}, {10, 20}};
  device_.PolylineRotated(line, 2);
  device_.EndPrint();
  painter.end();
  EXPECT_FALSE(device_.printing);
  EXPECT_EQ(line[0], (FcDevicePoint{1005, 7})) << "the caller's points are turned in place";
  EXPECT_EQ(line[1], (FcDevicePoint{985, 17}));
  EXPECT_EQ(page.pixel(805, 1000 - 107) & 0xFFFFFF, 0u) << "(100, 200) lands on (800, 100) plus the offset";
}

TEST_F(ScreenDeviceTest, PresentShowsTheOverlayButLeavesTheBufferAsItWas) {
  device_.BeginPaint({}, 1);
  const FcDevicePoint tri[3] = {{3, 3}, {33, 9}, {9, 27}};
  device_.Polygon(tri, 3);
  device_.EndPaint();
  const QImage before = device_.BackBuffer().copy();
  device_.cursorKind = 1;
  device_.cursorX = 20;
  device_.cursorY = 15;
  device_.crossHairArm = 50;
  device_.bandStyle = 4;
  device_.bandAnchorX = 30;
  device_.bandAnchorY = 5;
  device_.snapMarkerKind = kSnapEndpoint;
  device_.snapMarkerX = 10;
  device_.snapMarkerY = 10;

  QImage window(kWidth + 10, kHeight + 10, QImage::Format_RGB32);
  window.fill(Qt::blue);
  QPainter painter(&window);
  FcDeviceContext target(painter);
  device_.Present(&target, 10, 10, nullptr, nullptr, 1);
  painter.end();
  EXPECT_EQ(device_.BackBuffer(), before);
  const QImage shown = window.copy(10, 10, kWidth, kHeight);
  EXPECT_NE(shown, before) << "cross-hair, band and marker are on the copy";
  EXPECT_EQ(shown.pixel(0, kHeight - 15) & 0xFFFFFF, 0xFFFFFFu) << "the cross-hair's horizontal arm";
  EXPECT_EQ(window.pixel(5, 5), QColor(Qt::blue).rgb()) << "nothing outside the copied rectangle";
}

TEST_F(ScreenDeviceTest, ResizeAndCopyToDib) {
  device_.Resize(0, 100);
  EXPECT_EQ(device_.width, kWidth);
  EXPECT_EQ(device_.BackBuffer().height(), kHeight);
  EXPECT_EQ(device_.cursorX, kWidth / 2);

  device_.BeginPaint({}, 1);
  device_.SetColor(kRed);
  device_.SetPixel(0, 1);
  device_.EndPaint();
  CDib dib;
  device_.CopyToDib(dib);
  ASSERT_EQ(dib.GetWidth(), kWidth);
  ASSERT_EQ(dib.GetHeight(), kHeight);
  int bits = 0;
  int stride = 0;
  const std::uint8_t* rows = dib.GetBits(&bits, &stride);
  ASSERT_EQ(bits, 24);
  // Device (0, 1) is the bottom row of the buffer; blue, green, red.
  EXPECT_EQ(rows[2], 0xFF);
  EXPECT_EQ(rows[0], 0x00);
  EXPECT_EQ(rows[stride + 2], 0x00);
}

}  // namespace
