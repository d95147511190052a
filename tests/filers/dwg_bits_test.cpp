#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/crc16.h"
#include "filers/dwg_record.h"
#include "filers/filer_dwg.h"

namespace {

using Action = std::function<void(FcFilerDwg&)>;

void StartWriting(FcFilerDwg& filer) { filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg); }

// The bytes written so far, the last one padded with 0 bits.
std::vector<char> Finish(FcFilerDwg& filer) {
  while (filer.GetBitsWritten() % 8 != 0) {
    filer.WriteBit(0);
  }
  return filer.DetachFile()->TakeBytes();
}

void StartReading(FcFilerDwg& filer, std::vector<char> bytes) {
  filer.AttachFile(std::make_unique<FcFile>(std::move(bytes)), FcFileKind::kDwg);
}

std::vector<char> Written(const Action& write) {
  FcFilerDwg writer;
  StartWriting(writer);
  write(writer);
  return Finish(writer);
}

std::string BitText(const std::vector<char>& bytes, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += (static_cast<unsigned char>(bytes[i / 8]) >> (7 - i % 8)) & 1u ? '1' : '0';
  }
  return text;
}

// "C0 00" as the bit text "1100000000000000".
std::string HexBits(const std::string& hex) {
  std::string text;
  for (char c : hex) {
    if (c == ' ') {
      continue;
    }
    const int digit = std::stoi(std::string(1, c), nullptr, 16);
    for (int bit = 3; bit >= 0; --bit) {
      text += (digit >> bit) & 1 ? '1' : '0';
    }
  }
  return text;
}

std::vector<char> HexBytes(const std::string& hex) {
  const std::string bits = HexBits(hex);
  std::vector<char> bytes(bits.size() / 8);
  for (std::size_t i = 0; i < bits.size(); ++i) {
    if (bits[i] == '1') {
      bytes[i / 8] = static_cast<char>(bytes[i / 8] | (0x80 >> (i % 8)));
    }
  }
  return bytes;
}

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

struct EncodingCase {
  const char* name;
  Action write;
  std::string bits;
};

