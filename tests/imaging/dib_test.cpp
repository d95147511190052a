#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "imaging/dib.h"
#include "imaging/dib_pixels.h"
#include "imaging/octree_palette.h"
#include "filers/file_object.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Colours as the test writes them: red in the high byte, like 0xRRGGBB.
PaletteEntry Rgb(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb),
          0};
}

// A 24-bit picture whose pixels (bottom row first) are the given colours.
void Fill24(CDib& dib, int width, int height, const std::vector<std::uint32_t>& colours) {
  ASSERT_TRUE(dib.CreateBlank(24, width, height));
  int bit_count = 0;
  int stride = 0;
  std::uint8_t* rows = dib.GetBits(&bit_count, &stride);
  for (int i = 0; i < width * height; ++i) {
    std::uint8_t* p = rows + (i / width) * stride + 3 * (i % width);
    p[0] = static_cast<std::uint8_t>(colours[i]);
    p[1] = static_cast<std::uint8_t>(colours[i] >> 8);
    p[2] = static_cast<std::uint8_t>(colours[i] >> 16);
  }
}

// The colour of every pixel, bottom row first, whatever the bit count.
std::vector<std::uint32_t> Colours(const CDib& dib) {
  DibLayout layout;
  EXPECT_TRUE(ParseDib(dib.GetMemory(), &layout, nullptr));
  const DibPixelDecoder decoder(dib.GetMemory().data(), layout);
  int bit_count = 0;
  int stride = 0;
  const std::uint8_t* rows = dib.GetBits(&bit_count, &stride);
  std::vector<std::uint32_t> colours;
  for (int y = 0; y < dib.GetHeight(); ++y) {
    for (int x = 0; x < dib.GetWidth(); ++x) {
      const PaletteEntry c = decoder.Decode(ReadPixelValue(rows + y * stride, layout.bit_count, x));
      colours.push_back((c.red << 16) | (c.green << 8) | c.blue);
    }
  }
  return colours;
}

Bytes WriteBmp(CDib& dib) {
  FcFile file;
  EXPECT_TRUE(dib.WriteFile(file));
  const std::vector<char> bytes = file.TakeBytes();
  return Bytes(bytes.begin(), bytes.end());
}

bool ReadBmp(CDib& dib, const Bytes& bytes, std::string* error = nullptr) {
  FcFile file(std::vector<char>(bytes.begin(), bytes.end()));
  return dib.ReadFile(file, error);
}

const std::vector<std::uint32_t> kSixColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};

TEST(DibFile, ThreeByTwo24BitFileIsExact) {
  CDib dib;
  Fill24(dib, 3, 2, kSixColours);
  const Bytes expected = {
      'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                    // file header
      40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,       // header
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                                  //
      0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,                                        // bottom row
      255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};                                 // top row
  EXPECT_EQ(WriteBmp(dib), expected);

  CDib back;
  ASSERT_TRUE(ReadBmp(back, expected));
  EXPECT_EQ(back.GetWidth(), 3);
  EXPECT_EQ(back.GetHeight(), 2);
  EXPECT_EQ(Colours(back), kSixColours);
  EXPECT_EQ(back.GetPalette(), nullptr);
}

TEST(DibFile, EveryBitCountSurvivesWriteAndRead) {
  const std::vector<std::uint32_t> black_white = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF};
  for (int bit_count : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(bit_count);
    CDib dib;
    Fill24(dib, 3, 2, black_white);
    ASSERT_TRUE(dib.ConvertBitCount(bit_count));
    const Bytes file = WriteBmp(dib);
    CDib back;
    std::string error;
    ASSERT_TRUE(ReadBmp(back, file, &error)) << error;
    // Reading fills in the colour count that the converted header left 0.
    Bytes expected = file;
    if (bit_count <= 8) WriteLe32(expected.data() + 14 + 32, 1u << bit_count);
    EXPECT_EQ(WriteBmp(back), expected);
    EXPECT_EQ(Colours(back), Colours(dib));
    EXPECT_EQ(back.GetPalette() != nullptr, bit_count <= 8);
  }
}

TEST(DibFile, SerializeStoresAndLoadsThroughTheSameFile) {
  CDib dib;
  Fill24(dib, 3, 2, kSixColours);
  FcFile stored;
  ASSERT_TRUE(dib.Serialize(stored, false));
  const std::vector<char> bytes = stored.TakeBytes();
  CDib back;
  FcFile loading(bytes);
  ASSERT_TRUE(back.Serialize(loading, true));
  EXPECT_EQ(back.GetMemory(), dib.GetMemory());

  FcFile foreign(std::vector<char>{'G', 'I', 'F', '8', '9', 'a'});
  EXPECT_FALSE(back.Serialize(foreign, true));
  EXPECT_EQ(back.GetMemory(), dib.GetMemory());
}

