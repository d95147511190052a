#include "display/bitmap_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(BitmapHelpersTest, CreateAndFill) {
  FcBitmap bitmap;
  bitmap.Fill(0x0000FF);
  EXPECT_TRUE(bitmap.IsEmpty());
  bitmap.CreateScreenBitmap(10, 10);
  bitmap.Fill(0x0000FF);
  EXPECT_EQ(std::count(bitmap.GetPixels().begin(), bitmap.GetPixels().end(), 0x0000FFu), 100);
  bitmap.CreateScreenBitmap(0, 100);
  bitmap.CreateScreenBitmap(100, -1);
  EXPECT_EQ(bitmap.GetWidth(), 10);
  EXPECT_EQ(bitmap.GetPixel(9, 9), 0x0000FFu);
}

TEST(BitmapHelpersTest, DrawBitmapAtCutsAtTheTargetAndCombines) {
  FcBitmap source;
  source.CreateScreenBitmap(4, 4);
  source.Fill(0x00FF00);
  FcBitmap target;
  target.CreateScreenBitmap(6, 6);
  target.Fill(0x0000FF);
  DrawBitmapAt(source, target, 4, -2, FcRasterOp::kCopy);
  EXPECT_EQ(target.GetPixel(5, 0), 0x00FF00u);
  EXPECT_EQ(target.GetPixel(5, 1), 0x00FF00u);
  EXPECT_EQ(target.GetPixel(5, 2), 0x0000FFu);
  EXPECT_EQ(target.GetPixel(3, 0), 0x0000FFu);
  DrawBitmapAt(source, target, 0, 0, FcRasterOp::kInvert);
  DrawBitmapAt(source, target, 0, 0, FcRasterOp::kInvert);
  EXPECT_EQ(target.GetPixel(0, 0), 0x0000FFu);
  DrawBitmapAt(source, target, 2147483647, 2147483647, FcRasterOp::kCopy);
}

}  // namespace