TEST(DwgBitsTest, WritersChooseTheExpectedCodes) {
  const double one_low_bytes_changed = FromBits(0x3FF0000012345678);
  const double one_middle_bytes_changed = FromBits(0x3FF0ABCD12345678);
  const EncodingCase cases[] = {
      {"B writes the lowest bit", [](FcFilerDwg& f) { f.WriteBit(0xFE); f.WriteBit(3); }, "01"},
      {"BS 0", [](FcFilerDwg& f) { f.WriteBitShort(0); }, "10"},
      {"BS 256", [](FcFilerDwg& f) { f.WriteBitShort(256); }, "11"},
      {"BS 255", [](FcFilerDwg& f) { f.WriteBitShort(255); }, "01" + HexBits("FF")},
      {"BS 257", [](FcFilerDwg& f) { f.WriteBitShort(257); }, "00" + HexBits("01 01")},
      {"BS -1", [](FcFilerDwg& f) { f.WriteBitShort(-1); }, "00" + HexBits("FF FF")},
      {"BL 0", [](FcFilerDwg& f) { f.WriteBitLong(0); }, "10"},
      {"BL 300", [](FcFilerDwg& f) { f.WriteBitLong(300); }, "00" + HexBits("2C 01 00 00")},
      {"BL -1", [](FcFilerDwg& f) { f.WriteBitLong(-1); }, "00" + HexBits("FF FF FF FF")},
      {"BD 1.0", [](FcFilerDwg& f) { f.WriteBitDouble(1.0); }, "01"},
      {"BD 0.0", [](FcFilerDwg& f) { f.WriteBitDouble(0.0); }, "10"},
      {"BD 2.0", [](FcFilerDwg& f) { f.WriteBitDouble(2.0); }, "00" + HexBits("00 00 00 00 00 00 00 40")},
      {"DD equal to the default", [](FcFilerDwg& f) { f.WriteDefaultDouble(1.0, 1.0); }, "00"},
      {"DD low bytes differ", [=](FcFilerDwg& f) { f.WriteDefaultDouble(1.0, one_low_bytes_changed); },
       "01" + HexBits("78 56 34 12")},
      {"DD bytes 4 and 5 differ", [=](FcFilerDwg& f) { f.WriteDefaultDouble(1.0, one_middle_bytes_changed); },
       "10" + HexBits("CD AB 78 56 34 12")},
      {"DD high bytes differ", [](FcFilerDwg& f) { f.WriteDefaultDouble(1.0, 2.0); },
       "11" + HexBits("00 00 00 00 00 00 00 40")},
      {"H absolute", [](FcFilerDwg& f) { f.WriteHandleRef(5, 0, 0x1F); }, HexBits("51 1F")},
      {"H absolute, handle 0", [](FcFilerDwg& f) { f.WriteHandleRef(4, 0x99, 0); }, HexBits("40")},
      {"H absolute, five bytes", [](FcFilerDwg& f) { f.WriteHandleRef(3, 0, 0x123456789A); },
       HexBits("35 12 34 56 78 9A")},
      {"H reference + 1", [](FcFilerDwg& f) { f.WriteHandleRef(8, 0x20, 0x21); }, HexBits("60")},
      {"H reference - 1", [](FcFilerDwg& f) { f.WriteHandleRef(8, 0x22, 0x21); }, HexBits("80")},
      {"H above the reference", [](FcFilerDwg& f) { f.WriteHandleRef(8, 0x10, 0x30); }, HexBits("A1 20")},
      {"H below the reference", [](FcFilerDwg& f) { f.WriteHandleRef(8, 0x30, 0x10); }, HexBits("C1 20")},
      {"H equal to the reference", [](FcFilerDwg& f) { f.WriteHandleRef(6, 0x30, 0x30); }, HexBits("C0")},
      {"MC 64", [](FcFilerDwg& f) { f.WriteModularChar(64); }, HexBits("C0 00")},
      {"MC -64", [](FcFilerDwg& f) { f.WriteModularChar(-64); }, HexBits("C0 40")},
      {"MC 63", [](FcFilerDwg& f) { f.WriteModularChar(63); }, HexBits("3F")},
      {"MC -1", [](FcFilerDwg& f) { f.WriteModularChar(-1); }, HexBits("41")},
      {"MC 16384", [](FcFilerDwg& f) { f.WriteModularChar(16384); }, HexBits("80 80 01")},
      {"MC -50", [](FcFilerDwg& f) { f.WriteModularChar(-50); }, HexBits("72")},
      {"MC 100", [](FcFilerDwg& f) { f.WriteModularChar(100); }, HexBits("E4 00")},
      {"unsigned MC 127", [](FcFilerDwg& f) { f.WriteUnsignedModularChar(127); }, HexBits("7F")},
      {"unsigned MC 128", [](FcFilerDwg& f) { f.WriteUnsignedModularChar(128); }, HexBits("80 01")},
      {"MS 0x7FFF", [](FcFilerDwg& f) { f.WriteModularShort(0x7FFF); }, HexBits("FF 7F")},
      {"MS 0x8000", [](FcFilerDwg& f) { f.WriteModularShort(0x8000); }, HexBits("00 80 01 00")},
      {"TV", [](FcFilerDwg& f) { f.WriteText("AB"); }, "01" + HexBits("02 41 42")},
      {"TV empty and null", [](FcFilerDwg& f) { f.WriteText(""); f.WriteText(static_cast<const char*>(nullptr)); },
       "1010"},
      {"RL after 3 bits spreads over 5 bytes", [](FcFilerDwg& f) { f.WriteBit(1); f.WriteBit(0); f.WriteBit(1);
         f.WriteRawLong(0xFFFFFFFF); },
       "101" + std::string(32, '1')},
      {"RC signed", [](FcFilerDwg& f) { f.WriteRawChar(-2); }, HexBits("FE")},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.name);
    FcFilerDwg writer;
    StartWriting(writer);
    c.write(writer);
    const std::size_t count = writer.GetBitsWritten();
    EXPECT_EQ(count, c.bits.size());
    EXPECT_EQ(BitText(Finish(writer), count), c.bits);
  }
}

struct RoundTripCase {
  std::string name;
  Action write;
  Action read;  // reads and checks the values
  // The modular numbers are read as whole bytes straight from the file.
  bool byte_aligned = false;
};

template <typename W, typename R>
void ExpectSame(W written, R read) {
  if constexpr (std::is_floating_point_v<W>) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(written), std::bit_cast<std::uint64_t>(read)) << written;
  } else {
    EXPECT_EQ(static_cast<R>(written), read);
  }
}

template <typename W, typename R>
RoundTripCase Values(std::string name, void (FcFilerDwg::*write)(W), bool (FcFilerDwg::*read)(R&),
                     std::vector<W> values, bool byte_aligned = false) {
  return {name,
          [=](FcFilerDwg& f) {
            for (W v : values) {
              (f.*write)(v);
            }
          },
          [=](FcFilerDwg& f) {
            for (W v : values) {
              R got{};
              ASSERT_TRUE((f.*read)(got)) << testing::PrintToString(v);
              ExpectSame(v, got);
            }
          },
          byte_aligned};
}