TEST(DibFile, MissingCountsAreFilledInAndGapsBeforeTheRowsSkipped) {
  CDib dib;
  Fill24(dib, 3, 2, kSixColours);
  ASSERT_TRUE(dib.ConvertBitCount(8));
  Bytes file = WriteBmp(dib);
  WriteLe32(file.data() + 14 + 20, 0);  // image size
  WriteLe32(file.data() + 14 + 32, 0);  // colours used
  // Four spare bytes between the colour table and the rows.
  const std::size_t rows_at = ReadLe32(file.data() + 10);
  file.insert(file.begin() + static_cast<std::ptrdiff_t>(rows_at), 4, 0xEE);
  WriteLe32(file.data() + 2, static_cast<std::uint32_t>(file.size()));
  WriteLe32(file.data() + 10, static_cast<std::uint32_t>(rows_at + 4));

  CDib back;
  std::string error;
  ASSERT_TRUE(ReadBmp(back, file, &error)) << error;
  const BitmapInfoHeader header = ReadInfoHeader(back.GetMemory().data());
  EXPECT_EQ(header.clr_used, 256u);
  EXPECT_EQ(header.size_image, 4u * 2u);
  EXPECT_EQ(Colours(back), Colours(dib));
}

TEST(DibFile, MalformedFilesAreRefused) {
  CDib source;
  Fill24(source, 3, 2, kSixColours);
  const Bytes good = WriteBmp(source);
  struct Edit {
    std::size_t offset;
    std::uint32_t value;
    int bytes;
  };
  struct Case {
    const char* name;
    std::vector<Edit> edits;
    const char* message;
  };
  const Case cases[] = {
      {"signature", {{0, 0x4D43, 2}}, "not a BMP file"},
      {"file size past the end", {{2, 79, 4}}, "does not match the file"},
      {"file size below the headers", {{2, 40, 4}}, "does not match the file"},
      {"core header", {{14, 12, 4}}, "only 40-byte headers"},
      {"newer header", {{14, 124, 4}}, "only 40-byte headers"},
      {"zero width", {{18, 0, 4}}, "must be positive"},
      {"top-down rows", {{22, 0xFFFFFFFE, 4}}, "must be positive"},
      {"product past 32 bits", {{18, 0x10000, 4}, {22, 0x10000, 4}}, "larger than the limit"},
      {"too many pixels", {{18, 20000, 4}, {22, 20000, 4}}, "larger than the limit"},
      {"two bit layers", {{26, 2, 2}}, "bit layers"},
      {"odd bit count", {{28, 7, 2}}, "bit count 7"},
      {"run-length 24 bits", {{30, 1, 4}}, "compression method 1"},
      {"unknown compression", {{30, 4, 4}}, "compression method 4"},
      {"colour count", {{46, 257, 4}}, "allows at most 256"},
      {"table past the data", {{46, 200, 4}}, "colour table reaches past"},
      {"offset into the header", {{10, 40, 4}}, "points into the bitmap header"},
      {"offset past the end", {{10, 70, 4}}, "rows reach past the end"},
      {"rows past the data", {{22, 3, 4}}, "rows reach past the end"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bad = good;
    for (const Edit& edit : c.edits) {
      if (edit.bytes == 2) {
        WriteLe16(bad.data() + edit.offset, static_cast<std::uint16_t>(edit.value));
      } else {
        WriteLe32(bad.data() + edit.offset, edit.value);
      }
    }
    CDib dib;
    Fill24(dib, 1, 1, {0x123456});
    std::string error;
    EXPECT_FALSE(ReadBmp(dib, bad, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_EQ(Colours(dib), std::vector<std::uint32_t>{0x123456});
  }
}

TEST(DibFile, TruncatedFilesAreRefusedAtEveryLength) {
  CDib source;
  Fill24(source, 3, 2, kSixColours);
  const Bytes good = WriteBmp(source);
  for (std::size_t length = 0; length < good.size(); ++length) {
    CDib dib;
    EXPECT_FALSE(ReadBmp(dib, Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length))));
    EXPECT_TRUE(dib.IsEmpty());
  }
}

TEST(DibMemory, InconsistentBlocksAreRefusedAndThePictureKept) {
  CDib dib;
  Fill24(dib, 2, 2, {1, 2, 3, 4});
  Bytes block = dib.GetMemory();
  block.pop_back();
  std::string error;
  EXPECT_FALSE(dib.SetMemory(block, &error));
  EXPECT_NE(error.find("rows reach past"), std::string::npos);
  EXPECT_FALSE(dib.SetMemory({}, &error));
  EXPECT_EQ(Colours(dib), (std::vector<std::uint32_t>{1, 2, 3, 4}));
  EXPECT_FALSE(dib.CreateBlank(24, 0, 5));
  EXPECT_FALSE(dib.CreateBlank(24, 1 << 15, 1 << 15));
  EXPECT_EQ(dib.GetWidth(), 2);
}

TEST(DibMemory, CoreHeaderBlocksGiveTheirSizeAndPalette) {
  Bytes block(12 + 6 + 4, 0);
  WriteLe32(block.data(), 12);
  WriteLe16(block.data() + 4, 5);  // width
  WriteLe16(block.data() + 6, 1);  // height
  WriteLe16(block.data() + 8, 1);
  WriteLe16(block.data() + 10, 1);
  block[12 + 3] = 0x10;  // second entry: blue, green, red
  block[12 + 4] = 0x20;
  block[12 + 5] = 0x30;
  block[18] = 0xA8;  // 1 0 1 0 1
  CDib dib;
  ASSERT_TRUE(dib.SetMemory(block));
  EXPECT_EQ(dib.GetWidth(), 5);
  ASSERT_NE(dib.GetPalette(), nullptr);
  EXPECT_EQ(dib.GetPalette()->entries, (std::vector<PaletteEntry>{Rgb(0), Rgb(0x302010)}));
  EXPECT_EQ(Colours(dib), (std::vector<std::uint32_t>{0x302010, 0, 0x302010, 0, 0x302010}));
  FcFile file;
  EXPECT_FALSE(dib.WriteFile(file));
}

TEST(DibConvert, PixelsMapToTheNearestColourOfTheTargetTable) {
  struct Case {
    int bit_count;
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {1, {0x000000, 0x000000, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF}},
      {4, {0xAA0000, 0x00AA00, 0x0000AA, 0xFFFFFF, 0x000000, 0xAAAAAA}},
      {8, kSixColours},
      {16, {0xF80000, 0x00F800, 0x0000F8, 0xF8F8F8, 0x000000, 0x808080}},
      {32, kSixColours},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bit_count);
    CDib dib;
    Fill24(dib, 3, 2, kSixColours);
    ASSERT_TRUE(dib.ConvertBitCount(c.bit_count));
    EXPECT_EQ(Colours(dib), c.expected);
    ASSERT_TRUE(dib.ConvertBitCount(24));
    EXPECT_EQ(Colours(dib), c.expected);
  }
}

