#include "window/dib_bitmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <vector>

#include "imaging/dib.h"
#include "tests/support/gui_application.h"

namespace {

// A 24-bit picture of 3 x 2 pixels, bottom row first, colours as 0xRRGGBB.
void Fill24(CDib& dib, const std::vector<QRgb>& colours) {
  ASSERT_TRUE(dib.CreateBlank(24, 3, 2));
  int bit_count = 0;
  int stride = 0;
  std::uint8_t* rows = dib.GetBits(&bit_count, &stride);
  for (int i = 0; i < 6; ++i) {
    std::uint8_t* p = rows + (i / 3) * stride + 3 * (i % 3);
    p[0] = static_cast<std::uint8_t>(qBlue(colours[i]));
    p[1] = static_cast<std::uint8_t>(qGreen(colours[i]));
    p[2] = static_cast<std::uint8_t>(qRed(colours[i]));
  }
}

QImage Filled(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

TEST(DibBitmap, PicturesOfEveryBitCountShowTheirColoursTopRowFirst) {
  // Bottom row white, black, black; top row black, white, white.
  const std::vector<QRgb> stored = {kWhite, kBlack, kBlack, kBlack, kWhite, kWhite};
  for (int bit_count : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(bit_count);
    CDib dib;
    Fill24(dib, stored);
    ASSERT_TRUE(dib.ConvertBitCount(bit_count));
    const QImage image = CreateBitmap(dib);
    ASSERT_EQ(image.size(), QSize(3, 2));
    // Five bits a channel keep white only as near as they can.
    const QRgb white = bit_count == 16 ? qRgb(248, 248, 248) : kWhite;
    EXPECT_EQ(image.pixel(0, 0), kBlack);
    EXPECT_EQ(image.pixel(1, 0), white);
    EXPECT_EQ(image.pixel(0, 1), white);
    EXPECT_EQ(image.pixel(2, 1), kBlack);
  }
  EXPECT_TRUE(CreateBitmap(CDib()).isNull());
}

TEST(DibBitmap, ImagesBecomePicturesThatShowTheSame) {
  QImage colour(3, 2, QImage::Format_RGB32);
  const QRgb six[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), kWhite, kBlack, qRgb(128, 128, 128)};
  for (int i = 0; i < 6; ++i) colour.setPixel(i % 3, i / 3, six[i]);
  QImage indexed(3, 2, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
  for (int i = 0; i < 6; ++i) indexed.setPixel(i % 3, i / 3, i % 2);

  const struct {
    const char* name;
    const QImage& image;
    int bits;
  } cases[] = {{"true colour", colour, 24}, {"indexed", indexed, 8}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    CDib dib;
    ASSERT_TRUE(CreateFromBitmap(dib, entry.image, nullptr));
    int bit_count = 0;
    int stride = 0;
    dib.GetBits(&bit_count, &stride);
    EXPECT_EQ(bit_count, entry.bits);
    EXPECT_EQ(dib.GetPalette() != nullptr, entry.bits == 8);
    EXPECT_EQ(CreateBitmap(dib), entry.image.convertToFormat(QImage::Format_RGB32));
  }

  // With a palette each pixel takes its nearest colour there.
  CPalette blackWhite;
  blackWhite.entries = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  QImage greys(2, 1, QImage::Format_RGB32);
  greys.setPixel(0, 0, qRgb(60, 60, 60));
  greys.setPixel(1, 0, qRgb(200, 200, 200));
  CDib mapped;
  ASSERT_TRUE(CreateFromBitmap(mapped, greys, &blackWhite));
  const QImage shown = CreateBitmap(mapped);
  EXPECT_EQ(shown.pixel(0, 0), kBlack);
  EXPECT_EQ(shown.pixel(1, 0), kWhite);

  // A null image leaves the picture as it was.
  EXPECT_FALSE(CreateFromBitmap(mapped, QImage(), nullptr));
  EXPECT_EQ(CreateBitmap(mapped), shown);
}

TEST(DibBitmap, StretchRepeatsPixelsAndCopiesCombineByTheMode) {
  GuiApplication();
  QImage source(2, 2, QImage::Format_RGB32);
  source.setPixel(0, 0, qRgb(255, 0, 0));
  source.setPixel(1, 0, qRgb(0, 255, 0));
  source.setPixel(0, 1, qRgb(0, 0, 255));
  source.setPixel(1, 1, kWhite);

  QImage target = Filled(6, 6, kBlack);
  {
    QPainter painter(&target);
    StretchBitmap(QRect(1, 1, 4, 4), painter, source, QRect(0, 0, 2, 2));
  }
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 5 && y >= 1 && y < 5;
      EXPECT_EQ(target.pixel(x, y), inside ? source.pixel((x - 1) / 2, (y - 1) / 2) : kBlack) << x << "," << y;
    }

  // Same size: a plain copy of the part, here combined by exclusive or.
  QImage mixed = Filled(1, 1, qRgb(0, 255, 255));
  {
    QPainter painter(&mixed);
    StretchBitmap(QRect(0, 0, 1, 1), painter, source, QRect(1, 1, 1, 1),
                  QPainter::RasterOp_SourceXorDestination);
  }
  EXPECT_EQ(mixed.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(DibBitmap, DrawPaintsThePictureAndTheTransparentColourLetsTheTargetShow) {
  GuiApplication();
  CDib dib;
  Fill24(dib, {kWhite, kWhite, kWhite, kBlack, qRgb(192, 192, 192), kBlack});
  QImage target = Filled(5, 4, qRgb(0, 0, 255));
  {
    QPainter painter(&target);
    EXPECT_TRUE(Draw(dib, painter, 1, 1));
    EXPECT_FALSE(Draw(CDib(), painter, 0, 0));
  }
  EXPECT_EQ(target.pixel(1, 1), kBlack);
  EXPECT_EQ(target.pixel(2, 1), qRgb(192, 192, 192));
  EXPECT_EQ(target.pixel(3, 2), kWhite);
  EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 255));

  QImage keyed = Filled(5, 4, qRgb(0, 0, 255));
  {
    QPainter painter(&keyed);
    DrawTransparentBitmap(painter, CreateBitmap(dib), 1, 1, qRgb(192, 192, 192));
  }
  EXPECT_EQ(keyed.pixel(1, 1), kBlack);
  EXPECT_EQ(keyed.pixel(2, 1), qRgb(0, 0, 255)) << "the transparent pixel keeps the target";
  EXPECT_EQ(keyed.pixel(3, 2), kWhite);
}

}  // namespace