std::vector<RoundTripCase> RoundTripCases() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> doubles = {0.0, 1.0, 2.0, -1.5, 1e-300, -1e300, inf, nan};
  std::vector<RoundTripCase> cases = {
      Values("B", &FcFilerDwg::WriteBit, &FcFilerDwg::ReadBit, std::vector<std::uint8_t>{1, 0, 1, 1}),
      Values("RC", &FcFilerDwg::WriteRawByte, &FcFilerDwg::ReadRawChar, std::vector<std::uint8_t>{0, 0x5A, 0xFF}),
      Values("RC signed", &FcFilerDwg::WriteRawChar, &FcFilerDwg::ReadRawChar, std::vector<std::int8_t>{-128, -1, 127}),
      Values("RS", &FcFilerDwg::WriteRawShort, &FcFilerDwg::ReadRawShortBytes,
             std::vector<std::uint16_t>{0, 0x1234, 0xFFFF}),
      Values("RL", &FcFilerDwg::WriteRawLong, &FcFilerDwg::ReadRawLong,
             std::vector<std::uint32_t>{0, 0x12345678, 0xFFFFFFFF}),
      Values("RD", &FcFilerDwg::WriteRawDouble, &FcFilerDwg::ReadRawDouble, doubles),
      Values("BS", &FcFilerDwg::WriteBitShort, &FcFilerDwg::ReadBitShort,
             std::vector<std::int16_t>{0, 1, 255, 256, 257, -1, INT16_MIN, INT16_MAX}),
      Values("BL", &FcFilerDwg::WriteBitLong, &FcFilerDwg::ReadBitLong,
             std::vector<std::int32_t>{0, 1, 255, 256, -1, INT32_MIN, INT32_MAX}),
      Values("BD", &FcFilerDwg::WriteBitDouble, &FcFilerDwg::ReadBitDouble, doubles),
      Values("MC", &FcFilerDwg::WriteModularChar, &FcFilerDwg::ReadModularChar,
             std::vector<std::int32_t>{0, 63, -63, 64, -64, 8191, -8192, 16384, INT32_MAX, INT32_MIN, -1}, true),
      Values("unsigned MC", &FcFilerDwg::WriteUnsignedModularChar, &FcFilerDwg::ReadUnsignedModularChar,
             std::vector<std::uint64_t>{0, 127, 128, 0x3FFF, 0x4000, std::uint64_t{1} << 63, UINT64_MAX}, true),
      Values("MS", &FcFilerDwg::WriteModularShort, &FcFilerDwg::ReadModularShort,
             std::vector<std::uint32_t>{0, 0x7FFF, 0x8000, 0x3FFFFFFF, INT32_MAX}, true),
  };
  cases.push_back({"2RD, 3RD and 3BD",
                   [](FcFilerDwg& f) {
                     f.WriteRawDouble(1.5);
                     f.WriteRawDouble(-2.0);
                     for (double v : {0.0, 1.0, 7.25, 0.0, 1.0, 2.0}) {
                       f.WriteBitDouble(v);
                     }
                   },
                   [](FcFilerDwg& f) {
                     double two[2];
                     double three[3];
                     ASSERT_TRUE(f.Read2RawDouble(two));
                     EXPECT_EQ(two[0], 1.5);
                     EXPECT_EQ(two[1], -2.0);
                     ASSERT_TRUE(f.Read3BitDouble(three));
                     EXPECT_EQ(three[2], 7.25);
                     ASSERT_TRUE(f.Read3BitDouble(three));
                     EXPECT_EQ(three[0], 0.0);
                     EXPECT_EQ(three[1], 1.0);
                     EXPECT_EQ(three[2], 2.0);
                   }});
  struct DefaultCase {
    double default_value;
    double value;
  };
  const std::vector<DefaultCase> defaults = {
      {1.0, 1.0}, {1.0, FromBits(0x3FF0000012345678)}, {1.0, FromBits(0x3FF0ABCD12345678)},
      {1.0, 2.0}, {0.0, -3.5},                         {nan, nan},
  };
  cases.push_back({"DD",
                   [=](FcFilerDwg& f) {
                     for (const DefaultCase& d : defaults) {
                       f.WriteDefaultDouble(d.default_value, d.value);
                     }
                   },
                   [=](FcFilerDwg& f) {
                     for (const DefaultCase& d : defaults) {
                       double got = 0.0;
                       ASSERT_TRUE(f.ReadDefaultDouble(d.default_value, got));
                       ExpectSame(d.value, got);
                     }
                   }});
  struct HandleCase {
    std::uint8_t code;
    FcHandle reference;
    FcHandle handle;
  };
  const std::vector<HandleCase> handles = {
      {0, 0, 0},         {0, 0, 0x2A},          {5, 7, UINT64_MAX}, {3, 0, 0x123456789A}, {8, 0x20, 0x21},
      {8, 0x22, 0x21},   {6, 0x10, 0x30},       {12, 0x30, 0x10},   {6, 5, 5},
      {8, 0, UINT64_MAX}, {8, UINT64_MAX, 0}, {6, 1, UINT64_MAX},
  };
  cases.push_back({"H",
                   [=](FcFilerDwg& f) {
                     for (const HandleCase& h : handles) {
                       f.WriteHandleRef(h.code, h.reference, h.handle);
                     }
                   },
                   [=](FcFilerDwg& f) {
                     for (const HandleCase& h : handles) {
                       FcHandle got = 0;
                       std::uint8_t code = 0xFF;
                       ASSERT_TRUE(f.ReadHandleRef(got, h.reference, &code));
                       EXPECT_EQ(got, h.handle);
                       if (h.code < 6) {
                         EXPECT_EQ(code, h.code);
                       }
                     }
                   }});
  const std::vector<std::string> texts = {"", "a", std::string(300, 'x'), std::string("\xE4\xF6\xFF", 3)};
  cases.push_back({"TV",
                   [=](FcFilerDwg& f) {
                     for (const std::string& t : texts) {
                       f.WriteText(t);
                     }
                   },
                   [=](FcFilerDwg& f) {
                     for (const std::string& t : texts) {
                       std::string got = "left over";
                       ASSERT_TRUE(f.ReadText(got));
                       EXPECT_EQ(got, t);
                     }
                   }});
  return cases;
}

