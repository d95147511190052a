#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/jpeg_reader.h"
#include "tests/support/jpeg_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// 5 x 3: a red top row over two blue rows.
Bytes RedOverBlue() {
  Bytes pixels;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      pixels.insert(pixels.end(), {static_cast<std::uint8_t>(y == 0 ? 255 : 0), 0,
                                   static_cast<std::uint8_t>(y == 0 ? 0 : 255)});
    }
  }
  return CompressJpeg(5, 3, 3, pixels);
}

std::string WriteTemp(const Bytes& bytes, const std::string& name) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

void ExpectNear(const std::uint8_t* pixel, int blue, int green, int red) {
  EXPECT_NEAR(pixel[0], blue, 8);
  EXPECT_NEAR(pixel[1], green, 8);
  EXPECT_NEAR(pixel[2], red, 8);
}

TEST(JpegReader, ColourFileBecomesBottomUpBgrRows) {
  const std::string path = WriteTemp(RedOverBlue(), "kovra_jpeg_colour.jpg");
  CJpeg jpeg;
  ASSERT_TRUE(jpeg.LoadDib(path)) << jpeg.GetErrorText();
  std::filesystem::remove(path);
  const CDib& dib = *jpeg.GetDib();
  int bit_count = 0;
  int stride = 0;
  const std::uint8_t* rows = dib.GetBits(&bit_count, &stride);
  EXPECT_EQ(bit_count, 24);
  EXPECT_EQ(stride, 16);
  EXPECT_EQ(dib.GetWidth(), 5);
  EXPECT_EQ(dib.GetHeight(), 3);
  for (int x = 0; x < 5; ++x) {
    ExpectNear(rows + 2 * stride + 3 * x, 0, 0, 255);
    ExpectNear(rows + 3 * x, 255, 0, 0);
  }
  EXPECT_EQ(rows[15], 0);
}

TEST(JpegReader, GreyscaleGivesEqualChannels) {
  Bytes grey;
  for (int i = 0; i < 7 * 4; ++i) grey.push_back(static_cast<std::uint8_t>(i * 9));
  const Bytes file = CompressJpeg(7, 4, 1, grey);
  CJpeg jpeg;
  ASSERT_TRUE(jpeg.LoadDibFromMemory(file.data(), file.size())) << jpeg.GetErrorText();
  int bit_count = 0;
  int stride = 0;
  const std::uint8_t* rows = jpeg.GetDib()->GetBits(&bit_count, &stride);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 7; ++x) {
      const std::uint8_t* p = rows + y * stride + 3 * x;
      EXPECT_EQ(p[0], p[1]);
      EXPECT_EQ(p[1], p[2]);
    }
  }
}

// The picture with its frame header claiming `side` x `side` pixels.
Bytes WithClaimedSide(Bytes picture, int side) {
  for (std::size_t i = 0; i + 8 < picture.size(); ++i) {
    if (picture[i] == 0xFF && picture[i + 1] == 0xC0) {
      picture[i + 5] = picture[i + 7] = static_cast<std::uint8_t>(side >> 8);
      picture[i + 6] = picture[i + 8] = static_cast<std::uint8_t>(side & 0xFF);
      break;
    }
  }
  return picture;
}

TEST(JpegReader, FlatPictureOfFewBytesStillLoads) {
  const int side = 1024;
  const Bytes file = CompressJpeg(side, side, 1, Bytes(std::size_t{side} * side, 200), true);
  CJpeg jpeg;
  ASSERT_TRUE(jpeg.LoadDibFromMemory(file.data(), file.size())) << jpeg.GetErrorText() << " " << file.size();
  EXPECT_EQ(jpeg.GetDib()->GetWidth(), side);
  EXPECT_EQ(jpeg.GetDib()->GetHeight(), side);
}

TEST(JpegReader, FailuresKeepThePreviousPicture) {
  const Bytes good = RedOverBlue();
  const Bytes huge = WithClaimedSide(good, 65000);
  // Small enough for a picture, but the few bytes of data cannot hold it:
  // the decoder would make up nearly every row.
  const Bytes hollow = WithClaimedSide(good, 16384);
  const Bytes garbage = {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  struct Case {
    const char* name;
    Bytes data;
    bool decoder_error;
    const char* message;
  };
  const Case cases[] = {
      {"not a JPEG", garbage, true, ""},
      {"empty", {}, true, ""},
      {"cut after the header", Bytes(good.begin(), good.begin() + 20), true, ""},
      {"too large", huge, false, "JpegFile :\nThe picture of 65000 x 65000 pixels is larger than the limit"},
      {"too little data", hollow, false, "JpegFile :\nThe picture of 16384 x 16384 pixels is larger than its"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CJpeg jpeg;
    ASSERT_TRUE(jpeg.LoadDibFromMemory(good.data(), good.size()));
    const CDib* before = jpeg.GetDib();
    EXPECT_FALSE(jpeg.LoadDibFromMemory(c.data.data(), c.data.size()));
    EXPECT_EQ(jpeg.GetDib(), before);
    EXPECT_EQ(jpeg.IsDecoderError(), c.decoder_error);
    EXPECT_FALSE(jpeg.GetErrorText().empty());
    EXPECT_EQ(jpeg.GetErrorText().find(c.message), 0u) << jpeg.GetErrorText();
  }

  CJpeg jpeg;
  const std::string hollow_path = WriteTemp(hollow, "kovra_jpeg_hollow.jpg");
  EXPECT_FALSE(jpeg.LoadDib(hollow_path));
  std::filesystem::remove(hollow_path);
  EXPECT_EQ(jpeg.GetErrorText().find("JpegFile :\nThe picture of 16384 x 16384"), 0u) << jpeg.GetErrorText();

  const std::string missing = "/nonexistent/kovra.jpg";
  EXPECT_FALSE(jpeg.LoadDib(missing));
  EXPECT_EQ(jpeg.GetErrorText(), "JPEG :\nCan't open " + missing + "\n");
  EXPECT_FALSE(jpeg.IsDecoderError());
  EXPECT_EQ(jpeg.GetDib(), nullptr);
}

}  // namespace