TEST(DibConvert, GivenOrSourcePalettesAreUsed) {
  CDib dib;
  Fill24(dib, 3, 2, kSixColours);
  CPalette grey;
  grey.entries = {Rgb(0x000000), Rgb(0x404040), Rgb(0xC0C0C0)};
  const Bytes converted = ConvertDibBitCount(dib.GetMemory(), 4, &grey);
  ASSERT_TRUE(dib.SetMemory(converted));
  EXPECT_EQ(Colours(dib), (std::vector<std::uint32_t>{0x404040, 0x404040, 0x404040, 0xC0C0C0, 0, 0x404040}));
  // Without a palette, a 4-bit source keeps its own table.
  CDib again;
  ASSERT_TRUE(again.SetMemory(ConvertDibBitCount(dib.GetMemory(), 4, nullptr)));
  ASSERT_EQ(again.GetPalette()->entries.size(), 16u);
  EXPECT_EQ(again.GetPalette()->entries[1], Rgb(0x404040));
  EXPECT_EQ(Colours(again), Colours(dib));
}

TEST(DibConvert, CompressedPicturesAreNotConverted) {
  Bytes block(40 + 1024 + 2, 0);
  BitmapInfoHeader header;
  header.width = 1;
  header.height = 1;
  header.bit_count = 8;
  header.compression = kDibCompressionRle8;
  header.size_image = 2;
  WriteInfoHeader(block.data(), header);
  CDib dib;
  ASSERT_TRUE(dib.SetMemory(block));
  EXPECT_FALSE(dib.ConvertBitCount(24));
  EXPECT_FALSE(dib.Scale(2, 2));
  EXPECT_EQ(dib.GetMemory(), block);
}