// Every value is written after 0 to 7 leading bits and followed by a
// marker, so that a reader that takes one bit too many or too few shows.
TEST(DwgBitsTest, EveryCodeRoundTripsAtEveryBitOffset) {
  for (const RoundTripCase& c : RoundTripCases()) {
    for (int offset = 0; offset < (c.byte_aligned ? 1 : 8); ++offset) {
      SCOPED_TRACE(c.name + " after " + std::to_string(offset) + " bits");
      const std::vector<char> bytes = Written([&](FcFilerDwg& f) {
        for (int i = 0; i < offset; ++i) {
          f.WriteBit(static_cast<std::uint8_t>(i));
        }
        c.write(f);
        f.WriteBitShort(0x1357);
      });
      FcFilerDwg reader;
      StartReading(reader, bytes);
      for (int i = 0; i < offset; ++i) {
        std::uint8_t bit = 0;
        ASSERT_TRUE(reader.ReadBit(bit));
        EXPECT_EQ(bit, i & 1);
      }
      c.read(reader);
      std::int16_t marker = 0;
      ASSERT_TRUE(reader.ReadBitShort(marker));
      EXPECT_EQ(marker, 0x1357);
    }
  }
}

TEST(DwgBitsTest, ExtrusionAndThicknessFollowTheVersion) {
  struct Case {
    std::int32_t version;
    Action write;
    double extrusion[3];
    double thickness;
  };
  const Case cases[] = {
      {3, [](FcFilerDwg& f) { f.WriteBit(1); f.WriteBit(1); }, {0.0, 0.0, 1.0}, 0.0},
      {3,
       [](FcFilerDwg& f) {
         f.WriteBit(0);
         f.WriteBitDouble(1.0);
         f.WriteBitDouble(0.5);
         f.WriteBitDouble(0.0);
         f.WriteBit(0);
         f.WriteBitDouble(2.5);
       },
       {1.0, 0.5, 0.0},
       2.5},
      {2,
       [](FcFilerDwg& f) {
         f.WriteBitDouble(0.0);
         f.WriteBitDouble(0.0);
         f.WriteBitDouble(1.0);
         f.WriteBitDouble(0.0);
       },
       {0.0, 0.0, 1.0},
       0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    FcFilerDwg reader;
    StartReading(reader, Written(c.write));
    reader.SetVersion(c.version);
    double extrusion[3] = {9, 9, 9};
    double thickness = 9;
    ASSERT_TRUE(reader.ReadExtrusion(extrusion));
    ASSERT_TRUE(reader.ReadThickness(thickness));
    EXPECT_EQ(extrusion[0], c.extrusion[0]);
    EXPECT_EQ(extrusion[1], c.extrusion[1]);
    EXPECT_EQ(extrusion[2], c.extrusion[2]);
    EXPECT_EQ(thickness, c.thickness);
  }
}

struct FailureCase {
  const char* name;
  std::string hex;
  std::function<bool(FcFilerDwg&)> read;
};

TEST(DwgBitsTest, MalformedOrTruncatedDataFails) {
  const FailureCase cases[] = {
      {"B on nothing", "", [](FcFilerDwg& f) { std::uint8_t v; return f.ReadBit(v); }},
      {"RC after 3 bits of the last byte", "FF",
       [](FcFilerDwg& f) { std::uint8_t v; return f.SkipBits(3) && f.ReadRawChar(v); }},
      {"RL cut short", "01 02 03", [](FcFilerDwg& f) { std::uint32_t v; return f.ReadRawLong(v); }},
      {"RD cut short", "00 00 00 00 00 00 F0", [](FcFilerDwg& f) { double v; return f.ReadRawDouble(v); }},
      {"BS code 00 cut short", "00", [](FcFilerDwg& f) { std::int16_t v; return f.ReadBitShort(v); }},
      {"BL code 11", "C0", [](FcFilerDwg& f) { std::int32_t v; return f.ReadBitLong(v); }},
      {"BD code 11", "C0", [](FcFilerDwg& f) { double v; return f.ReadBitDouble(v); }},
      {"3BD with code 11 in z", "AC", [](FcFilerDwg& f) { double v[3]; return f.Read3BitDouble(v); }},
      {"DD code 10 cut short", "80 00 00 00", [](FcFilerDwg& f) { double v; return f.ReadDefaultDouble(1.0, v); }},
      {"TV longer than the data", "4F A0 41 42 43",
       [](FcFilerDwg& f) { std::string t; return f.ReadText(t); }},
      {"TV of the largest length on a few bytes", "3F DF C0 41",
       [](FcFilerDwg& f) { std::string t; return f.ReadText(t); }},
      {"H with missing bytes", "53 12", [](FcFilerDwg& f) { FcHandle h; return f.ReadHandleRef(h, 0); }},
      {"MC that never ends", "80 80 80", [](FcFilerDwg& f) { std::int32_t v; return f.ReadModularChar(v); }},
      {"MC longer than 32 bits", "80 80 80 80 80 00",
       [](FcFilerDwg& f) { std::int32_t v; return f.ReadModularChar(v); }},
      {"unsigned MC longer than 64 bits", "80 80 80 80 80 80 80 80 80 80 00",
       [](FcFilerDwg& f) { std::uint64_t v; return f.ReadUnsignedModularChar(v); }},
      {"MS that never ends", "00 80 00 80", [](FcFilerDwg& f) { std::int32_t v; return f.ReadModularShort(v); }},
      {"MS with a half word", "00 80 01", [](FcFilerDwg& f) { std::int32_t v; return f.ReadModularShort(v); }},
      {"MS longer than 31 bits", "00 80 00 80 00 80 00 00",
       [](FcFilerDwg& f) { std::int32_t v; return f.ReadModularShort(v); }},
      {"MS beyond 31 bits", "00 80 00 80 02 00", [](FcFilerDwg& f) { std::int32_t v; return f.ReadModularShort(v); }},
      {"skip past the end", "FF FF", [](FcFilerDwg& f) { return f.SkipBits(17); }},
      {"skip a huge count", "FF", [](FcFilerDwg& f) { return f.SkipBits(UINT64_MAX); }},
      {"extended data with a negative size", "3F FF C0",
       [](FcFilerDwg& f) { return f.SkipExtendedData(); }},
      {"extended data running past the end", "40 80 00",
       [](FcFilerDwg& f) { return f.SkipExtendedData(); }},
      {"aligned short after a seek past the end", "01 02 03",
       [](FcFilerDwg& f) { std::uint16_t v; return f.Seek(10, FcSeekOrigin::kBegin) == 10 && f.ReadAlignedShort(v); }},
      {"sentinel cut short", "95 A0 4E 28",
       [](FcFilerDwg& f) {
         const std::uint8_t sentinel[16] = {0x95, 0xA0, 0x4E, 0x28};
         return f.CheckSentinel(sentinel);
       }},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    FcFilerDwg reader;
    StartReading(reader, HexBytes(c.hex));
    EXPECT_FALSE(c.read(reader));
  }
  FcFilerDwg unopened;
  std::uint8_t bit = 0;
  EXPECT_FALSE(unopened.ReadBit(bit));
}

TEST(DwgBitsTest, ReadersHandleTheOddButValidForms) {
  FcFilerDwg reader;
  // MC 41; H code 4 with 10 bytes (the last 8 count); H code 6 with a
  // counter that is not read; TV with a negative length; extended data of
  // one block (size 2, application 0x12, 16 bits) then 0.
  StartReading(reader, HexBytes("41 4A FF FF 01 02 03 04 05 06 07 08 63 00 FF FF"));
  std::int32_t mc = 0;
  ASSERT_TRUE(reader.ReadModularChar(mc));
  EXPECT_EQ(mc, -1);
  FcHandle handle = 0;
  ASSERT_TRUE(reader.ReadHandleRef(handle, 0));
  EXPECT_EQ(handle, 0x0102030405060708u);
  ASSERT_TRUE(reader.ReadHandleRef(handle, 0x40));
  EXPECT_EQ(handle, 0x41u);
  std::string text = "old";
  ASSERT_TRUE(reader.ReadText(text));
  EXPECT_EQ(text, "");

  const std::vector<char> xdata = Written([](FcFilerDwg& f) {
    f.WriteBitShort(2);
    f.WriteHandleRef(5, 0, 0x12);
    f.WriteRawShort(0xBEEF);
    f.WriteBitShort(0);
    f.WriteBitShort(77);
  });
  FcFilerDwg xdata_reader;
  StartReading(xdata_reader, xdata);
  ASSERT_TRUE(xdata_reader.SkipExtendedData());
  std::int16_t after = 0;
  ASSERT_TRUE(xdata_reader.ReadBitShort(after));
  EXPECT_EQ(after, 77);
}

TEST(DwgBitsTest, SavedBitPositionAndSeekDropPendingBits) {
  FcFilerDwg reader;
  StartReading(reader, HexBytes("A5 3C 0F"));
  std::uint8_t value = 0;
  ASSERT_TRUE(reader.SkipBits(3));
  reader.SaveBitPosition();
  ASSERT_TRUE(reader.ReadRawChar(value));
  EXPECT_EQ(value, 0x29);  // 00101 of A5, then 001 of 3C
  ASSERT_TRUE(reader.ReadRawChar(value));
  reader.RestoreBitPosition();
  ASSERT_TRUE(reader.ReadRawChar(value));
  EXPECT_EQ(value, 0x29);
  EXPECT_EQ(reader.Seek(1, FcSeekOrigin::kBegin), 1);
  ASSERT_TRUE(reader.ReadRawChar(value));
  EXPECT_EQ(value, 0x3C);
}

TEST(DwgBitsTest, CrcOfRangeCoversTheWholeRangeAndKeepsThePosition) {
  std::vector<char> bytes(70000);
  const char digits[] = "123456789";
  std::copy(digits, digits + 9, bytes.begin() + 5);
  for (std::size_t i = 20; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i * 7);
  }
  FcFilerDwg reader;
  StartReading(reader, bytes);
  reader.Seek(3, FcSeekOrigin::kBegin);
  EXPECT_EQ(reader.CrcOfRange(0, 5, 14), 0xBB3D);
  EXPECT_EQ(reader.CrcOfRange(0xC0C1, 7, 7), 0xC0C1);
  const auto* raw = reinterpret_cast<const std::uint8_t*>(bytes.data());
  EXPECT_EQ(reader.CrcOfRange(0xC0C1, 0, 70000), Crc16Update(0xC0C1, 70000, raw));
  EXPECT_NE(reader.CrcOfRange(0xC0C1, 0, 70000), Crc16Update(0xC0C1, 70000 - 65536, raw));
  EXPECT_EQ(reader.CrcOfRange(0, 69990, 70001), 0);
  EXPECT_EQ(reader.CrcOfRange(0, 10, 9), 0);
  std::uint8_t value = 0;
  ASSERT_TRUE(reader.ReadRawChar(value));
  EXPECT_EQ(reader.GetFile()->GetPosition(), 4);
}

// An object whose data is a given number of bits, an owner reference and
// perhaps an extension dictionary.
class TestRecord : public FcDwgRecord {
 public:
  TestRecord(FcHandle handle, std::int16_t type, std::uint32_t data_bits)
      : handle_(handle), type_(type), dataBits_(data_bits) {}

  FcHandle GetDwgHandle() const override { return handle_; }
  std::int16_t GetDwgType() const override { return type_; }
  void WriteDwgExtendedData(FcFilerDwg& filer) override { filer.WriteBitShort(0); }
  FcDwgRecord* GetExtensionDictionary() override { return dictionary_; }
  void WriteDwg(FcFilerDwg& filer) override {
    filer.BeginObject(*this);
    for (std::uint32_t i = 0; i < dataBits_; ++i) {
      filer.WriteBit(static_cast<std::uint8_t>(i % 3 == 0));
    }
    filer.SetDataBitSize(filer.GetBitsWritten());
    filer.WriteHandleRef(4, handle_, kOwner);
    filer.EndObject(*this);
  }

  // Reads the record back the way the record readers do; the data bit size
  // read from it.
  std::uint32_t ReadBack(FcFilerDwg& filer) const {
    std::int64_t size = 0;
    std::int16_t type = 0;
    const std::int64_t offset = filer.SeekObject(handle_, size, type);
    EXPECT_GT(offset, 0);
    EXPECT_EQ(type, type_);
    std::uint32_t data_size = 0;
    FcHandle own = 0;
    EXPECT_TRUE(filer.ReadRawLong(data_size));
    EXPECT_TRUE(filer.ReadHandleRef(own, 0));
    EXPECT_EQ(own, handle_);
    EXPECT_TRUE(filer.SkipExtendedData());
    for (std::uint32_t i = 0; i < dataBits_; ++i) {
      std::uint8_t bit = 0;
      EXPECT_TRUE(filer.ReadBit(bit));
      EXPECT_EQ(bit, i % 3 == 0 ? 1 : 0);
    }
    FcHandle owner = 0;
    EXPECT_TRUE(filer.ReadHandleRef(owner, handle_));
    EXPECT_EQ(owner, kOwner);
    filer.Seek(offset + size, FcSeekOrigin::kBegin);
    std::uint16_t crc = 0;
    EXPECT_TRUE(filer.ReadAlignedShort(crc));
    EXPECT_EQ(crc, filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, offset, offset + size));
    return data_size;
  }

  TestRecord* dictionary_ = nullptr;

 private:
  static constexpr FcHandle kOwner = 0x1F;
  FcHandle handle_;
  std::int16_t type_;
  std::uint32_t dataBits_;
};