TEST(OctreePalette, FewColoursGiveOneEntryEachAndManyAreReduced) {
  CDib dib;
  Fill24(dib, 3, 2, kSixColours);
  const std::optional<CPalette> few = CreateDibPalette(dib.GetMemory(), 236, 8);
  ASSERT_TRUE(few.has_value());
  std::set<std::uint32_t> found;
  for (const PaletteEntry& e : few->entries) found.insert((e.red << 16) | (e.green << 8) | e.blue);
  EXPECT_EQ(found, std::set<std::uint32_t>(kSixColours.begin(), kSixColours.end()));
  EXPECT_EQ(few->entries.size(), 6u);

  std::vector<std::uint32_t> many;
  for (std::uint32_t i = 0; i < 64 * 64; ++i) many.push_back(i * 0x010203u * 7 & 0xFFFFFF);
  Fill24(dib, 64, 64, many);
  const std::optional<CPalette> reduced = CreateDibPalette(dib.GetMemory(), 236, 8);
  ASSERT_TRUE(reduced.has_value());
  EXPECT_LE(reduced->entries.size(), 236u);
  EXPECT_GT(reduced->entries.size(), 100u);
  EXPECT_TRUE(dib.ConvertBitCount(8));

  EXPECT_FALSE(CreateDibPalette(dib.GetMemory(), 236, 9).has_value());
  EXPECT_FALSE(CreateDibPalette(dib.GetMemory(), 0, 8).has_value());
}

TEST(DibAdjust, ChannelsFollowBrightnessContrastAndFade) {
  struct Case {
    int brightness, contrast, fade;
    std::uint32_t fade_colour;  // red in the low byte
    std::uint32_t in, out;      // 0xRRGGBB
  };
  const Case cases[] = {
      {50, 50, 0, 0, 0x64C832, 0x64C832},
      {100, 50, 0, 0, 0x64C832, 0xFFFFFF},
      {0, 50, 0, 0, 0x64C832, 0x000000},
      {150, 50, 0, 0, 0x64C832, 0xFFFFFF},  // taken as 100
      {75, 50, 0, 0, 0x640000, 0xB17F7F},   // (255 - v) / 2 + v
      {25, 50, 0, 0, 0x640000, 0x320000},   // v / 2
      {50, 75, 0, 0, 0x6428D2, 0x5200FF},   // 100 -> 82, 40 -> 0, 210 -> 255
      {50, 25, 0, 0, 0x64FF00, 0x6ECD32},   // v x 155 / 255 + 50
      {50, 50, 50, 0x0000FF, 0x326465, 0x983232},  // half-way to red
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.brightness << " " << c.contrast << " " << c.fade);
    CDib dib;
    Fill24(dib, 2, 1, {c.in, c.in});
    ASSERT_TRUE(dib.AdjustImage(c.brightness, c.contrast, c.fade, c.fade_colour));
    EXPECT_EQ(Colours(dib), (std::vector<std::uint32_t>{c.out, c.out}));
  }
  CDib eight;
  Fill24(eight, 2, 1, {0, 0});
  ASSERT_TRUE(eight.ConvertBitCount(8));
  EXPECT_FALSE(eight.AdjustImage(100, 50, 0, 0));
}

TEST(DibScale, NearestPixelsFillTheNewSize) {
  CDib dib;
  Fill24(dib, 2, 1, {0x111111, 0x222222});
  const Bytes before = dib.GetMemory();
  EXPECT_TRUE(dib.Scale(2, 1));
  EXPECT_EQ(dib.GetMemory(), before);
  ASSERT_TRUE(dib.Scale(4, 2));
  EXPECT_EQ(Colours(dib), (std::vector<std::uint32_t>{0x111111, 0x111111, 0x222222, 0x222222, 0x111111, 0x111111,
                                                      0x222222, 0x222222}));
  ASSERT_TRUE(dib.Scale(1, 1));
  EXPECT_EQ(Colours(dib), std::vector<std::uint32_t>{0x222222});
  EXPECT_FALSE(dib.Scale(0, 3));

  CDib one_bit;
  Fill24(one_bit, 3, 1, {0, 0xFFFFFF, 0});
  ASSERT_TRUE(one_bit.ConvertBitCount(1));
  ASSERT_TRUE(one_bit.Scale(6, 1));
  EXPECT_EQ(Colours(one_bit), (std::vector<std::uint32_t>{0, 0, 0xFFFFFF, 0xFFFFFF, 0, 0}));
}

}  // namespace