std::vector<char> WriteRecords(TestRecord& record, std::size_t lead_bytes) {
  FcFilerDwg writer;
  StartWriting(writer);
  for (std::size_t i = 0; i < lead_bytes; ++i) {
    writer.WriteRawByte(0xEE);
  }
  record.WriteDwg(writer);
  std::vector<char> bytes = Finish(writer);
  return bytes;
}

TEST(DwgBitsTest, ObjectBracketFramesSizeDataBitSizeAndCrc) {
  struct Case {
    std::int16_t type;
    std::uint32_t data_bits;
    std::uint32_t header_bits;  // BS type, RL, own handle, BS 0
  };
  const Case cases[] = {
      {0, 0, 2 + 32 + 16 + 2},
      {1, 5, 10 + 32 + 16 + 2},
      {500, 13, 18 + 32 + 16 + 2},
      {256, 8 * 70000 + 3, 2 + 32 + 16 + 2},  // a record past 64 KiB
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    TestRecord record(0x2A, c.type, c.data_bits);
    const std::vector<char> bytes = WriteRecords(record, 4);
    FcFilerDwg reader;
    StartReading(reader, bytes);
    reader.GetObjectMap().Insert(0x2A, 4);
    EXPECT_EQ(record.ReadBack(reader), c.header_bits + c.data_bits);
    // The record is the MS size, the data and the CRC, nothing more.
    std::int64_t size = 0;
    std::int16_t type = 0;
    EXPECT_EQ(reader.SeekObject(0x2A, size, type), 4);
    EXPECT_EQ(static_cast<std::int64_t>(bytes.size()), 4 + size + 2);
  }
}

TEST(DwgBitsTest, ExtensionDictionaryFollowsAsARecordOfItsOwn) {
  TestRecord dictionary(0x31, 42, 7);
  TestRecord record(0x30, 1, 9);
  record.dictionary_ = &dictionary;
  FcFilerDwg writer;
  StartWriting(writer);
  writer.WriteRawByte(0);
  record.WriteDwg(writer);
  EXPECT_EQ(writer.FindObjectOffset(0x30), 1);
  const std::int64_t second = writer.FindObjectOffset(0x31);
  EXPECT_GT(second, 1);
  const std::vector<char> bytes = Finish(writer);

  FcFilerDwg reader;
  StartReading(reader, bytes);
  reader.GetObjectMap().Insert(0x30, 1);
  reader.GetObjectMap().Insert(0x31, second);
  record.ReadBack(reader);
  EXPECT_EQ(reader.GetFile()->GetPosition(), second) << "the dictionary starts right after the first CRC";
  dictionary.ReadBack(reader);
  EXPECT_EQ(reader.GetFile()->GetPosition(), static_cast<std::int64_t>(bytes.size()));
}

TEST(DwgBitsTest, SeekObjectRefusesWhatItCannotFindOrRead) {
  FcFilerDwg reader;
  StartReading(reader, HexBytes("00 00 80 00 80"));
  reader.GetObjectMap().Insert(7, 0);   // offset 0 counts as absent
  reader.GetObjectMap().Insert(8, 99);  // past the end
  reader.GetObjectMap().Insert(9, 1);   // an MS that never ends
  reader.Seek(2, FcSeekOrigin::kBegin);
  std::int64_t size = -5;
  std::int16_t type = -5;
  for (FcHandle handle : {FcHandle{6}, FcHandle{7}}) {
    EXPECT_EQ(reader.SeekObject(handle, size, type), -1);
    EXPECT_EQ(reader.GetFile()->GetPosition(), 2) << "the file did not move";
  }
  EXPECT_EQ(reader.SeekObject(8, size, type), -1);
  EXPECT_EQ(reader.SeekObject(9, size, type), -1);
}

// Whole-byte values are cut from the data in blocks where enough of it
// follows and byte by byte near its end: each value, at every bit offset,
// reads the same with nothing to a few bytes after it.
TEST(DwgBitsTest, ByteValuesReadTheSameUpToTheEndOfTheData) {
  struct Case {
    const char* name;
    Action write;
    Action read;
  };
  const double sixBytes = FromBits(0x3FF0'1234'5678'9ABC);
  const Case cases[] = {
      {"RS", [](FcFilerDwg& f) { f.WriteRawShort(0xA55A); },
       [](FcFilerDwg& f) {
         std::uint16_t v = 0;
         ASSERT_TRUE(f.ReadRawShortBytes(v));
         EXPECT_EQ(v, 0xA55A);
       }},
      {"RL", [](FcFilerDwg& f) { f.WriteRawLong(0x89ABCDEF); },
       [](FcFilerDwg& f) {
         std::uint32_t v = 0;
         ASSERT_TRUE(f.ReadRawLong(v));
         EXPECT_EQ(v, 0x89ABCDEFu);
       }},
      {"RD", [](FcFilerDwg& f) { f.WriteRawDouble(-1234.5678); },
       [](FcFilerDwg& f) {
         double v = 0;
         ASSERT_TRUE(f.ReadRawDouble(v));
         EXPECT_EQ(v, -1234.5678);
       }},
      {"DD of six bytes", [=](FcFilerDwg& f) { f.WriteDefaultDouble(1.0, sixBytes); },
       [=](FcFilerDwg& f) {
         double v = 0;
         ASSERT_TRUE(f.ReadDefaultDouble(1.0, v));
         EXPECT_EQ(std::bit_cast<std::uint64_t>(v), std::bit_cast<std::uint64_t>(sixBytes));
       }},
      {"H of eight bytes", [](FcFilerDwg& f) { f.WriteHandleRef(5, 0, 0xF1E2D3C4B5A69788); },
       [](FcFilerDwg& f) {
         FcHandle h = 0;
         ASSERT_TRUE(f.ReadHandleRef(h, 0));
         EXPECT_EQ(h, 0xF1E2D3C4B5A69788u);
       }},
      {"TV", [](FcFilerDwg& f) { f.WriteText("Layer-7"); },
       [](FcFilerDwg& f) {
         std::string t;
         ASSERT_TRUE(f.ReadText(t));
         EXPECT_EQ(t, "Layer-7");
       }},
  };
  for (const Case& c : cases) {
    for (int offset = 0; offset < 8; ++offset) {
      for (int after = 0; after <= 9; ++after) {
        SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(offset) + " bits, " + std::to_string(after) +
                     " bytes follow");
        const std::vector<char> bytes = Written([&](FcFilerDwg& f) {
          for (int i = 0; i < offset; ++i) f.WriteBit(1);
          c.write(f);
          for (int i = 0; i < after; ++i) f.WriteRawByte(static_cast<std::uint8_t>(0x40 + i));
        });
        FcFilerDwg reader;
        StartReading(reader, bytes);
        ASSERT_TRUE(reader.SkipBits(static_cast<std::uint64_t>(offset)));
        c.read(reader);
        for (int i = 0; i < after; ++i) {
          std::uint8_t byte = 0;
          ASSERT_TRUE(reader.ReadRawChar(byte));
          EXPECT_EQ(byte, 0x40 + i);
        }
        int padding = 0;
        for (std::uint8_t bit = 0; reader.ReadBit(bit); ++padding) EXPECT_EQ(bit, 0);
        EXPECT_LT(padding, 8) << "the data is used up";
      }
    }
  }
}

// The writer keeps one buffer for the record being assembled: a small
// record after a large one carries nothing of it.
TEST(DwgBitsTest, RecordsOfFallingSizeFrameOnlyTheirOwnData) {
  TestRecord large(0x40, 256, 8 * 70000 + 5);
  TestRecord small(0x41, 1, 3);
  TestRecord empty(0x42, 0, 0);
  FcFilerDwg writer;
  StartWriting(writer);
  writer.WriteRawByte(0);
  for (TestRecord* record : {&large, &small, &empty}) record->WriteDwg(writer);
  const std::int64_t offsets[] = {writer.FindObjectOffset(0x40), writer.FindObjectOffset(0x41),
                                  writer.FindObjectOffset(0x42)};
  const std::vector<char> bytes = Finish(writer);

  FcFilerDwg reader;
  StartReading(reader, bytes);
  for (std::size_t i = 0; i < 3; ++i) reader.GetObjectMap().Insert(0x40 + i, offsets[i]);
  EXPECT_EQ(empty.ReadBack(reader), 2u + 32 + 16 + 2);
  EXPECT_EQ(small.ReadBack(reader), 10u + 32 + 16 + 2 + 3);
  EXPECT_EQ(reader.GetFile()->GetPosition(), offsets[2]) << "the small record ends where the next begins";
  EXPECT_EQ(large.ReadBack(reader), 2u + 32 + 16 + 2 + 8 * 70000 + 5);
  EXPECT_EQ(reader.GetFile()->GetPosition(), offsets[1]);
}

TEST(DwgBitsTest, BracketMisuseAndOverlongTextRaise) {
  TestRecord record(1, 1, 0);
  FcFilerDwg writer;
  StartWriting(writer);
  EXPECT_THROW(writer.EndObject(record), FcFileException);
  writer.BeginObject(record);
  EXPECT_THROW(writer.BeginObject(record), FcFileException);
  EXPECT_THROW(writer.WriteText(std::string(40000, 'a')), FcFileException);
  FcFilerDwg unopened;
  EXPECT_THROW(unopened.WriteRawByte(1), FcFileException);
}

}  // namespace

// Some files count a name's terminating zero in its length; the name read
// back must not carry it, or every lookup by name fails.
TEST(DwgBits, TextEndsAtItsFirstZero) {
  FcFilerDwg reader;
  StartReading(reader, Written([](FcFilerDwg& f) { f.WriteText(std::string_view("*MODEL_SPACE\0", 13)); }));
  std::string text;
  ASSERT_TRUE(reader.ReadText(text));
  EXPECT_EQ(text, "*MODEL_SPACE");
}
